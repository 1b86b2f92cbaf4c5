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

// A page of the Settings app as the person sees it, as wide as its table: the navigation bar with
// the page's title (or its title view) and its right button, then the table's grouped sections,
// each with its group's label above and footer below, with every row, since the simulated screen
// is tall enough for all of them.
class SettingsPagePainter {
 public:
  static std::unique_ptr<Picture> draw(platform::preferences::PSListController& page,
                                       const platform::uikit::UINavigationBar& bar);
};

}  // namespace lunadoze::sim
