#include "sim/settings/SettingsApp.h"

#include <dlfcn.h>

#include <cmath>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <string_view>

#include "platform/foundation/DeviceFileSystem.h"
#include "platform/foundation/NSBundle.h"
#include "platform/foundation/NSRunLoop.h"
#include "platform/foundation/NSString.h"
#include "platform/foundation/PropertyList.h"
#include "platform/preferences/PSEditableTableCell.h"
#include "platform/preferences/PSListController.h"
#include "platform/preferences/PSSegmentTableCell.h"
#include "platform/preferences/PSSliderTableCell.h"
#include "platform/preferences/PSSpecifier.h"
#include "platform/preferences/PSSwitchTableCell.h"
#include "platform/runtime/Runtime.h"
#include "platform/uikit/UIAlertAction.h"
#include "platform/uikit/UIAlertController.h"
#include "platform/uikit/UIBarButtonItem.h"
#include "platform/uikit/UIButton.h"
#include "platform/uikit/UIImageView.h"
#include "platform/uikit/UINavigationController.h"
#include "platform/uikit/UINavigationItem.h"
#include "platform/uikit/UIScreen.h"
#include "platform/uikit/UISegmentedControl.h"
#include "platform/uikit/UISlider.h"
#include "platform/uikit/UISwitch.h"
#include "platform/uikit/UITableView.h"
#include "platform/uikit/UIWindow.h"
#include "sim/NearestNames.h"
#include "sim/StateFormat.h"
#include "sim/pictures/SettingsPagePainter.h"

namespace lunadoze::sim {

using platform::foundation::DeviceFileSystem;
using platform::foundation::PropertyList;
using platform::preferences::PSListController;
using platform::preferences::PSSpecifier;
using namespace platform::uikit;

namespace {

constexpr const char* kEntriesPath = "/Library/PreferenceLoader/Preferences";
constexpr const char* kEntryLabel = "Lunadoze";
constexpr const char* kRootPage = "Prefs";

std::string text(const PropertyList* value) {
  return value != nullptr && value->string() ? *value->string() : "";
}

PropertyList readPlist(const std::string& devicePath) {
  auto host = DeviceFileSystem::resolve(devicePath);
  auto plist = host ? PropertyList::readFile(*host)
                    : platform::foundation::Error{devicePath + " is outside the device"};
  if (!plist) throw SettingsError(plist.error());
  return std::move(plist).value();
}

// The bundle of the Settings entry labelled "Lunadoze", as the Settings list shows it.
std::string entryBundlePath() {
  auto directory = DeviceFileSystem::resolve(kEntriesPath);
  std::error_code error;
  for (const auto& file : std::filesystem::directory_iterator(directory.value_or(""), error)) {
    if (file.path().extension() != ".plist") continue;
    auto entry = PropertyList::readFile(file.path());
    const PropertyList* fields = entry ? (*entry)["entry"] : nullptr;
    if (fields == nullptr || text((*fields)["label"]) != kEntryLabel) continue;
    return "/Library/PreferenceBundles/" + text((*fields)["bundle"]) + ".bundle";
  }
  throw SettingsError(std::string("no Settings entry \"") + kEntryLabel + "\" in " + kEntriesPath);
}

// The sub-page that a link row opens (its specifier list's name); "" for every other row.
std::string subPageOf(const PSSpecifier& specifier) {
  auto list = specifier.propertyForKey("LDSubPrefs");
  return specifier.cellType() == platform::preferences::PSLinkCell && list ? text(&*list) : "";
}

// The page's rows in list order.
std::vector<NSIndexPath> rowsOf(PSListController& page) {
  std::vector<NSIndexPath> rows;
  auto* table = page.table().get();
  for (int64_t section = 0; section < table->numberOfSections(); ++section) {
    for (int64_t row = 0; row < table->numberOfRowsInSection(section); ++row) {
      rows.push_back(NSIndexPath::indexPathForRow(row, section));
    }
  }
  return rows;
}

bool isText(const Word& word) {
  return word.raw.starts_with('"');
}

// The value for a message; a quoted one is named as text, which no switch or number row takes.
std::string typed(const Word& word) {
  return isText(word) ? "the text " + inQuotes(word.text) : inQuotes(word.text);
}

std::string formatValue(const std::optional<PropertyList>& value) {
  if (!value) return "none";
  if (value->isBool()) return *value->boolValue() ? "on" : "off";
  if (value->string()) return inQuotes(*value->string());
  if (auto number = value->doubleValue()) return formatNumber(*number);
  return "none";
}

// The words a script writes for numbers; a quoted word is text.
std::optional<double> parseNumber(const Word& word) {
  if (isText(word)) return std::nullopt;
  return parseDecimal(word.text);
}

// What the row's control takes, as errors and `keys` say it.
std::string takes(UITableViewCell& cell) {
  using namespace platform::preferences;
  if (dynamic_cast<PSSwitchTableCell*>(&cell) != nullptr) return "on or off";
  if (auto* slider = dynamic_cast<PSSliderTableCell*>(&cell)) {
    auto& control = static_cast<UISlider&>(*slider->control());
    std::string range = formatNumber(control.minimumValue()) + " to " + formatNumber(control.maximumValue());
    if (slider->step()) range += " in steps of " + formatNumber(*slider->step());
    return "a number from " + range;
  }
  if (auto* segments = dynamic_cast<PSSegmentTableCell*>(&cell)) {
    auto& control = static_cast<UISegmentedControl&>(*segments->control());
    auto choice = [&](size_t index) {
      return formatValue(segments->values()[index]) + " (" +
             control.titleForSegmentAtIndex(static_cast<int64_t>(index)) + ")";
    };
    const size_t count = segments->values().size();
    // A long list (the times of day) reads by its first steps and its end.
    constexpr size_t kListedChoices = 8;
    if (count > kListedChoices) {
      return "one of " + std::to_string(count) + " values: " + choice(0) + ", " + choice(1) + ", " +
             choice(2) + ", ... " + choice(count - 1);
    }
    std::string choices;
    for (size_t index = 0; index < count; ++index) choices += (index == 0 ? "" : ", ") + choice(index);
    return "one of " + choices;
  }
  if (dynamic_cast<PSEditableTableCell*>(&cell) != nullptr) return "any text";
  return "nothing (it cannot be changed)";
}

// A person's change of the row's control: validated first, so a value the control cannot take
// changes nothing.
void changeControl(const std::string& key, UITableViewCell& cell, const Word& value) {
  using namespace platform::preferences;
  auto refuse = [&] { throw SettingsRefusal(key + " takes " + takes(cell) + ", not " + typed(value)); };
  if (auto* toggle = dynamic_cast<PSSwitchTableCell*>(&cell)) {
    if (isText(value) || (value.text != "on" && value.text != "off")) refuse();
    auto& control = static_cast<UISwitch&>(*toggle->control());
    control.setOn(value.text == "on");
    control.sendActionsForControlEvents(UIControlEventValueChanged);
  } else if (auto* slider = dynamic_cast<PSSliderTableCell*>(&cell)) {
    auto& control = static_cast<UISlider&>(*slider->control());
    const double low = control.minimumValue();
    auto number = parseNumber(value);
    bool onStep =
        number && (!slider->step() || std::abs(std::remainder(*number - low, *slider->step())) < 1e-6);
    if (!number || *number < low || *number > control.maximumValue() || !onStep) refuse();
    control.setValue(static_cast<float>(*number));
    control.sendActionsForControlEvents(UIControlEventValueChanged);
  } else if (auto* segments = dynamic_cast<PSSegmentTableCell*>(&cell)) {
    auto& control = static_cast<UISegmentedControl&>(*segments->control());
    auto number = parseNumber(value);
    for (size_t index = 0; index < segments->values().size(); ++index) {
      if (number && segments->values()[index].doubleValue() == number) {
        control.setSelectedSegmentIndex(static_cast<int64_t>(index));
        control.sendActionsForControlEvents(UIControlEventValueChanged);
        return;
      }
    }
    refuse();
  } else if (auto* editable = dynamic_cast<PSEditableTableCell*>(&cell)) {
    editable->textField()->setText(value.text);
    editable->textField()->sendActionsForControlEvents(UIControlEventEditingDidEnd);
  } else {
    throw SettingsRefusal("the row of " + key + " cannot be changed");
  }
}

// Closes the alert as a person does, with its first button.
void closeAlert(UIAlertController& alert) {
  auto button = alert.actions().empty() ? nullptr : alert.buttonForAction(alert.actions().front().get());
  if (button != nullptr) {
    button->sendActionsForControlEvents(UIControlEventTouchUpInside);
  } else {
    alert.dismissViewControllerAnimated(true, nullptr);
  }
}

// The alert's buttons, as a person reads them.
std::string buttonsOf(const UIAlertController& alert) {
  std::string buttons;
  for (const auto& action : alert.actions())
    buttons += (buttons.empty() ? "" : ", ") + inQuotes(action->title());
  return buttons;
}

std::string positionOf(NSIndexPath indexPath) {
  return std::to_string(indexPath.section) + "." + std::to_string(indexPath.row);
}

std::string shownValue(UITableViewCell& cell) {
  auto* shown = dynamic_cast<platform::preferences::PSTableCell*>(&cell);
  return formatValue(shown ? shown->value() : std::nullopt);
}

// A row with a key as `show` prints it: "S.R KEY = VALUE", " (greyed)", and with `labels` its label.
std::string rowLine(NSIndexPath indexPath, const PSSpecifier& specifier, UITableViewCell& cell,
                    const std::string& key, bool labels) {
  std::string line = positionOf(indexPath) + " " + key + " = " + shownValue(cell) +
                     (cell.isUserInteractionEnabled() ? "" : " (greyed)");
  if (labels) line += "  " + inQuotes(specifier.name());
  return line;
}

}  // namespace

SettingsApp::SettingsApp() {
  std::string bundlePath = entryBundlePath();
  bundle_ = platform::foundation::NSBundle::initWithPath(bundlePath);
  if (bundle_ == nullptr) throw SettingsError("no preferences bundle at " + bundlePath);
  PropertyList info = readPlist(bundlePath + "/Info.plist");
  std::string executable = bundlePath + "/" + text(info["CFBundleExecutable"]);
  auto host = DeviceFileSystem::resolve(executable);
  // The bundle stays loaded for the life of the app, as on the device.
  if (!host || dlopen(host->c_str(), RTLD_NOW | RTLD_LOCAL) == nullptr) {
    throw SettingsError("cannot load " + executable + (host ? std::string(": ") + dlerror() : std::string()));
  }
  std::string principal = text(info["NSPrincipalClass"]);
  root_ = PSListController::instantiate(platform::runtime::NSClassFromString(principal));
  if (root_ == nullptr) {
    throw SettingsError("the bundle's principal class " + inQuotes(principal) + " is no list controller");
  }
  root_->setBundle(bundle_);

  // The pane is pushed onto the app's own list, inside an inner navigation controller that the
  // outer one holds, as the Settings app nests them.
  inner_ = UINavigationController::initWithRootViewController(UIViewController::create());
  outer_ = UINavigationController::initWithRootViewController(inner_);
  // The app's window, in which the pane's pages show and present their alerts.
  window_ = UIWindow::create(UIScreen::mainScreen().bounds());
  window_->setRootViewController(outer_);
  window_->makeKeyAndVisible();
  inner_->pushViewController(root_, true);
  root_->table()->layoutIfNeeded();
}

SettingsApp::~SettingsApp() = default;

std::vector<std::string> SettingsApp::subPages() {
  std::vector<std::string> pages;
  for (const auto& specifier : root_->specifiers()) {
    if (auto page = subPageOf(*specifier); !page.empty()) pages.push_back(page);
  }
  return pages;
}

PSListController& SettingsApp::openPage(const std::string& page) {
  bool wantsRoot = page.empty() || page == kRootPage;
  auto top = std::dynamic_pointer_cast<PSListController>(inner_->topViewController());
  if (!wantsRoot && top != nullptr && top != root_ && top->specifier() &&
      subPageOf(*top->specifier()) == page) {
    return *top;
  }
  while (inner_->topViewController() != root_) inner_->popViewControllerAnimated(true);
  if (wantsRoot) return *root_;

  for (auto indexPath : rowsOf(*root_)) {
    if (subPageOf(*root_->specifierAtIndexPath(indexPath)) != page) continue;
    root_->tableViewDidSelectRowAtIndexPath(root_->table().get(), indexPath);
    auto opened = std::dynamic_pointer_cast<PSListController>(inner_->topViewController());
    if (opened == nullptr || opened == root_) throw SettingsError("the link to " + page + " opens nothing");
    opened->table()->layoutIfNeeded();
    return *opened;
  }
  std::string known = kRootPage;
  for (const auto& name : subPages()) known += ", " + name;
  throw SettingsError("no page " + inQuotes(page) + " (pages: " + known + ")");
}

std::vector<std::string> SettingsApp::pageNames() {
  std::vector<std::string> pages{kRootPage};
  for (const auto& name : subPages()) pages.push_back(name);
  return pages;
}

std::optional<SettingsApp::Row> SettingsApp::findRowAnywhere(const std::string& key) {
  // A person changes a row of the page in front of them; otherwise they go looking for it, from
  // the root page through its sub-pages.
  auto shown = std::dynamic_pointer_cast<PSListController>(inner_->topViewController());
  std::optional<Row> row = shown ? findRow(*shown, key) : std::nullopt;
  auto pages = pageNames();
  for (size_t next = 0; !row && next < pages.size(); ++next) row = findRow(openPage(pages[next]), key);
  return row;
}

void SettingsApp::noRowFor(const std::string& key) {
  std::vector<std::string> known;
  for (const auto& line : keys()) known.push_back(line.substr(0, line.find(' ')));
  throw SettingsError("no row for the setting " + inQuotes(key) + " on any page" + didYouMean(key, known));
}

std::optional<SettingsApp::Row> SettingsApp::findRow(PSListController& page, const std::string& key) {
  for (auto indexPath : rowsOf(page)) {
    auto specifier = page.specifierAtIndexPath(indexPath);
    if (specifier->key() == key) {
      return Row{indexPath, specifier, page.tableViewCellForRowAtIndexPath(page.table().get(), indexPath)};
    }
  }
  return std::nullopt;
}

std::vector<std::string> SettingsApp::show(const std::string& pageName, bool labels) {
  auto& page = openPage(pageName);
  std::vector<std::string> lines;
  for (auto indexPath : rowsOf(page)) {
    auto specifier = page.specifierAtIndexPath(indexPath);
    auto cell = page.tableViewCellForRowAtIndexPath(page.table().get(), indexPath);
    if (auto key = specifier->key()) {
      lines.push_back(rowLine(indexPath, *specifier, *cell, *key, labels));
    } else if (auto subPage = subPageOf(*specifier); !subPage.empty()) {
      lines.push_back(positionOf(indexPath) + " > " + subPage + " " + inQuotes(specifier->name()));
    } else {
      bool button = specifier->cellType() == platform::preferences::PSButtonCell;
      lines.push_back(positionOf(indexPath) + (button ? " button " : " text ") + inQuotes(specifier->name()) +
                      (cell->isUserInteractionEnabled() ? "" : " (greyed)"));
    }
  }
  if (auto alert = shownAlert())
    lines.push_back("alert " + inQuotes(alert->title()) + ": " + buttonsOf(*alert));
  if (lines.empty()) {
    lines.push_back("no rows" + (page.specifierLoadError().empty() ? "" : ": " + page.specifierLoadError()));
  }
  return lines;
}

std::string SettingsApp::showJson(const std::string& pageName) {
  auto& page = openPage(pageName);
  nlohmann::json rows = nlohmann::json::array();
  for (auto indexPath : rowsOf(page)) {
    auto specifier = page.specifierAtIndexPath(indexPath);
    auto cell = page.tableViewCellForRowAtIndexPath(page.table().get(), indexPath);
    nlohmann::json row{{"position", positionOf(indexPath)}, {"label", specifier->name()}};
    if (auto key = specifier->key()) {
      row["key"] = *key;
      row["value"] = shownValue(*cell);
      row["greyed"] = !cell->isUserInteractionEnabled();
    } else if (auto subPage = subPageOf(*specifier); !subPage.empty()) {
      row["page"] = subPage;
    } else {
      continue;
    }
    rows.push_back(std::move(row));
  }
  return rows.dump();
}

std::string SettingsApp::row(const std::string& key) {
  auto row = findRowAnywhere(key);
  if (!row) noRowFor(key);
  return rowLine(row->indexPath, *row->specifier, *row->cell, key, false);
}

std::vector<std::string> SettingsApp::keys() {
  std::vector<std::string> lines;
  for (const auto& name : pageNames()) {
    auto& page = openPage(name);
    for (auto indexPath : rowsOf(page)) {
      auto specifier = page.specifierAtIndexPath(indexPath);
      auto key = specifier->key();
      if (!key) continue;
      auto cell = page.tableViewCellForRowAtIndexPath(page.table().get(), indexPath);
      lines.push_back(*key + "  " + takes(*cell) + "  (" + name + " " + positionOf(indexPath) + ", " +
                      inQuotes(specifier->name()) + ")");
    }
  }
  openPage(kRootPage);
  return lines;
}

void SettingsApp::scroll(double y) {
  auto& page = openPage(kRootPage);
  page.table()->setContentOffset({0, y});
}

std::string SettingsApp::title() {
  auto& page = openPage(kRootPage);
  const auto& view = page.navigationItem()->titleView();
  if (view == nullptr) return "none";
  // The label and the icon take the same place; the one that is not transparent shows.
  for (const auto& subview : view->subviews()) {
    if (dynamic_cast<UIImageView*>(subview.get()) != nullptr && subview->alpha() > 0) return "icon";
  }
  return "text";
}

std::string SettingsApp::headerFrame() {
  auto& page = openPage(kRootPage);
  const auto& header = page.table()->tableHeaderView();
  if (header == nullptr) return "none";
  page.table()->layoutIfNeeded();
  for (const auto& subview : header->subviews()) {
    if (dynamic_cast<UIImageView*>(subview.get()) == nullptr) continue;
    const auto frame = subview->frame();
    return formatNumber(frame.origin.x) + " " + formatNumber(frame.origin.y) + " " +
           formatNumber(frame.size.width) + " " + formatNumber(frame.size.height);
  }
  return "none";
}

std::string SettingsApp::set(const std::string& key, const Word& value) {
  refuseUnderAlert();
  auto row = findRowAnywhere(key);
  if (!row) noRowFor(key);
  if (!row->cell->isUserInteractionEnabled()) {
    throw SettingsRefusal(key + " is greyed out: its setting has no effect now");
  }
  if (!platform::foundation::isValidUTF8(value.text)) {
    throw SettingsError(key + " takes UTF-8 text, and the value given is not: nothing is written");
  }
  changeControl(key, *row->cell, value);
  // The pane says in an alert when it could not store the change; the person reads and closes it.
  if (auto alert = shownAlert()) {
    const std::string refusal = alert->title() + ": " + alert->message();
    closeAlert(*alert);
    throw SettingsError(key + " is not changed: " + refusal);
  }
  platform::foundation::NSRunLoop::mainRunLoop().runDueEvents();
  return rowLine(row->indexPath, *row->specifier, *row->cell, key, false);
}

void SettingsApp::tap(const std::string& label) {
  refuseUnderAlert();
  auto isButton = [&label](const PSSpecifier& specifier) {
    return specifier.cellType() == platform::preferences::PSButtonCell && specifier.name() == label;
  };
  std::vector<std::string> pages{kRootPage};
  for (const auto& name : subPages()) pages.push_back(name);
  for (const auto& name : pages) {
    auto& page = openPage(name);
    for (auto indexPath : rowsOf(page)) {
      if (!isButton(*page.specifierAtIndexPath(indexPath))) continue;
      if (!page.tableViewCellForRowAtIndexPath(page.table().get(), indexPath)->isUserInteractionEnabled()) {
        throw SettingsError(inQuotes(label) + " is greyed out");
      }
      page.tableViewDidSelectRowAtIndexPath(page.table().get(), indexPath);
      settle();
      return;
    }
  }
  throw SettingsError("no button " + inQuotes(label) + " on any page");
}

void SettingsApp::answerAlert(const std::string& button) {
  auto alert = shownAlert();
  if (alert == nullptr) throw SettingsError("no alert is shown");
  for (const auto& action : alert->actions()) {
    if (action->title() != button) continue;
    alert->buttonForAction(action.get())->sendActionsForControlEvents(UIControlEventTouchUpInside);
    settle();
    return;
  }
  throw SettingsError("the alert has no button " + inQuotes(button) + " (buttons: " + buttonsOf(*alert) +
                      ")");
}

void SettingsApp::refuseUnderAlert() const {
  // An alert takes every touch until it is answered.
  if (auto alert = shownAlert()) {
    throw SettingsError("the alert " + inQuotes(alert->title()) + " is shown: answer it first (" +
                        buttonsOf(*alert) + ")");
  }
}

std::shared_ptr<UIAlertController> SettingsApp::shownAlert() const {
  for (const auto& controller :
       {std::static_pointer_cast<UIViewController>(outer_),
        std::static_pointer_cast<UIViewController>(inner_), inner_->topViewController()}) {
    if (auto alert = std::dynamic_pointer_cast<UIAlertController>(
            controller ? controller->presentedViewController() : nullptr))
      return alert;
  }
  return nullptr;
}

void SettingsApp::settle() {
  // A person waits for an alert to come or go before the next touch.
  platform::foundation::NSRunLoop::mainRunLoop().advance(UIViewController::kTransitionDuration);
}

void SettingsApp::respring() {
  refuseUnderAlert();
  openPage(kRootPage);
  auto button = root_->navigationItem()->rightBarButtonItem();
  if (button == nullptr) {
    throw SettingsRefusal("the Respring button is not shown: it appears once \"enabled\" has been changed");
  }
  button->tap();
}

void SettingsApp::screenshot(const std::string& page, const std::string& file) {
  if (!file.ends_with(".png")) throw SettingsError("a picture is a .png file, not " + inQuotes(file));
  auto& shown = openPage(page);
  try {
    SettingsPagePainter::draw(shown, *inner_->navigationBar())->writePng(file);
  } catch (const std::runtime_error& error) {
    throw SettingsError(error.what());
  }
}

}  // namespace lunadoze::sim
