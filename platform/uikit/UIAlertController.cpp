#include "platform/uikit/UIAlertController.h"

#include <algorithm>

#include "platform/runtime/Runtime.h"
#include "platform/uikit/UIAlertAction.h"
#include "platform/uikit/UIButton.h"
#include "platform/uikit/UIColor.h"
#include "platform/uikit/UIFont.h"
#include "platform/uikit/UILabel.h"

namespace platform::uikit {
namespace {

using runtime::id;

constexpr runtime::Selector<void(id)> actionButtonTappedSelector{"_actionButtonTapped:"};

// The alert's panel: centred in the screen, the title and message above a row per action.
constexpr CGFloat kPanelWidth = 270;
constexpr CGFloat kMargin = 16;
constexpr CGFloat kTitleHeight = 22;
constexpr CGFloat kMessageHeight = 20;
constexpr CGFloat kButtonHeight = 44;

}  // namespace

runtime::Class* UIAlertController::runtimeClass() {
  return runtime::objc_registerClass(
      "UIAlertController", &UIViewController::runtimeClass, [](runtime::Class* cls) {
        runtime::class_addMethod(cls, selectors::loadView, [](id self) {
          runtime::sendSuper(UIAlertController::runtimeClass(), self, selectors::loadView);
          runtime::downcast<UIAlertController>(self)->makeContent();
        });
        runtime::class_addMethod(cls, actionButtonTappedSelector, [](id self, id sender) {
          runtime::downcast<UIAlertController>(self)->actionButtonTapped(sender);
        });
      });
}

std::shared_ptr<UIAlertController> UIAlertController::alertControllerWithTitle(
    std::string title, std::string message, UIAlertControllerStyle preferredStyle) {
  auto alert = UIAlertController::alloc();
  alert->setTitle(std::move(title));
  alert->message_ = std::move(message);
  alert->preferredStyle_ = preferredStyle;
  return alert;
}

void UIAlertController::addAction(std::shared_ptr<UIAlertAction> action) {
  if (action == nullptr) return;
  actions_.push_back(std::move(action));
  if (isViewLoaded()) makeContent();
}

std::shared_ptr<UIButton> UIAlertController::buttonForAction(const UIAlertAction* action) const {
  auto found = std::ranges::find(actions_, action, &std::shared_ptr<UIAlertAction>::get);
  if (found == actions_.end()) return nullptr;
  auto index = static_cast<size_t>(found - actions_.begin());
  return index < buttons_.size() ? buttons_[index] : nullptr;
}

void UIAlertController::makeContent() {
  auto root = view();
  for (const auto& subview : root->subviews()) subview->removeFromSuperview();
  buttons_.clear();

  const CGFloat buttonsTop = kMargin + kTitleHeight + kMessageHeight + kMargin;
  const CGFloat height = buttonsTop + kButtonHeight * static_cast<CGFloat>(actions_.size());
  const CGRect bounds = root->bounds();
  auto panel = UIView::create(CGRectMake((bounds.size.width - kPanelWidth) / 2,
                                         (bounds.size.height - height) / 2, kPanelWidth, height));
  panel->setAutoresizingMask(UIViewAutoresizingFlexibleLeftMargin | UIViewAutoresizingFlexibleRightMargin |
                             UIViewAutoresizingFlexibleTopMargin | UIViewAutoresizingFlexibleBottomMargin);
  panel->setBackgroundColor(UIColor::whiteColor());
  root->addSubview(panel);

  auto titleLabel = UILabel::create(CGRectMake(kMargin, kMargin, kPanelWidth - 2 * kMargin, kTitleHeight));
  titleLabel->setText(title());
  titleLabel->setFont(UIFont::systemFontOfSize(17, UIFontWeightSemibold));
  titleLabel->setTextAlignment(NSTextAlignmentCenter);
  panel->addSubview(titleLabel);
  auto messageLabel =
      UILabel::create(CGRectMake(kMargin, kMargin + kTitleHeight, kPanelWidth - 2 * kMargin, kMessageHeight));
  messageLabel->setText(message_);
  messageLabel->setFont(UIFont::systemFontOfSize(13));
  messageLabel->setTextAlignment(NSTextAlignmentCenter);
  panel->addSubview(messageLabel);

  for (size_t i = 0; i < actions_.size(); ++i) {
    auto button = UIButton::buttonWithType(UIButtonTypeSystem);
    button->setFrame(
        CGRectMake(0, buttonsTop + kButtonHeight * static_cast<CGFloat>(i), kPanelWidth, kButtonHeight));
    button->setTitle(actions_[i]->title(), UIControlStateNormal);
    button->setEnabled(actions_[i]->isEnabled());
    button->addTarget(this, actionButtonTappedSelector, UIControlEventTouchUpInside);
    panel->addSubview(button);
    buttons_.push_back(std::move(button));
  }
}

void UIAlertController::actionButtonTapped(id sender) {
  auto found = std::ranges::find(buttons_, sender, &std::shared_ptr<UIButton>::get);
  if (found == buttons_.end()) return;
  auto action = actions_[static_cast<size_t>(found - buttons_.begin())];
  if (!action->isEnabled()) return;
  dismissViewControllerAnimated(true, [action] {
    if (action->handler()) action->handler()(action.get());
  });
}

}  // namespace platform::uikit
