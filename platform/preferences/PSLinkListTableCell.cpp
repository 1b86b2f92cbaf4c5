#include "platform/preferences/PSLinkListTableCell.h"

#include "platform/runtime/Runtime.h"
#include "platform/uikit/UILabel.h"
#include "platform/uikit/UISegmentedControl.h"

namespace platform::preferences {

namespace {
constexpr runtime::Selector<void(runtime::id)> choiceChangedSelector{"choiceChanged:"};
}  // namespace

runtime::Class* PSLinkListTableCell::runtimeClass() {
  return runtime::objc_registerClass(
      "PSLinkListTableCell", &PSSegmentTableCell::runtimeClass, [](runtime::Class* cls) {
        runtime::class_addMethod(cls, choiceChangedSelector, [](runtime::id self, runtime::id) {
          static_cast<PSLinkListTableCell*>(self)->showSelectedTitle();
        });
      });
}

void PSLinkListTableCell::initWithSpecifier(const PSSpecifier& specifier) {
  PSSegmentTableCell::initWithSpecifier(specifier);
  control()->setHidden(true);
  control()->addTarget(this, choiceChangedSelector.name(), uikit::UIControlEventValueChanged);
}

void PSLinkListTableCell::setValue(const std::optional<foundation::PropertyList>& value) {
  PSSegmentTableCell::setValue(value);
  showSelectedTitle();
}

void PSLinkListTableCell::showSelectedTitle() {
  auto& list = static_cast<uikit::UISegmentedControl&>(*control());
  const int64_t selected = list.selectedSegmentIndex();
  detailTextLabel()->setText(
      selected == uikit::UISegmentedControlNoSegment ? "" : list.titleForSegmentAtIndex(selected));
}

}  // namespace platform::preferences
