#pragma once

#include <memory>

#include "sim/pictures/Picture.h"

namespace platform::preferences {
class PSListController;
}
namespace platform::uikit {
class UINavigationBar;
}

namespace lunadoze::sim {

// A page of the Settings app as the person sees it: the navigation bar with the page's title (or
// its title view) and its right button, then the table's grouped sections with every row, since
// the simulated screen is tall enough for all of them.
class SettingsPagePainter {
 public:
  static constexpr double kWidth = 320;

  static std::unique_ptr<Picture> draw(platform::preferences::PSListController& page,
                                       const platform::uikit::UINavigationBar& bar);
};

}  // namespace lunadoze::sim
