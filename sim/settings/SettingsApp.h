#pragma once

#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/uikit/NSIndexPath.h"
#include "sim/ScriptSyntax.h"

namespace platform::foundation {
class NSBundle;
}
namespace platform::preferences {
class PSListController;
class PSSpecifier;
}  // namespace platform::preferences
namespace platform::uikit {
class UIAlertController;
class UINavigationController;
class UITableViewCell;
class UIWindow;
}  // namespace platform::uikit

namespace lunadoze::sim {

// What the Settings app could not do: the message says what and why.
class SettingsError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A person's action that the pane does not allow: a greyed row, a value its control cannot take.
class SettingsRefusal : public SettingsError {
 public:
  using SettingsError::SettingsError;
};

// The Settings app with the tweak's entry opened: the preferences bundle loaded from the device
// root (its executable opened, its principal class found by name), the root page pushed inside
// the app's two navigation controllers, and then the pages driven as a person drives them. Pages
// show every row at once (the simulated screen is tall enough), so each row reads its value when
// its page first shows, in list order.
class SettingsApp {
 public:
  // The device root must be set. Throws SettingsError when the entry or its bundle cannot be loaded.
  SettingsApp();
  ~SettingsApp();

  // The rows of the page, one line each: "S.R KEY = VALUE" with " (greyed)" on greyed rows,
  // "S.R > PAGE "Title"" for the links to sub-pages, and "S.R text "Label"" or "S.R button
  // "Label"" for the other rows; then "alert "Title": "Button", ..." while an alert is shown.
  // PAGE is a sub-page's specifier list name; "" or "Prefs" is the root page. A page without
  // rows says why. With `labels`, each setting's row ends with its label in quotes.
  std::vector<std::string> show(const std::string& page, bool labels = false);
  // The page's rows as JSON: an array of objects with the row's position, key, value, label and
  // whether it is greyed.
  std::string showJson(const std::string& page);
  // The row of the key as `show` prints it, from whichever page holds it; SettingsError naming
  // the nearest key when no page has a row for it.
  std::string row(const std::string& key);
  // Every setting key with what its row takes, one line each: "KEY  on or off", "KEY  a number
  // from 1 to 180 in steps of 1", in page order.
  std::vector<std::string> keys();
  // Scrolls the root page to the content offset y.
  void scroll(double y);
  // What the root page's title view shows: "icon" or "text".
  std::string title();
  // The frame of the root page's header image, "x y width height"; "none" without one.
  std::string headerFrame();
  // Changes the row of the key, on whichever page holds it, as a person would: on/off for a
  // switch, a number on a slider's range and steps, one of a segment's values, any text for a
  // text field. A value in quotes is text, never a switch position or a number. Nothing is
  // written when the key has no row, the row is greyed, the value does not fit the row's control
  // (a SettingsRefusal for the last two) or is no UTF-8 text. A change the pane could not store
  // (its alert says so) is an error too. Returns the row as `show` prints it after the change.
  std::string set(const std::string& key, const Word& value);
  // Taps the root page's "Respring" button; an error while it is not shown.
  void respring();
  // Taps the button row of the label, on whichever page holds it; an error when it is greyed.
  // While an alert is shown, only answerAlert can touch anything.
  void tap(const std::string& label);
  // Taps the button of the title in the alert that is shown.
  void answerAlert(const std::string& button);
  // Writes a PNG picture of the page ("" or "Prefs": the root page) as the person sees it.
  void screenshot(const std::string& page, const std::string& file);

 private:
  struct Row {
    platform::uikit::NSIndexPath indexPath;
    std::shared_ptr<platform::preferences::PSSpecifier> specifier;
    std::shared_ptr<platform::uikit::UITableViewCell> cell;
  };

  // Brings the page on screen: the root page, or the sub-page of a link of the root page.
  platform::preferences::PSListController& openPage(const std::string& page);
  std::vector<std::string> subPages();
  std::optional<Row> findRow(platform::preferences::PSListController& page, const std::string& key);
  std::shared_ptr<platform::uikit::UIAlertController> shownAlert() const;
  void refuseUnderAlert() const;
  void settle();
  // The row of the key on the page in front, else on the first page that has it; opens that page.
  std::optional<Row> findRowAnywhere(const std::string& key);
  std::vector<std::string> pageNames();
  // SettingsError for a key no page has, naming the nearest.
  [[noreturn]] void noRowFor(const std::string& key);

  std::shared_ptr<platform::foundation::NSBundle> bundle_;
  std::shared_ptr<platform::uikit::UIWindow> window_;
  std::shared_ptr<platform::uikit::UINavigationController> outer_;
  std::shared_ptr<platform::uikit::UINavigationController> inner_;
  std::shared_ptr<platform::preferences::PSListController> root_;
};

}  // namespace lunadoze::sim
