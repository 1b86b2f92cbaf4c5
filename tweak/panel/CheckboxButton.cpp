#include "tweak/panel/CheckboxButton.h"

#include "platform/runtime/Runtime.h"
#include "tweak/support/HapticFeedbackHelper.h"

namespace lunadoze {

using platform::runtime::id;
namespace selectors = platform::uikit::selectors;

namespace {

constexpr platform::runtime::Selector<void(id)> checkboxSelectedSelector{"checkboxSelected:"};

constexpr double kPopDamping = 0.3;
constexpr double kPopVelocity = 5.0;

}  // namespace

platform::runtime::Class* CheckboxButton::runtimeClass() {
  return platform::runtime::objc_registerClass(
      "CheckboxButton", &UIButton::runtimeClass, [](platform::runtime::Class* cls) {
        platform::runtime::class_addMethod(cls, checkboxSelectedSelector, [](id self, id sender) {
          platform::runtime::downcast<CheckboxButton>(self)->checkboxSelected(sender);
        });
        platform::runtime::class_addMethod(cls, selectors::setSelected, [](id self, bool selected) {
          platform::runtime::sendSuper(runtimeClass(), self, selectors::setSelected, selected);
          auto* checkbox = platform::runtime::downcast<CheckboxButton>(self);
          checkbox->setAlpha(selected ? 1.0 : kUncheckedAlpha);
          checkbox->setTransform(platform::uikit::CGAffineTransformMakeScale(kPopScale, kPopScale));
          UIView::animateWithDuration(
              kPopDuration, 0, kPopDamping, kPopVelocity,
              platform::uikit::UIViewAnimationOptionAllowUserInteraction,
              [checkbox] { checkbox->setTransform(platform::uikit::CGAffineTransformIdentity); }, nullptr);
        });
      });
}

std::shared_ptr<CheckboxButton> CheckboxButton::create() {
  auto checkbox = CheckboxButton::alloc();
  checkbox->initWithFrame(platform::uikit::CGRectZero);
  checkbox->addCheckboxAction();
  return checkbox;
}

void CheckboxButton::initWithCoder(platform::uikit::UINibDecoder& coder) {
  UIButton::initWithCoder(coder);
  addCheckboxAction();
}

void CheckboxButton::addCheckboxAction() {
  addTarget(this, checkboxSelectedSelector, platform::uikit::UIControlEventTouchUpInside);
}

void CheckboxButton::checkboxSelected(id sender) {
  // The sender is this button; the runtime's nil rule covers any other caller.
  if (auto* checkbox = dynamic_cast<CheckboxButton*>(sender)) checkbox->toggleCheck();
  HapticFeedbackHelper::sendImpact();
}

void CheckboxButton::toggleCheck() {
  setSelected(!isSelected());
}

void CheckboxButton::check(bool checked) {
  setSelected(checked);
}

}  // namespace lunadoze
