#pragma once

#include <memory>
#include <optional>

#include "platform/foundation/PropertyList.h"
#include "platform/uikit/UITableViewCell.h"

namespace platform::preferences {

class PSSpecifier;

// The cell of a row of a specifier list: its label, and the value of its setting in whatever
// control the kind of row has. Links and static texts are plain PSTableCells.
class PSTableCell : public uikit::UITableViewCell {
  RUNTIME_CLASS(PSTableCell)

 public:
  // The cell of the kind the specifier names, with its label; the value comes when it is refreshed.
  static std::shared_ptr<PSTableCell> cellForSpecifier(const std::shared_ptr<PSSpecifier>& specifier);

  std::shared_ptr<PSSpecifier> specifier() const { return specifier_.lock(); }
  // Shows the specifier's label and the value its target reads for it.
  void refreshCellContentsWithSpecifier(const std::shared_ptr<PSSpecifier>& specifier);

  // The value the cell shows; nil for a cell without a value.
  virtual std::optional<foundation::PropertyList> value() const { return std::nullopt; }
  virtual void setValue(const std::optional<foundation::PropertyList>&) {}

 protected:
  // Sets up the cell's control from the specifier's properties; the cell exists in a tree by now.
  virtual void initWithSpecifier(const PSSpecifier&) {}

 private:
  std::weak_ptr<PSSpecifier> specifier_;
};

}  // namespace platform::preferences
