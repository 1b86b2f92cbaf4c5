#pragma once

#include <array>
#include <memory>
#include <optional>
#include <ostream>
#include <string_view>
#include <vector>

#include "sim/pictures/Picture.h"
#include "sim/pictures/ViewPainter.h"

namespace lunadoze::sim {

class Device;

// The pictures of SpringBoard's screens as the person sees them: Control Center's now-playing
// module over its backdrop, the lock screen over its wallpaper, and the panel's place in the module.
// A screen drawn again is drawn over its last picture where that no longer shows it, which is
// most often a few rows: the same pixels as a picture drawn afresh, at a fraction of the work.
class ScreenPainter {
 public:
  enum class Screen { ControlCenter, LockScreen, Panel };
  static constexpr std::string_view kScreenNames = "cc, lock, panel";

  static std::optional<Screen> screenNamed(std::string_view name);

  // A screen that is not shown is drawn as that place looks then, without it, and `notes` says
  // so. CommandError when SpringBoard does not run. The picture does not change once drawn: the
  // next one is drawn over it only when nobody holds it any more.
  std::shared_ptr<const Picture> draw(Device& device, Screen screen, std::ostream& notes);

 private:
  // What a screen shows: the place it covers, in points, what is behind the views and the views.
  enum class Backdrop { ControlCenter, Wallpaper, Dark };
  struct Look {
    platform::uikit::CGRect area;
    Backdrop backdrop = Backdrop::Dark;
    const platform::uikit::UIView* content = nullptr;
  };
  // A screen's last picture, and the items it was drawn from.
  struct Canvas {
    std::shared_ptr<Picture> picture;
    Look look;
    std::vector<ViewPainter::Item> items;
  };

  static Look lookOf(Device& device, Screen screen, std::ostream& notes);

  std::array<Canvas, 3> canvases_;
};

}  // namespace lunadoze::sim
