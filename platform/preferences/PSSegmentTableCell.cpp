#include "platform/preferences/PSSegmentTableCell.h"

#include <string>

#include "platform/preferences/PSSpecifier.h"
#include "platform/runtime/Runtime.h"
#include "platform/uikit/UISegmentedControl.h"

namespace platform::preferences {

using foundation::PropertyList;

namespace {

bool sameValue(const PropertyList& a, const PropertyList& b) {
  bool numbers = (a.isInteger() || a.isReal()) && (b.isInteger() || b.isReal());
  return numbers ? a.doubleValue() == b.doubleValue() : a == b;
}

}  // namespace

runtime::Class* PSSegmentTableCell::runtimeClass() {
  return runtime::objc_registerClass("PSSegmentTableCell", &PSControlTableCell::runtimeClass);
}

void PSSegmentTableCell::initWithSpecifier(const PSSpecifier& specifier) {
  // A specifier list is checked when loaded: a segment row has as many titles as values.
  values_ = *specifier.propertyForKey("validValues")->array();
  std::vector<std::string> titles;
  for (const auto& title : *specifier.propertyForKey("validTitles")->array()) {
    titles.push_back(title.string() ? *title.string() : "");
  }
  setControl(uikit::UISegmentedControl::initWithItems(std::move(titles)));
}

std::optional<PropertyList> PSSegmentTableCell::value() const {
  int64_t selected = static_cast<uikit::UISegmentedControl&>(*control()).selectedSegmentIndex();
  if (selected < 0 || selected >= static_cast<int64_t>(values_.size())) return std::nullopt;
  return values_[selected];
}

void PSSegmentTableCell::setValue(const std::optional<PropertyList>& value) {
  int64_t index = uikit::UISegmentedControlNoSegment;
  for (size_t i = 0; value && i < values_.size(); ++i) {
    if (sameValue(values_[i], *value)) index = static_cast<int64_t>(i);
  }
  static_cast<uikit::UISegmentedControl&>(*control()).setSelectedSegmentIndex(index);
}

}  // namespace platform::preferences
