#include "platform/preferences/PSTableCell.h"

#include "platform/preferences/PSEditableTableCell.h"
#include "platform/preferences/PSLinkListTableCell.h"
#include "platform/preferences/PSSegmentTableCell.h"
#include "platform/preferences/PSSliderTableCell.h"
#include "platform/preferences/PSSpecifier.h"
#include "platform/preferences/PSSwitchTableCell.h"
#include "platform/runtime/Runtime.h"
#include "platform/uikit/UILabel.h"

namespace platform::preferences {

namespace {

std::shared_ptr<PSTableCell> makeCell(PSCellType type) {
  switch (type) {
    case PSSwitchCell:
      return PSSwitchTableCell::alloc();
    case PSSliderCell:
      return PSSliderTableCell::alloc();
    case PSSegmentCell:
      return PSSegmentTableCell::alloc();
    case PSLinkListCell:
      return PSLinkListTableCell::alloc();
    case PSEditTextCell:
      return PSEditableTableCell::alloc();
    default:
      return PSTableCell::alloc();
  }
}

}  // namespace

runtime::Class* PSTableCell::runtimeClass() {
  return runtime::objc_registerClass("PSTableCell", &uikit::UITableViewCell::runtimeClass);
}

std::shared_ptr<PSTableCell> PSTableCell::cellForSpecifier(const std::shared_ptr<PSSpecifier>& specifier) {
  auto cell = makeCell(specifier->cellType());
  cell->initWithFrame(uikit::CGRectMake(0, 0, 320, 44));
  cell->specifier_ = specifier;
  cell->textLabel()->setText(specifier->name());
  cell->initWithSpecifier(*specifier);
  return cell;
}

void PSTableCell::refreshCellContentsWithSpecifier(const std::shared_ptr<PSSpecifier>& specifier) {
  specifier_ = specifier;
  textLabel()->setText(specifier->name());
  setValue(specifier->performGetter());
}

}  // namespace platform::preferences
