#include "platform/uikit/UINibDecoder.h"

#include <array>
#include <utility>

#include "platform/runtime/Class.h"
#include "platform/runtime/Runtime.h"
#include "platform/uikit/NSLayoutConstraint.h"
#include "platform/uikit/UIColor.h"
#include "platform/uikit/UIControl.h"
#include "platform/uikit/UIFont.h"
#include "platform/uikit/UINib.h"

namespace platform::uikit {
namespace {

using foundation::PropertyList;

constexpr std::string_view kOwnerId = "owner";

// Stands in for an entry that is not a dictionary, so that its errors have a place.
const PropertyList::Dictionary kNoFields;

std::optional<double> number(const PropertyList& value) {
  if (!value.isInteger() && !value.isReal()) return std::nullopt;
  return value.doubleValue();
}

// An array of exactly four numbers, as rectangles and colours are written.
std::optional<std::array<double, 4>> fourNumbers(const PropertyList& value) {
  const PropertyList::Array* items = value.array();
  std::array<double, 4> numbers{};
  if (items == nullptr || items->size() != numbers.size()) return std::nullopt;
  for (size_t i = 0; i < numbers.size(); ++i) {
    auto item = number((*items)[i]);
    if (!item) return std::nullopt;
    numbers[i] = *item;
  }
  return numbers;
}

// By name: the class need not have been registered before the object's own class was.
bool isKindOfClassNamed(const runtime::NSObject* object, std::string_view name) {
  for (const runtime::Class* cls = object != nullptr ? object->isa() : nullptr; cls != nullptr;
       cls = cls->superclass()) {
    if (cls->name() == name) return true;
  }
  return false;
}

std::optional<NSLayoutAttribute> layoutAttribute(std::string_view name) {
  static constexpr std::array<std::pair<std::string_view, NSLayoutAttribute>, 10> kAttributes{{
      {"left", NSLayoutAttributeLeft},
      {"right", NSLayoutAttributeRight},
      {"top", NSLayoutAttributeTop},
      {"bottom", NSLayoutAttributeBottom},
      {"leading", NSLayoutAttributeLeading},
      {"trailing", NSLayoutAttributeTrailing},
      {"width", NSLayoutAttributeWidth},
      {"height", NSLayoutAttributeHeight},
      {"centerX", NSLayoutAttributeCenterX},
      {"centerY", NSLayoutAttributeCenterY},
  }};
  for (const auto& [attributeName, attribute] : kAttributes) {
    if (attributeName == name) return attribute;
  }
  return std::nullopt;
}

std::optional<NSLayoutRelation> layoutRelation(std::string_view name) {
  if (name == "equal") return NSLayoutRelationEqual;
  if (name == "lessThanOrEqual") return NSLayoutRelationLessThanOrEqual;
  if (name == "greaterThanOrEqual") return NSLayoutRelationGreaterThanOrEqual;
  return std::nullopt;
}

}  // namespace

class UINibDecoder::Scope {
 public:
  Scope(UINibDecoder& decoder, const PropertyList::Dictionary& entry, std::string place)
      : decoder_(decoder),
        savedEntry_(std::exchange(decoder.entry_, &entry)),
        savedPlace_(std::exchange(decoder.place_, std::move(place))) {}
  Scope(const Scope&) = delete;
  Scope& operator=(const Scope&) = delete;
  ~Scope() {
    decoder_.entry_ = savedEntry_;
    decoder_.place_ = std::move(savedPlace_);
  }

 private:
  UINibDecoder& decoder_;
  const PropertyList::Dictionary* savedEntry_;
  std::string savedPlace_;
};

UINibDecoder::UINibDecoder(const PropertyList::Dictionary& root, std::string fileName)
    : entry_(&root), place_(std::move(fileName)) {}

const PropertyList* UINibDecoder::value(std::string_view key) const {
  auto found = entry_->find(key);
  return found == entry_->end() ? nullptr : &found->second;
}

void UINibDecoder::failWithError(std::string_view key, std::string_view what) {
  if (!error_) error_ = place_ + ": " + std::string(key) + " " + std::string(what);
}

bool UINibDecoder::containsValueForKey(std::string_view key) const {
  return value(key) != nullptr;
}

bool UINibDecoder::decodeBoolForKey(std::string_view key, bool defaultValue) {
  const PropertyList* found = value(key);
  if (found == nullptr) return defaultValue;
  if (!found->isBool()) {
    failWithError(key, "is not a boolean");
    return defaultValue;
  }
  return *found->boolValue();
}

int64_t UINibDecoder::decodeIntegerForKey(std::string_view key, int64_t defaultValue) {
  const PropertyList* found = value(key);
  if (found == nullptr) return defaultValue;
  if (!found->isInteger()) {
    failWithError(key, "is not an integer");
    return defaultValue;
  }
  return *found->integerValue();
}

double UINibDecoder::decodeDoubleForKey(std::string_view key, double defaultValue) {
  const PropertyList* found = value(key);
  if (found == nullptr) return defaultValue;
  auto result = number(*found);
  if (!result) {
    failWithError(key, "is not a number");
    return defaultValue;
  }
  return *result;
}

std::string UINibDecoder::decodeStringForKey(std::string_view key, std::string defaultValue) {
  const PropertyList* found = value(key);
  if (found == nullptr) return defaultValue;
  if (!found->isString()) {
    failWithError(key, "is not a string");
    return defaultValue;
  }
  return *found->string();
}

CGRect UINibDecoder::decodeRectForKey(std::string_view key, CGRect defaultValue) {
  const PropertyList* found = value(key);
  if (found == nullptr) return defaultValue;
  auto numbers = fourNumbers(*found);
  if (!numbers) {
    failWithError(key, "is not (x, y, width, height)");
    return defaultValue;
  }
  const auto [x, y, width, height] = *numbers;
  return CGRectMake(x, y, width, height);
}

std::shared_ptr<UIColor> UINibDecoder::decodeColorForKey(std::string_view key) {
  const PropertyList* found = value(key);
  if (found == nullptr) return nullptr;
  if (const std::string* name = found->string()) {
    if (*name == "white") return UIColor::whiteColor();
    if (*name == "black") return UIColor::blackColor();
    if (*name == "clear") return UIColor::clearColor();
  } else if (auto components = fourNumbers(*found)) {
    const auto [red, green, blue, alpha] = *components;
    return UIColor::colorWithRed(red, green, blue, alpha);
  }
  failWithError(key, "is not a colour: (red, green, blue, alpha) or white, black, clear");
  return nullptr;
}

std::shared_ptr<UIFont> UINibDecoder::decodeFontForKey(std::string_view key) {
  const PropertyList* found = value(key);
  if (found == nullptr) return nullptr;
  if (auto size = number(*found)) return UIFont::systemFontOfSize(*size);
  if (found->isDictionary()) {
    const PropertyList* size = (*found)["size"];
    const PropertyList* weight = (*found)["weight"];
    auto sizeValue = size != nullptr ? number(*size) : std::nullopt;
    auto weightValue = weight != nullptr ? number(*weight) : std::optional<double>(UIFontWeightRegular);
    if (sizeValue && weightValue) return UIFont::systemFontOfSize(*sizeValue, *weightValue);
  }
  failWithError(key, "is not a font: a size, or { size; weight; }");
  return nullptr;
}

std::vector<std::shared_ptr<runtime::NSObject>> UINibDecoder::decodeObjectsForKey(std::string_view key) {
  std::vector<std::shared_ptr<runtime::NSObject>> objects;
  const PropertyList* found = value(key);
  if (found == nullptr) return objects;
  const PropertyList::Array* entries = found->array();
  if (entries == nullptr) {
    failWithError(key, "is not an array of objects");
    return objects;
  }
  for (size_t i = 0; i < entries->size() && !error_; ++i) {
    std::string place = place_ + "." + std::string(key) + "[" + std::to_string(i) + "]";
    if (auto object = decodeObject((*entries)[i], std::move(place))) objects.push_back(std::move(object));
  }
  return objects;
}

std::shared_ptr<runtime::NSObject> UINibDecoder::decodeObject(const PropertyList& entry, std::string place) {
  const PropertyList::Dictionary* fields = entry.dictionary();
  Scope scope(*this, fields != nullptr ? *fields : kNoFields, std::move(place));
  if (fields == nullptr) {
    failWithError("entry", "is not a dictionary");
    return nullptr;
  }
  std::string className = decodeStringForKey("class");
  UINib::Factory factory = UINib::factoryForClass(className);
  if (factory == nullptr) {
    failWithError("class",
                  className.empty() ? "is missing" : "names " + className + ", which is not registered");
    return nullptr;
  }
  place_ += " (" + className + ")";
  std::string id = decodeStringForKey("id");
  if (id == kOwnerId || objectsById_.contains(id)) failWithError("id", id + " is taken");
  if (error_) return nullptr;

  std::shared_ptr<runtime::NSObject> object = factory(*this);
  if (!id.empty()) objectsById_.emplace(id, object);
  decoded_.push_back({object, fields, place_});
  return object;
}

std::vector<std::shared_ptr<runtime::NSObject>> UINibDecoder::instantiate(runtime::id owner) {
  const PropertyList::Dictionary* ownerFields = checkOwner(owner);
  auto objects = decodeObjectsForKey("objects");
  // Every object exists now, so constraints and connections may name any of them.
  connect(ownerFields);
  if (error_) objects.clear();
  return objects;
}

const PropertyList::Dictionary* UINibDecoder::checkOwner(runtime::id owner) {
  const PropertyList* ownerEntry = value("owner");
  const PropertyList::Dictionary* ownerFields = ownerEntry != nullptr ? ownerEntry->dictionary() : nullptr;
  if (ownerEntry != nullptr && ownerFields == nullptr) failWithError("owner", "is not a dictionary");
  if (owner != nullptr) {
    if (auto retained = owner->retained()) objectsById_.emplace(std::string(kOwnerId), std::move(retained));
  }
  if (ownerFields == nullptr) return nullptr;
  const PropertyList* ownerClass = (*ownerEntry)["class"];
  if (ownerClass != nullptr && ownerClass->isString() && !isKindOfClassNamed(owner, *ownerClass->string()))
    failWithError("owner", "must be a " + *ownerClass->string());
  return ownerFields;
}

void UINibDecoder::connect(const PropertyList::Dictionary* ownerFields) {
  for (const auto& decoded : decoded_) {
    if (error_) return;
    makeConstraints(decoded);
  }
  for (const auto& decoded : decoded_) {
    if (error_) return;
    Scope scope(*this, *decoded.entry, decoded.place);
    if (const PropertyList* outlets = value("outlets")) connectOutlets(*outlets, *decoded.object);
    if (const PropertyList* actions = value("actions")) connectActions(*actions, *decoded.object);
  }
  if (ownerFields != nullptr && !error_) connectOwnerOutlets(*ownerFields);
}

void UINibDecoder::connectOwnerOutlets(const PropertyList::Dictionary& ownerFields) {
  Scope scope(*this, ownerFields, place_ + ": owner");
  const PropertyList* outlets = value("outlets");
  if (outlets == nullptr) return;
  auto ownerObject = objectsById_.find(kOwnerId);
  if (ownerObject == objectsById_.end()) {
    failWithError("outlets", "belong to the owner, and there is none");
    return;
  }
  connectOutlets(*outlets, *ownerObject->second);
}

void UINibDecoder::makeConstraints(const Decoded& decoded) {
  Scope scope(*this, *decoded.entry, decoded.place);
  const PropertyList* found = value("constraints");
  if (found == nullptr) return;
  auto view = std::dynamic_pointer_cast<UIView>(decoded.object);
  const PropertyList::Array* entries = found->array();
  if (view == nullptr || entries == nullptr) {
    failWithError("constraints",
                  view == nullptr ? "are declared on an object that is not a view" : "is not an array");
    return;
  }
  for (size_t i = 0; i < entries->size() && !error_; ++i) {
    const PropertyList::Dictionary* fields = (*entries)[i].dictionary();
    Scope constraintScope(*this, fields != nullptr ? *fields : kNoFields,
                          decoded.place + ".constraints[" + std::to_string(i) + "]");
    if (fields == nullptr) {
      failWithError("entry", "is not a dictionary");
      return;
    }
    auto first = std::dynamic_pointer_cast<UIView>(objectForIdKey(*fields, "firstItem"));
    auto second = containsValueForKey("secondItem")
                      ? std::dynamic_pointer_cast<UIView>(objectForIdKey(*fields, "secondItem"))
                      : nullptr;
    auto firstAttribute = layoutAttribute(decodeStringForKey("firstAttribute"));
    auto secondAttribute = containsValueForKey("secondAttribute")
                               ? layoutAttribute(decodeStringForKey("secondAttribute"))
                               : std::optional(NSLayoutAttributeNotAnAttribute);
    auto relation = layoutRelation(decodeStringForKey("relation", "equal"));
    if (first == nullptr) failWithError("firstItem", "is not a view");
    if (containsValueForKey("secondItem") && second == nullptr) failWithError("secondItem", "is not a view");
    if (!firstAttribute) failWithError("firstAttribute", "is not an attribute");
    if (!secondAttribute) failWithError("secondAttribute", "is not an attribute");
    if (!relation) failWithError("relation", "is not equal, lessThanOrEqual or greaterThanOrEqual");
    if (error_) return;
    auto constraint = NSLayoutConstraint::constraintWithItem(
        first.get(), *firstAttribute, *relation, second.get(), *secondAttribute,
        decodeDoubleForKey("multiplier", 1), decodeDoubleForKey("constant"));
    constraint->setPriority(
        static_cast<UILayoutPriority>(decodeDoubleForKey("priority", UILayoutPriorityRequired)));
    constraint->setActive(decodeBoolForKey("active", true));
    std::string id = decodeStringForKey("id");
    if (id == kOwnerId || objectsById_.contains(id)) failWithError("id", id + " is taken");
    if (!id.empty()) objectsById_.emplace(id, constraint);
    view->addConstraint(std::move(constraint));
  }
}

void UINibDecoder::connectOutlets(const PropertyList& outlets, runtime::NSObject& source) {
  const PropertyList::Dictionary* names = outlets.dictionary();
  auto* responder = dynamic_cast<UIResponder*>(&source);
  if (names == nullptr || responder == nullptr) {
    failWithError("outlets", names == nullptr ? "is not a dictionary" : "belong to an object that has none");
    return;
  }
  for (const auto& [name, id] : *names) {
    auto destination = objectForIdKey(*names, name);
    if (destination == nullptr) return;
    if (!responder->setValueForOutlet(name, destination)) {
      failWithError("outlets", "name " + name + ", which " + source.isa()->name() + " has no slot for a " +
                                   destination->isa()->name());
      return;
    }
  }
}

void UINibDecoder::connectActions(const PropertyList& actions, runtime::NSObject& source) {
  const PropertyList::Array* entries = actions.array();
  auto* control = dynamic_cast<UIControl*>(&source);
  if (entries == nullptr || control == nullptr) {
    failWithError("actions",
                  entries == nullptr ? "is not an array" : "belong to an object that is not a control");
    return;
  }
  for (const auto& entry : *entries) {
    const PropertyList::Dictionary* fields = entry.dictionary();
    const PropertyList* selector = fields != nullptr ? entry["selector"] : nullptr;
    const PropertyList* events = fields != nullptr ? entry["events"] : nullptr;
    if (selector == nullptr || !selector->isString() || events == nullptr || !events->isInteger()) {
      failWithError("actions", "need a selector and events");
      return;
    }
    auto target = objectForIdKey(*fields, "target");
    if (target == nullptr) return;
    control->addTarget(target.get(), *selector->string(),
                       static_cast<UIControlEvents>(*events->integerValue()));
  }
}

std::shared_ptr<runtime::NSObject> UINibDecoder::objectForIdKey(const PropertyList::Dictionary& entry,
                                                                std::string_view key) {
  auto found = entry.find(key);
  const std::string* id = found != entry.end() ? found->second.string() : nullptr;
  if (id == nullptr) {
    failWithError(key, "is not the id of an object");
    return nullptr;
  }
  auto object = objectsById_.find(*id);
  if (object == objectsById_.end()) {
    failWithError(key, *id == kOwnerId ? "names the owner, and there is none"
                                       : "names " + *id + ", which no object has");
    return nullptr;
  }
  return object->second;
}

}  // namespace platform::uikit
