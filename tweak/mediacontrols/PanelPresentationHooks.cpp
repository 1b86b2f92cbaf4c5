#include "tweak/mediacontrols/PanelPresentationHooks.h"

#include <algorithm>
#include <iterator>
#include <vector>

#include "platform/foundation/Dispatch.h"
#include "platform/runtime/Runtime.h"
#include "platform/springboard/CCUIContentModuleContainerViewController.h"
#include "platform/springboard/CFWColorInfo.h"
#include "platform/springboard/MPAVRoutingViewController.h"
#include "platform/springboard/MPButton.h"
#include "platform/springboard/MediaControlsContainerView.h"
#include "platform/springboard/MediaControlsParentContainerView.h"
#include "platform/springboard/MediaControlsTransportStackView.h"
#include "platform/springboard/NextUpViewController.h"
#include "platform/springboard/SpringBoardSelectors.h"
#include "platform/uikit/UIControl.h"
#include "tweak/core/LunadozeSelectors.h"
#include "tweak/core/OriginalImplementations.h"
#include "tweak/core/Settings.h"
#include "tweak/core/SystemVersion.h"
#include "tweak/core/ViewGlobals.h"
#include "tweak/engine/SnoozeState.h"
#include "tweak/panel/LunadozeImageButton.h"
#include "tweak/panel/LunadozeViewController.h"
#include "tweak/support/HapticFeedbackHelper.h"

namespace lunadoze {
namespace {

using platform::springboard::CCUIContentModuleContainerViewController;
using platform::springboard::MediaControlsContainerView;
using platform::springboard::MediaControlsParentContainerView;
using platform::uikit::CGRect;
using platform::uikit::CGRectMake;
using platform::uikit::UIControl;
using platform::uikit::UIControlEventTouchUpInside;

constexpr const char* kHeaderViewClassName = "MediaControlsHeaderView";
constexpr double kMinimumNextUpWidth = 200;
constexpr double kNextUpShift = 15;
constexpr double kNextUpShiftDelay = 0.1;

// Wires the action only when the control does not hold the target yet, so that opening the panel
// again never makes a tap run the action twice.
void addTargetOnce(UIControl* control, id target, const platform::runtime::Selector<void()>& action) {
  if (control == nullptr) return;
  const auto targets = control->allTargets();
  const bool wired =
      std::ranges::any_of(targets, [target](const auto& held) { return held.get() == target; });
  if (!wired) control->addTarget(target, action, UIControlEventTouchUpInside);
}

// Puts the panel's view in front in the media container's superview, once the container is known.
// It is normally known when the panel is created; when it was not, a later pass attaches the
// panel, which would otherwise never show.
void attachPanelView() {
  auto panel = lunadozeVC->view();
  if (panel->superview() != nullptr || lastMediaControlsView == nullptr) return;
  if (auto parent = lastMediaControlsView->superview()) parent->addSubview(panel);
}

}  // namespace

void fitPanelViewToMediaModule() {
  if (lunadozeVC == nullptr) return;
  auto parent = lastMediaControlsView != nullptr ? lastMediaControlsView->superview() : nullptr;
  const CGRect parentFrame = parent != nullptr ? parent->frame() : CGRect{};
  lunadozeVC->view()->setFrame(CGRectMake(0, 0, parentFrame.size.width, parentFrame.size.height));
}

void MediaControlsTransportStackView_initLunadozeVC(id) {
  if (lunadozeVC != nullptr) {
    attachPanelView();
    fitPanelViewToMediaModule();
    if (auto chooseView = lunadozeVC->chooseSnoozeTimeView()) {
      chooseView->setPickerMinutesSteps(timerMinutesSteps);
      chooseView->setDefaultTimerPickerValue(timerDefaultValue);
      chooseView->setDefaultNbSongsPickerValue(nbSongsDefaultValue);
      chooseView->setModeType(static_cast<int32_t>(enabledModes));
    }
    return;
  }
  lunadozeVC = LunadozeViewController::create();
  auto panel = lunadozeVC->view();
  panel->setHidden(true);
  panel->setFrame(CGRect{});
  // The container is laid out before the stack view inside it, so it is known by now.
  attachPanelView();
}

void MediaControlsTransportStackView_setTimeButtonClicked(id self) {
  fitPanelViewToMediaModule();
  if (lunadozeVC == nullptr) return;
  const bool nextUpShown = isNextUpShown();
  // Moved away while the panel is open; a view not known yet is left out rather than passed as nil.
  std::vector<std::shared_ptr<platform::uikit::UIView>> transitionViews;
  const std::vector<std::shared_ptr<platform::uikit::UIView>> candidates =
      nextUpShown ? std::vector<std::shared_ptr<platform::uikit::UIView>>{lastMediaControlsView,
                                                                          lastNextUpView, setTimerButton}
                  : std::vector<std::shared_ptr<platform::uikit::UIView>>{lastMediaControlsView};
  std::ranges::copy_if(candidates, std::back_inserter(transitionViews),
                       [](const auto& view) { return view != nullptr; });
  lunadozeVC->setTransitionViews(std::move(transitionViews));

  if (timeSnoozeIsRunning || songsSnoozeIsRunning) {
    lunadozeVC->showCurrentTimerView(true, lastMediaControlsView.get(), !nextUpShown);
    // The page tells of the running snooze, not of the picker last shown: the bedtime timer runs
    // by time whatever mode the panel was left in.
    if (auto currentView = lunadozeVC->currentTimerView())
      currentView->setupViewWithMode(timeSnoozeIsRunning ? SnoozeModeTime : SnoozeModeSongs);
  } else {
    lunadozeVC->showChooseSnoozeTimeView(true, lastMediaControlsView.get(), !nextUpShown);
    if (auto chooseView = lunadozeVC->chooseSnoozeTimeView())
      addTargetOnce(chooseView->rightButton().get(), self, selectors::validateButtonClicked);
  }
  // Wired whichever page opened: a snooze may have started without the panel (the bedtime timer).
  if (auto currentView = lunadozeVC->currentTimerView()) {
    addTargetOnce(currentView->cancelTimerButton().get(), self, selectors::cancelButtonClicked);
    if (auto controller = mediaController())
      addTargetOnce(currentView->extendButton().get(), controller.get(), selectors::extendSnooze);
  }
  HapticFeedbackHelper::sendImpact();
}

void MediaControlsContainerView_layoutSubviews(id self) {
  original::MediaControlsContainerView_layoutSubviews(self);
  auto* view = platform::runtime::downcast<MediaControlsContainerView>(self);
  if (!view->isHidden() && view->alpha() != 0 && ccMediaModuleIsExpanded && lastMediaControlsView == nullptr)
    lastMediaControlsView = view->retained<MediaControlsContainerView>();
}

void NextUpViewController_viewDidLayoutSubviews(id self) {
  original::NextUpViewController_viewDidLayoutSubviews(self);
  auto* controller = platform::runtime::downcast<platform::springboard::NextUpViewController>(self);
  lastNextUpView = controller->view();
  const float version = systemVersion();
  if (version >= 11.0f && version < 12.0f) return;
  if (!controller->controlCenter() || airplayViewIsShowed) return;
  if (nextUpOriginalFrame == CGRect{} && lastNextUpView->frame().size.width > kMinimumNextUpWidth)
    nextUpOriginalFrame = lastNextUpView->frame();
  if (nextUpOriginalFrame == CGRect{}) return;
  CGRect target = nextUpOriginalFrame;
  target.origin.y += kNextUpShift;
  if (lastNextUpView->frame() == target) return;
  if (version < 13.0f) {
    lastNextUpView->setFrame(target);
  } else {
    // From 13.0 on the host places the list again after this pass; move it once it has.
    platform::foundation::dispatch_after(kNextUpShiftDelay, [target] {
      if (lastNextUpView != nullptr) lastNextUpView->setFrame(target);
    });
  }
}

void MediaControlsTransportButton_cfw_colorize(id self, id colorInfo) {
  original::MediaControlsTransportButton_cfw_colorize(self, colorInfo);
  auto* info = dynamic_cast<platform::springboard::CFWColorInfo*>(colorInfo);
  if (info == nullptr) return;
  auto color = info->valueForKey(platform::springboard::CFWColorInfo::kPrimaryColorKey);
  if (color != nullptr && currentTimerButtonInNC != nullptr) currentTimerButtonInNC->setTintColor(color);
}

void MPButton_handleTouchUp(id self) {
  original::MPButton_handleTouchUp(self);
  auto* button = platform::runtime::downcast<platform::springboard::MPButton>(self);
  auto superview = button->superview();
  auto* headerClass = platform::runtime::NSClassFromString(kHeaderViewClassName);
  if (superview == nullptr || headerClass == nullptr || !superview->isKindOfClass(headerClass) ||
      lunadozeVC == nullptr) {
    return;
  }
  lunadozeVC->dismissCurrentView();
  if (isNextUpShown()) {
    // The picker is about to toggle: hidden now means it is coming up.
    airplayViewIsShowed = lastRoutingVC != nullptr && lastRoutingVC->view()->isHidden();
    if (setTimerButton != nullptr) setTimerButton->setHidden(airplayViewIsShowed);
  }
}

void MPAVRoutingViewController_viewDidLayoutSubviews(id self) {
  original::MPAVRoutingViewController_viewDidLayoutSubviews(self);
  auto* controller = platform::runtime::downcast<platform::springboard::MPAVRoutingViewController>(self);
  if (lastRoutingVC == nullptr) controller->view()->setHidden(true);
  if (lastRoutingVC.get() != controller)
    lastRoutingVC = controller->retained<platform::springboard::MPAVRoutingViewController>();
  airplayViewIsShowed = !controller->view()->isHidden();
}

void CCUIContentModuleContainerViewController_setExpanded(id self, bool expanded) {
  original::CCUIContentModuleContainerViewController_setExpanded(self, expanded);
  auto* controller = platform::runtime::downcast<CCUIContentModuleContainerViewController>(self);
  if (controller->moduleIdentifier() != CCUIContentModuleContainerViewController::kNowPlayingModuleIdentifier)
    return;
  ccMediaModuleIsExpanded = expanded;
  if (expanded) return;
  if (lunadozeVC != nullptr) lunadozeVC->dismissCurrentView();
  if (!ncMediaModuleIsShowed) stopRemainingTimeLabelsTimer();
  if (setTimerButton != nullptr) setTimerButton->setHidden(true);
}

void MediaControlsParentContainerView_setClipsToBounds(id self, bool clipsToBounds) {
  // With the colouring tweak on the lock screen, the indicator hangs below the platter. Asked only
  // there: Control Center's passes come here every time.
  if (ncMediaModuleIsShowed && !ccMediaModuleIsExpanded && lastMediaControlsTransportStackView != nullptr &&
      lastMediaControlsTransportStackView->respondsToSelector(
          platform::springboard::selectors::cfw_colorInfo))
    clipsToBounds = false;
  original::MediaControlsParentContainerView_setClipsToBounds(self, clipsToBounds);
}

void MediaControlsParentContainerView_layoutSubviews(id self) {
  original::MediaControlsParentContainerView_layoutSubviews(self);
  auto* view = platform::runtime::downcast<MediaControlsParentContainerView>(self);
  if (view->isHidden() || view->alpha() == 0) return;
  if (lastMediaControlsParentViewForNextUpSupport.get() != view)
    lastMediaControlsParentViewForNextUpSupport = view->retained<MediaControlsParentContainerView>();
  view->setClipsToBounds(true);
}

platform::uikit::UIView* MediaControlsParentContainerView_hitTest(id self, platform::uikit::CGPoint point,
                                                                  platform::uikit::UIEvent* event) {
  auto* view = platform::runtime::downcast<MediaControlsParentContainerView>(self);
  // The sleep button hangs below the stack view that holds it; touches there are its own.
  if (setTimerButton != nullptr) {
    const auto converted = setTimerButton->convertPoint(point, view);
    if (platform::uikit::CGRectContainsPoint(setTimerButton->bounds(), converted) &&
        !setTimerButton->isHidden())
      return setTimerButton->hitTest(converted, event);
  }
  return original::MediaControlsParentContainerView_hitTest(self, point, event);
}

}  // namespace lunadoze
