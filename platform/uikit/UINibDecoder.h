#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/foundation/PropertyList.h"
#include "platform/runtime/NSObject.h"
#include "platform/uikit/CGGeometry.h"

namespace platform::uikit {

class UIColor;
class UIFont;

// Reads an interface file's objects for their classes' initWithCoder. It stands at one object's
// entry at a time; the decode methods read that entry's keys (an absent key reads as the given
// default, a value of the wrong kind records an error and reads as the default too).
// The format is described in UINib.h.
class UINibDecoder {
 public:
  bool containsValueForKey(std::string_view key) const;
  bool decodeBoolForKey(std::string_view key, bool defaultValue = false);
  int64_t decodeIntegerForKey(std::string_view key, int64_t defaultValue = 0);
  double decodeDoubleForKey(std::string_view key, double defaultValue = 0);
  std::string decodeStringForKey(std::string_view key, std::string defaultValue = {});
  CGRect decodeRectForKey(std::string_view key, CGRect defaultValue = CGRectZero);
  // An array [red, green, blue, alpha] or one of the names "white", "black", "clear".
  std::shared_ptr<UIColor> decodeColorForKey(std::string_view key);
  // A number (the system font of that size) or a dictionary {size, weight}.
  std::shared_ptr<UIFont> decodeFontForKey(std::string_view key);
  // Makes the objects of an array of entries, each through its class's factory, in order.
  std::vector<std::shared_ptr<runtime::NSObject>> decodeObjectsForKey(std::string_view key);

  // Records that the value of the key is wrong (`what` says how), at the current entry. Loading
  // fails with the first error recorded.
  void failWithError(std::string_view key, std::string_view what);
  const std::optional<std::string>& error() const { return error_; }

 private:
  friend class UINib;

  // An object with the entry it was made from, for the connections made once all exist.
  struct Decoded {
    std::shared_ptr<runtime::NSObject> object;
    const foundation::PropertyList::Dictionary* entry;
    std::string place;
  };

  UINibDecoder(const foundation::PropertyList::Dictionary& root, std::string fileName);

  // Makes the file's objects, then the constraints, then connects the outlets and actions; the
  // top-level objects, or none once an error is recorded.
  std::vector<std::shared_ptr<runtime::NSObject>> instantiate(runtime::id owner);
  // Keeps the owner under its id and checks it against the class the file asks for; the owner's
  // entry, if the file has one.
  const foundation::PropertyList::Dictionary* checkOwner(runtime::id owner);
  // The second phase, once every object exists: constraints, then outlets and actions of the
  // objects, then the owner's outlets. It stops at the first error.
  void connect(const foundation::PropertyList::Dictionary* ownerFields);
  void connectOwnerOutlets(const foundation::PropertyList::Dictionary& ownerFields);
  std::shared_ptr<runtime::NSObject> decodeObject(const foundation::PropertyList& entry, std::string place);
  void makeConstraints(const Decoded& decoded);
  void connectOutlets(const foundation::PropertyList& outlets, runtime::NSObject& source);
  void connectActions(const foundation::PropertyList& actions, runtime::NSObject& source);
  // The object of the id that the value of the key holds, recording an error when there is none.
  std::shared_ptr<runtime::NSObject> objectForIdKey(const foundation::PropertyList::Dictionary& entry,
                                                    std::string_view key);
  // Makes `entry` the current one (with its place) for the rest of the scope.
  class Scope;

  const foundation::PropertyList* value(std::string_view key) const;

  const foundation::PropertyList::Dictionary* entry_;
  std::string place_;
  std::optional<std::string> error_;
  std::map<std::string, std::shared_ptr<runtime::NSObject>, std::less<>> objectsById_;
  std::vector<Decoded> decoded_;
};

}  // namespace platform::uikit
