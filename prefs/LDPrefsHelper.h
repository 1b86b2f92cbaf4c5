#pragma once

#include <memory>
#include <optional>
#include <string>

#include "platform/foundation/PropertyList.h"
#include "platform/uikit/UIColor.h"

namespace platform::preferences {
class HBAppearanceSettings;
class PSListController;
class PSSpecifier;
}  // namespace platform::preferences

namespace platform::settings {
class HBPreferences;
}

namespace platform::uikit {
class UILabel;
class UITableViewCell;
class UIView;
class UIViewController;
}  // namespace platform::uikit

namespace lunadoze::prefs {

// What the root page and the sub-pages share: the theme, the title label, row greying and the
// way a changed value reaches the settings domain and SpringBoard.
class LDPrefsHelper {
 public:
  static std::shared_ptr<platform::uikit::UIColor> themeColor();
  // The colour that, drawn at 0.85 opacity over white, gives `color`: a translucent bar of that
  // colour shows the theme colour itself.
  static std::shared_ptr<platform::uikit::UIColor> getHeaderColorFromColor(
      const platform::uikit::UIColor& color);
  static std::shared_ptr<platform::preferences::HBAppearanceSettings> appearanceSettings();

  // The bold, white, centred title label of a page's navigation bar, without text.
  static std::shared_ptr<platform::uikit::UILabel> makeTitleLabel();
  // Ties the view's top, leading, trailing and bottom to the container's, the container holding
  // the constraints.
  static void pinEdges(platform::uikit::UIView& view, platform::uikit::UIView& container);
  // The bar of the Settings app's outer navigation controller (the page's navigation controller's
  // own navigation controller): theme colour, no hairline, white buttons, no large titles.
  static void colourNavigationBar(platform::uikit::UIViewController& page);

  // Greys a row out (or back in): no touches, dimmed texts, a disabled control, a faded text field.
  // A missing cell is skipped.
  static void setCellEnabled(platform::uikit::UITableViewCell* cell, bool enabled);

  // The value stored for the row's key as the row shows it; nullopt (the row shows its default)
  // when there is none. A slider's row reads it into the slider's range, as the tweak reads the
  // setting, so that the pane never shows another value than the one SpringBoard acts on.
  static std::optional<platform::foundation::PropertyList> storedValue(
      const platform::settings::HBPreferences& preferences,
      const platform::preferences::PSSpecifier& specifier);

  // Stores the value for the row's key, writes the domain, then posts the row's
  // "PostNotification"; a row without one posts nothing. NO when the value is not stored (text
  // that is no UTF-8, or a domain that cannot be written): nothing is posted, and the page tells
  // the person so in an alert and shows the row's stored value again.
  static bool store(platform::preferences::PSListController& page,
                    platform::settings::HBPreferences& preferences,
                    const platform::foundation::PropertyList& value,
                    platform::preferences::PSSpecifier& specifier);
};

}  // namespace lunadoze::prefs
