#pragma once

#include <memory>
#include <optional>
#include <ostream>
#include <string_view>

#include "sim/pictures/Picture.h"

namespace lunadoze::sim {

class Device;

// The pictures of SpringBoard's screens as the person sees them: Control Center's now-playing
// module over its backdrop, the lock screen over its wallpaper, and the panel's place in the module.
class ScreenPainter {
 public:
  enum class Screen { ControlCenter, LockScreen, Panel };
  static constexpr std::string_view kScreenNames = "cc, lock, panel";

  static std::optional<Screen> screenNamed(std::string_view name);

  // A screen that is not shown is drawn as that place looks then, without it, and `notes` says
  // so. CommandError when SpringBoard does not run.
  static std::unique_ptr<Picture> draw(Device& device, Screen screen, std::ostream& notes);
};

}  // namespace lunadoze::sim
