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
  // rows says why.
  std::vector<std::string> show(const std::string& page);
  // Changes the row of the key, on whichever page holds it, as a person would: on/off for a
  // switch, a number on a slider's range and steps, one of a segment's values, any text for a
  // text field. A value in quotes is text, never a switch position or a number. Nothing is
  // written when the key has no row, the row is greyed, the value does not fit the row's control
  // or is no UTF-8 text. A change the pane could not store (its alert says so) is an error too.
  void set(const std::string& key, const Word& value);
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

  std::shared_ptr<platform::foundation::NSBundle> bundle_;
  std::shared_ptr<platform::uikit::UIWindow> window_;
  std::shared_ptr<platform::uikit::UINavigationController> outer_;
  std::shared_ptr<platform::uikit::UINavigationController> inner_;
  std::shared_ptr<platform::preferences::PSListController> root_;
};

}  // namespace lunadoze::sim
