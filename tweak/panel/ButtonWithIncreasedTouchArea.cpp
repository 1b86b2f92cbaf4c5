#include "tweak/panel/ButtonWithIncreasedTouchArea.h"

#include "platform/runtime/Runtime.h"
#include "tweak/support/HapticFeedbackHelper.h"

namespace lunadoze {

using platform::runtime::id;
using platform::uikit::CGPoint;
using platform::uikit::CGRect;
using platform::uikit::UIEvent;
namespace selectors = platform::uikit::selectors;

platform::runtime::Class* ButtonWithIncreasedTouchArea::runtimeClass() {
  return platform::runtime::objc_registerClass(
      "ButtonWithIncreasedTouchArea", &UIButton::runtimeClass, [](platform::runtime::Class* cls) {
        platform::runtime::class_addMethod(cls, selectors::pointInside, [](id self, CGPoint point, UIEvent*) {
          CGRect bounds = platform::runtime::downcast<ButtonWithIncreasedTouchArea>(self)->bounds();
          return CGRectContainsPoint(CGRectInset(bounds, -kTouchMargin, -kTouchMargin), point);
        });
        platform::runtime::class_addMethod(
            cls, selectors::sendAction, [](id self, std::string_view action, id target, UIEvent* event) {
              HapticFeedbackHelper::sendImpact();
              platform::runtime::sendSuper(runtimeClass(), self, selectors::sendAction, action, target,
                                           event);
            });
      });
}

std::shared_ptr<ButtonWithIncreasedTouchArea> ButtonWithIncreasedTouchArea::create() {
  auto button = ButtonWithIncreasedTouchArea::alloc();
  button->initWithFrame(platform::uikit::CGRectZero);
  return button;
}

}  // namespace lunadoze
