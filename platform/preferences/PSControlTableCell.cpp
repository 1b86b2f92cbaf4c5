#include "platform/preferences/PSControlTableCell.h"

#include "platform/preferences/PSSpecifier.h"
#include "platform/runtime/Runtime.h"

namespace platform::preferences {

namespace {
constexpr runtime::Selector<void(runtime::id)> controlChangedSelector{"controlChanged:"};
}  // namespace

runtime::Class* PSControlTableCell::runtimeClass() {
  return runtime::objc_registerClass(
      "PSControlTableCell", &PSTableCell::runtimeClass, [](runtime::Class* cls) {
        runtime::class_addMethod(cls, controlChangedSelector, [](runtime::id self, runtime::id) {
          runtime::downcast<PSControlTableCell>(self)->controlChanged();
        });
      });
}

void PSControlTableCell::setControl(std::shared_ptr<uikit::UIControl> control) {
  control_ = std::move(control);
  control_->addTarget(this, controlChangedSelector, uikit::UIControlEventValueChanged);
  setAccessoryView(control_);
}

void PSControlTableCell::controlChanged() {
  auto current = value();
  auto owner = specifier();
  if (current && owner) owner->performSetterWithValue(*current);
}

}  // namespace platform::preferences
