#include "platform/preferences/PSEditableTableCell.h"

#include "platform/preferences/PSSpecifier.h"
#include "platform/runtime/Runtime.h"

namespace platform::preferences {

namespace {
constexpr runtime::Selector<void(runtime::id)> textFieldDidEndEditingSelector{"textFieldDidEndEditing:"};
}  // namespace

runtime::Class* PSEditableTableCell::runtimeClass() {
  return runtime::objc_registerClass(
      "PSEditableTableCell", &PSTableCell::runtimeClass, [](runtime::Class* cls) {
        runtime::class_addMethod(cls, textFieldDidEndEditingSelector, [](runtime::id self, runtime::id) {
          runtime::downcast<PSEditableTableCell>(self)->textFieldDidEndEditing();
        });
      });
}

void PSEditableTableCell::initWithSpecifier(const PSSpecifier& specifier) {
  textField_ = uikit::UITextField::create(uikit::CGRectMake(160, 0, 145, 44));
  auto placeholder = specifier.propertyForKey("placeholder");
  if (placeholder && placeholder->string()) textField_->setPlaceholder(*placeholder->string());
  textField_->addTarget(this, textFieldDidEndEditingSelector, uikit::UIControlEventEditingDidEnd);
  setAccessoryView(textField_);
}

std::optional<foundation::PropertyList> PSEditableTableCell::value() const {
  return textField_->text();
}

void PSEditableTableCell::setValue(const std::optional<foundation::PropertyList>& value) {
  textField_->setText(value && value->string() ? *value->string() : "");
}

void PSEditableTableCell::textFieldDidEndEditing() {
  if (auto owner = specifier()) owner->performSetterWithValue(textField_->text());
}

}  // namespace platform::preferences
