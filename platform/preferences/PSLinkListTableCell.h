#pragma once

#include "platform/preferences/PSSegmentTableCell.h"

namespace platform::preferences {

// A row that offers one of the specifier's "validValues" from a list of its "validTitles" and
// shows the chosen title as its detail text. The list is the choice itself, not an accessory: the
// cell keeps it hidden at its trailing end, where a person's choice reaches it.
class PSLinkListTableCell : public PSSegmentTableCell {
  RUNTIME_CLASS(PSLinkListTableCell)

 public:
  void setValue(const std::optional<foundation::PropertyList>& value) override;

 protected:
  void initWithSpecifier(const PSSpecifier& specifier) override;

 private:
  void showSelectedTitle();
};

}  // namespace platform::preferences
