#include "platform/preferences/PSSpecifier.h"

#include <utility>

#include "platform/preferences/PSListController.h"
#include "platform/runtime/Runtime.h"

namespace platform::preferences {

using foundation::Error;
using foundation::PropertyList;

namespace {

constexpr std::pair<std::string_view, PSCellType> kCellTypes[] = {
    {"PSGroupCell", PSGroupCell},           {"PSLinkCell", PSLinkCell},
    {"PSSliderCell", PSSliderCell},         {"PSSwitchCell", PSSwitchCell},
    {"PSStaticTextCell", PSStaticTextCell}, {"PSEditTextCell", PSEditTextCell},
    {"PSSegmentCell", PSSegmentCell},       {"PSButtonCell", PSButtonCell},
};

// What a row of the kind needs to work, or the reason it cannot.
std::optional<std::string> problemOfRow(PSCellType type, const PropertyList& item) {
  if (type == PSSegmentCell) {
    const PropertyList* values = item["validValues"];
    const PropertyList* titles = item["validTitles"];
    if (values == nullptr || !values->array() || values->array()->empty()) return "has no \"validValues\"";
    if (titles == nullptr || !titles->array() || titles->array()->size() != values->array()->size()) {
      return "has \"validTitles\" that do not match its \"validValues\"";
    }
  }
  if (type == PSButtonCell) {
    const PropertyList* action = item["action"];
    if (action == nullptr || !action->string() || action->string()->empty()) return "has no \"action\"";
  }
  if (type == PSSliderCell) {
    const PropertyList* min = item["min"];
    const PropertyList* max = item["max"];
    auto low = min ? min->doubleValue() : std::nullopt;
    auto high = max ? max->doubleValue() : std::nullopt;
    if (!low || !high || !(*low < *high)) return "has no range (a \"min\" below its \"max\")";
  }
  return std::nullopt;
}

}  // namespace

runtime::Class* PSSpecifier::runtimeClass() {
  return runtime::objc_registerClass("PSSpecifier", &runtime::NSObject::runtimeClass);
}

foundation::Result<std::shared_ptr<PSSpecifier>> PSSpecifier::specifierWithItem(const PropertyList& item) {
  if (!item.dictionary()) return Error{"is not a dictionary"};
  const PropertyList* cell = item["cell"];
  if (cell == nullptr || !cell->string()) return Error{"has no \"cell\""};
  std::optional<PSCellType> type;
  for (auto [name, value] : kCellTypes) {
    if (*cell->string() == name) type = value;
  }
  if (!type) return Error{"has an unknown cell \"" + *cell->string() + "\""};
  if (auto problem = problemOfRow(*type, item)) return Error{"(" + *cell->string() + ") " + *problem};
  auto specifier = std::make_shared<PSSpecifier>();
  specifier->cellType_ = *type;
  specifier->properties_ = *item.dictionary();
  return specifier;
}

std::string PSSpecifier::name() const {
  auto label = propertyForKey("label");
  return label && label->string() ? *label->string() : "";
}

std::optional<PropertyList> PSSpecifier::propertyForKey(std::string_view key) const {
  auto found = properties_.find(key);
  if (found == properties_.end()) return std::nullopt;
  return found->second;
}

void PSSpecifier::setProperty(PropertyList value, const std::string& key) {
  properties_.insert_or_assign(key, std::move(value));
}

void PSSpecifier::removePropertyForKey(std::string_view key) {
  if (auto found = properties_.find(key); found != properties_.end()) properties_.erase(found);
}

std::optional<PropertyList> PSSpecifier::performGetter() {
  auto controller = target();
  return controller ? controller->readPreferenceValue(this) : std::nullopt;
}

void PSSpecifier::performSetterWithValue(const PropertyList& value) {
  if (auto controller = target()) controller->setPreferenceValue(value, this);
}

}  // namespace platform::preferences
