#pragma once

#include <memory>

#include "platform/preferences/PSTableCell.h"
#include "platform/uikit/UITextField.h"

namespace platform::preferences {

// A text setting in a UITextField. The text goes to the specifier's setter when editing ends.
class PSEditableTableCell : public PSTableCell {
  RUNTIME_CLASS(PSEditableTableCell)

 public:
  const std::shared_ptr<uikit::UITextField>& textField() const { return textField_; }

  std::optional<foundation::PropertyList> value() const override;
  // A text shows as it is; nil and every other kind of value show an empty field.
  void setValue(const std::optional<foundation::PropertyList>& value) override;

 protected:
  void initWithSpecifier(const PSSpecifier& specifier) override;

 private:
  void textFieldDidEndEditing();

  std::shared_ptr<uikit::UITextField> textField_;
};

}  // namespace platform::preferences
