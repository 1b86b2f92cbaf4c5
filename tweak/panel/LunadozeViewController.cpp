#include "tweak/panel/LunadozeViewController.h"

#include "platform/runtime/Runtime.h"
#include "tweak/support/HapticFeedbackHelper.h"

namespace lunadoze {

using platform::runtime::id;
using platform::uikit::CGRect;
using platform::uikit::CGRectMake;
using platform::uikit::UIControlEventTouchUpInside;
using platform::uikit::UIView;
namespace selectors = platform::uikit::selectors;

namespace {

// The messages that buttons and delayed performs send to the controller.
constexpr platform::runtime::Selector<void()> backButtonClickedSelector{"backButtonClicked"};
constexpr platform::runtime::Selector<void()> performHapticFeedbackSelector{"performHapticFeedback"};
constexpr platform::runtime::Selector<void()> showOnTimerEndsSettingsViewSelector{
    "showOnTimerEndsSettingsView"};
constexpr platform::runtime::Selector<void()> hideOnTimerEndsSettingsViewSelector{
    "hideOnTimerEndsSettingsView"};

constexpr auto kCrossDissolve = platform::uikit::UIViewAnimationOptionTransitionCrossDissolve;
// Both pages stay in the controller's view, the one left behind only hidden.
constexpr auto kCrossDissolveShowingAndHiding =
    kCrossDissolve | platform::uikit::UIViewAnimationOptionShowHideTransitionViews;

LunadozeViewController* controller(id self) {
  return platform::runtime::downcast<LunadozeViewController>(self);
}

}  // namespace

platform::runtime::Class* LunadozeViewController::runtimeClass() {
  return platform::runtime::objc_registerClass(
      "LunadozeViewController", &UIViewController::runtimeClass, [](platform::runtime::Class* cls) {
        using platform::runtime::class_addMethod;
        class_addMethod(cls, selectors::viewWillLayoutSubviews, [](id self) {
          platform::runtime::sendSuper(runtimeClass(), self, selectors::viewWillLayoutSubviews);
          controller(self)->initChooseSnoozeTimeView();
          controller(self)->initCurrentTimerView();
          controller(self)->initOnTimerEndsSettingsView();
        });
        class_addMethod(cls, backButtonClickedSelector,
                        [](id self) { controller(self)->backButtonClicked(); });
        class_addMethod(cls, performHapticFeedbackSelector,
                        [](id self) { controller(self)->performHapticFeedback(); });
        class_addMethod(cls, showOnTimerEndsSettingsViewSelector,
                        [](id self) { controller(self)->showOnTimerEndsSettingsView(); });
        class_addMethod(cls, hideOnTimerEndsSettingsViewSelector,
                        [](id self) { controller(self)->hideOnTimerEndsSettingsView(); });
        class_addMethod(cls, dismissCurrentViewSelector,
                        [](id self) { controller(self)->dismissCurrentView(); });
      });
}

std::shared_ptr<LunadozeViewController> LunadozeViewController::create() {
  return LunadozeViewController::alloc();
}

void LunadozeViewController::initChooseSnoozeTimeView() {
  if (chooseSnoozeTimeView_ != nullptr) return;
  const CGRect frame = view()->frame();
  chooseSnoozeTimeView_ = ChooseSnoozeTimeView::create(CGRectMake(0, 0, frame.size.width, frame.size.height));
  chooseSnoozeTimeView_->setAlpha(kPageAlpha);
  chooseSnoozeTimeView_->setHidden(true);
  chooseSnoozeTimeView_->leftButton()->addTarget(this, backButtonClickedSelector,
                                                 UIControlEventTouchUpInside);
  chooseSnoozeTimeView_->leftButton()->addTarget(this, performHapticFeedbackSelector,
                                                 UIControlEventTouchUpInside);
  // The settings button gives its own haptic tap.
  chooseSnoozeTimeView_->topLeftCornerButton()->addTarget(this, showOnTimerEndsSettingsViewSelector,
                                                          UIControlEventTouchUpInside);
  chooseSnoozeTimeView_->rightButton()->addTarget(this, performHapticFeedbackSelector,
                                                  UIControlEventTouchUpInside);
  view()->addSubview(chooseSnoozeTimeView_);
}

void LunadozeViewController::initCurrentTimerView() {
  if (currentTimerView_ != nullptr) return;
  const CGRect frame = view()->frame();
  currentTimerView_ = CurrentTimerView::create();
  // Without its interface file there is no page; the next layout pass tries again.
  if (currentTimerView_ == nullptr) return;
  currentTimerView_->setHidden(true);
  currentTimerView_->setFrame(CGRectMake(0, 0, frame.size.width, frame.size.height));
  currentTimerView_->setAlpha(kPageAlpha);
  if (auto button = currentTimerView_->backButton()) {
    button->addTarget(this, backButtonClickedSelector, UIControlEventTouchUpInside);
    button->addTarget(this, performHapticFeedbackSelector, UIControlEventTouchUpInside);
  }
  for (const auto& button : {currentTimerView_->cancelTimerButton(), currentTimerView_->extendButton()}) {
    if (button != nullptr)
      button->addTarget(this, performHapticFeedbackSelector, UIControlEventTouchUpInside);
  }
  view()->addSubview(currentTimerView_);
}

void LunadozeViewController::initOnTimerEndsSettingsView() {
  if (onTimerEndsSettingsView_ != nullptr) return;
  const CGRect frame = view()->frame();
  onTimerEndsSettingsView_ = OnTimerEndsSettingsView::create();
  if (onTimerEndsSettingsView_ == nullptr) return;
  onTimerEndsSettingsView_->setHidden(true);
  onTimerEndsSettingsView_->setFrame(CGRectMake(0, 0, frame.size.width, frame.size.height));
  onTimerEndsSettingsView_->setAlpha(kPageAlpha);
  if (auto button = onTimerEndsSettingsView_->backButton()) {
    button->addTarget(this, hideOnTimerEndsSettingsViewSelector, UIControlEventTouchUpInside);
    button->addTarget(this, performHapticFeedbackSelector, UIControlEventTouchUpInside);
  }
  view()->addSubview(onTimerEndsSettingsView_);
}

void LunadozeViewController::beginPresentation(UIView* transitionView) {
  containerFrame_ = view()->frame();
  containerView_ = transitionView != nullptr ? transitionView->retained<UIView>() : nullptr;
  transitionViewsOriginalFramesArray_.clear();
  for (const auto& transition : transitionViews_) {
    transitionViewsOriginalFramesArray_.push_back(transition != nullptr ? transition->frame()
                                                                        : platform::uikit::CGRectZero);
  }
}

void LunadozeViewController::showChooseSnoozeTimeView(bool show, UIView* transitionView, bool slideAnimated) {
  chooseSnoozeTimeViewShowed_ = show;
  if (currentTimerView_ != nullptr) currentTimerView_->setHidden(true);
  if (!show) {
    this->show(false, slideAnimated, transitionView);
    return;
  }
  if (chooseSnoozeTimeView_ != nullptr) chooseSnoozeTimeView_->setHidden(false);
  beginPresentation(transitionView);
  view()->setHidden(false);
  if (chooseSnoozeTimeView_ != nullptr) {
    chooseSnoozeTimeView_->setFrame(
        CGRectMake(0, 0, containerFrame_.size.width, containerFrame_.size.height));
  }
  this->show(true, slideAnimated, transitionView);
}

void LunadozeViewController::showCurrentTimerView(bool show, UIView* transitionView, bool slideAnimated) {
  currentTimerViewShowed_ = show;
  if (chooseSnoozeTimeView_ != nullptr) chooseSnoozeTimeView_->setHidden(true);
  if (show) {
    if (currentTimerView_ != nullptr) {
      currentTimerView_->setHidden(false);
      currentTimerView_->setupViewWithMode(selectedMode());
      // Opened from the sleep button, the page always has its bottom buttons.
      currentTimerView_->hideBottomButtons(false);
    }
    beginPresentation(transitionView);
    if (currentTimerView_ != nullptr) {
      currentTimerView_->setFrame(CGRectMake(0, 0, containerFrame_.size.width, containerFrame_.size.height));
    }
    view()->setHidden(false);
  }
  this->show(show, slideAnimated, transitionView);
}

void LunadozeViewController::show(bool show, bool slideAnimated, UIView*) {
  // The way in is the way out from its first moment: a dismissal during the way in must put the
  // host's views back the way they are being moved.
  if (show) hasBeenShownUsingSlideAnimation_ = slideAnimated;
  if (show && slideAnimated) {
    slideIn();
  } else if (show) {
    fadeIn();
  } else if (slideAnimated) {
    slideOut();
  } else {
    fadeOut();
  }
}

CGRect LunadozeViewController::belowContainer() const {
  const double width = containerFrame_.size.width;
  const double height = containerFrame_.size.height;
  return CGRectMake(0, height, width, height);
}

void LunadozeViewController::slideIn() {
  const auto panel = view();
  panel->setFrame(belowContainer());
  UIView::animateWithDuration(
      kAnimationDuration, 0, 0,
      [&] {
        for (const auto& transition : transitionViews_) {
          if (transition == nullptr) continue;
          const CGRect frame = transition->frame();
          transition->setFrame(
              CGRectMake(frame.origin.x, -frame.size.height, frame.size.width, frame.size.height));
        }
        panel->setFrame(containerFrame_);
      },
      [self = retained<LunadozeViewController>()](bool) {
        // Dismissed during the way in: the host's views are back and must stay visible.
        if (!self->isPresented()) return;
        for (const auto& transition : self->transitionViews_) {
          if (transition != nullptr) transition->setHidden(true);
        }
      });
}

void LunadozeViewController::fadeIn() {
  const auto panel = view();
  panel->setAlpha(0);
  panel->setFrame(containerFrame_);
  UIView::animateWithDuration(
      kAnimationDuration,
      [&] {
        panel->setAlpha(1);
        for (const auto& transition : transitionViews_) {
          if (transition != nullptr) transition->setAlpha(0);
        }
      },
      [self = retained<LunadozeViewController>()](bool) {
        if (!self->isPresented()) return;
        for (const auto& transition : self->transitionViews_) {
          if (transition == nullptr) continue;
          transition->setHidden(true);
          transition->setAlpha(1);
        }
      });
}

void LunadozeViewController::slideOut() {
  const auto panel = view();
  for (const auto& transition : transitionViews_) {
    if (transition != nullptr) transition->setHidden(false);
  }
  UIView::animateWithDuration(
      kAnimationDuration, 0, 0,
      [&] {
        for (size_t index = 0; index < transitionViews_.size(); ++index) {
          // A view added to the list after the presentation began has no frame to go back to.
          if (transitionViews_[index] == nullptr || index >= transitionViewsOriginalFramesArray_.size())
            continue;
          transitionViews_[index]->setFrame(transitionViewsOriginalFramesArray_[index]);
        }
        panel->setFrame(belowContainer());
      },
      [self = retained<LunadozeViewController>(), panel](bool) {
        // Presented again during the way out: the panel stays.
        if (!self->isPresented()) panel->setHidden(true);
      });
}

void LunadozeViewController::fadeOut() {
  const auto panel = view();
  for (const auto& transition : transitionViews_) {
    if (transition == nullptr) continue;
    transition->setHidden(false);
    transition->setAlpha(0);
  }
  UIView::animateWithDuration(
      kAnimationDuration,
      [&] {
        for (const auto& transition : transitionViews_) {
          if (transition != nullptr) transition->setAlpha(1);
        }
        panel->setAlpha(0);
      },
      [self = retained<LunadozeViewController>(), panel](bool) {
        if (!self->isPresented()) panel->setHidden(true);
        panel->setAlpha(1);
      });
}

void LunadozeViewController::transitionBetweenChooseTimeAndCurrentTimerViewFromChooseTime(
    bool fromChooseTime) {
  view()->setHidden(false);
  std::shared_ptr<UIView> from = chooseSnoozeTimeView_;
  std::shared_ptr<UIView> to = currentTimerView_;
  if (!fromChooseTime) std::swap(from, to);
  chooseSnoozeTimeViewShowed_ = to != nullptr && to == chooseSnoozeTimeView_;
  currentTimerViewShowed_ = !chooseSnoozeTimeViewShowed_;
  if (fromChooseTime && currentTimerView_ != nullptr) currentTimerView_->setupViewWithMode(selectedMode());
  if (to != nullptr) {
    if (from != nullptr) to->setFrame(from->frame());
    to->setHidden(false);
  }
  UIView::transitionFromView(from.get(), to.get(), kAnimationDuration, kCrossDissolveShowingAndHiding,
                             [from](bool) {
                               if (from != nullptr) from->setHidden(true);
                             });
}

void LunadozeViewController::dismissCurrentView() {
  if (chooseSnoozeTimeViewShowed_) {
    showChooseSnoozeTimeView(false, containerView_.get(), hasBeenShownUsingSlideAnimation_);
    if (onTimerEndsSettingsView_ != nullptr && !onTimerEndsSettingsView_->isHidden())
      hideOnTimerEndsSettingsView();
  } else if (currentTimerViewShowed_) {
    showCurrentTimerView(false, containerView_.get(), hasBeenShownUsingSlideAnimation_);
  }
}

void LunadozeViewController::showOnTimerEndsSettingsView() {
  if (onTimerEndsSettingsView_ == nullptr) return;
  // Made when the controller's view may have had no size yet: it covers the page it replaces.
  if (chooseSnoozeTimeView_ != nullptr) onTimerEndsSettingsView_->setFrame(chooseSnoozeTimeView_->frame());
  onTimerEndsSettingsView_->setHidden(false);
  onTimerEndsSettingsView_->restoreSettings();
  // The choose-time page leaves the controller's view until the actions page is hidden again.
  UIView::transitionFromView(chooseSnoozeTimeView_.get(), onTimerEndsSettingsView_.get(), kAnimationDuration,
                             kCrossDissolve, [page = chooseSnoozeTimeView_](bool) {
                               if (page != nullptr) page->setHidden(true);
                             });
}

void LunadozeViewController::hideOnTimerEndsSettingsView() {
  if (onTimerEndsSettingsView_ == nullptr) return;
  if (chooseSnoozeTimeView_ != nullptr) chooseSnoozeTimeView_->setHidden(false);
  UIView::transitionFromView(onTimerEndsSettingsView_.get(), chooseSnoozeTimeView_.get(), kAnimationDuration,
                             kCrossDissolve,
                             [page = onTimerEndsSettingsView_](bool) { page->setHidden(true); });
  onTimerEndsSettingsView_->saveSettingsToPrefsPlist();
}

void LunadozeViewController::backButtonClicked() {
  dismissCurrentView();
}

SnoozeMode LunadozeViewController::selectedMode() const {
  const bool songsPickerShown =
      chooseSnoozeTimeView_ != nullptr && !chooseSnoozeTimeView_->nbSongsPickerView()->isHidden();
  return songsPickerShown ? SnoozeModeSongs : SnoozeModeTime;
}

void LunadozeViewController::performHapticFeedback() {
  HapticFeedbackHelper::sendImpact();
}

}  // namespace lunadoze
