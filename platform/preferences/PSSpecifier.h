#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/foundation/PropertyList.h"
#include "platform/foundation/Result.h"
#include "platform/runtime/NSObject.h"

namespace platform::preferences {

class PSListController;
class PSTableCell;

// The kinds of rows a specifier list can hold, by the names the lists use ("PSSwitchCell").
enum PSCellType : int64_t {
  PSGroupCell = 0,
  PSLinkCell = 1,
  // One value picked from a list of titles, the chosen title shown in the row.
  PSLinkListCell = 2,
  PSSliderCell = 5,
  PSSwitchCell = 6,
  PSStaticTextCell = 7,
  PSEditTextCell = 8,
  PSSegmentCell = 9,
  // A row that sends its "action" (a selector taking the specifier) to its target when tapped.
  PSButtonCell = 13,
};

// One item of a specifier list: a group (which starts a section) or a row, with the item's
// properties as the list gives them ("key", "default", "label", "PostNotification", ...). The
// row's value is read and written through its target, the list controller that loaded it.
class PSSpecifier : public runtime::NSObject {
  RUNTIME_CLASS(PSSpecifier)

 public:
  // The specifier of one item of a list: a dictionary with a known "cell" and what that kind of
  // row needs (the values and titles of a segment, the range of a slider). The error says what is
  // wrong with the item.
  static foundation::Result<std::shared_ptr<PSSpecifier>> specifierWithItem(
      const foundation::PropertyList& item);

  PSCellType cellType() const { return cellType_; }
  // The "label" property: the row's title, or the group's header.
  std::string name() const;
  // The "key" property: the setting the row shows, when it is a text.
  std::optional<std::string> key() const;
  const foundation::PropertyList::Dictionary& properties() const { return properties_; }
  // nullopt (nil) when the specifier has no such property.
  std::optional<foundation::PropertyList> propertyForKey(std::string_view key) const;
  void setProperty(foundation::PropertyList value, const std::string& key);
  void removePropertyForKey(std::string_view key);

  std::shared_ptr<PSListController> target() const { return target_.lock(); }
  void setTarget(std::weak_ptr<PSListController> target) { target_ = std::move(target); }
  // The target's readPreferenceValue: and setPreferenceValue:specifier: for this row; nil and
  // nothing without a target.
  std::optional<foundation::PropertyList> performGetter();
  void performSetterWithValue(const foundation::PropertyList& value);

 private:
  friend class PSListController;

  PSCellType cellType_ = PSGroupCell;
  foundation::PropertyList::Dictionary properties_;
  std::weak_ptr<PSListController> target_;
  // The row's cell, made when the table first asks for it and kept with the specifier.
  std::shared_ptr<PSTableCell> cell_;
};

}  // namespace platform::preferences
