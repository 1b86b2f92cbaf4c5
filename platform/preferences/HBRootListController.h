#pragma once

#include <memory>

#include "platform/preferences/PSListController.h"

namespace platform::preferences {

class HBAppearanceSettings;

// The list controller that a tweak's preference pages derive from. Its page takes the colours of
// its appearance settings each time it comes on screen: the navigation bar's background, buttons
// and title, the controls' tint and the table's separators.
class HBRootListController : public PSListController {
  RUNTIME_CLASS(HBRootListController)

 public:
  const std::shared_ptr<HBAppearanceSettings>& hb_appearanceSettings() const { return appearanceSettings_; }
  void hb_setAppearanceSettings(std::shared_ptr<HBAppearanceSettings> settings);

 private:
  void applyAppearanceSettings();

  std::shared_ptr<HBAppearanceSettings> appearanceSettings_;
};

}  // namespace platform::preferences
