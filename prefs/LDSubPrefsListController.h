#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "platform/preferences/HBRootListController.h"
#include "platform/uikit/CGGeometry.h"

namespace platform::settings {
class HBPreferences;
}

namespace platform::uikit {
class UIColor;
class UILabel;
}  // namespace platform::uikit

namespace lunadoze::prefs {

// Every sub-page of the tweak's settings: the link row that opens it names the page's specifier
// list in "LDSubPrefs" and its title in its name. Rows of the timer actions and of the bedtime
// timer are greyed out while their switch is off.
class LDSubPrefsListController : public platform::preferences::HBRootListController {
  RUNTIME_CLASS(LDSubPrefsListController)

 public:
  void init() override;

  void setSpecifier(std::shared_ptr<platform::preferences::PSSpecifier> specifier) override;
  void reloadSpecifiers() override;
  void loadFromSpecifier(const std::shared_ptr<platform::preferences::PSSpecifier>& specifier);
  void setupNavigationTitleView();

  platform::uikit::CGFloat tableViewHeightForHeaderInSection(platform::uikit::UITableView* tableView,
                                                             int64_t section) override;

  std::optional<platform::foundation::PropertyList> readPreferenceValue(
      platform::preferences::PSSpecifier* specifier) override;
  void setPreferenceValue(const platform::foundation::PropertyList& value,
                          platform::preferences::PSSpecifier* specifier) override;
  void enableDisableCellIfNeededForKey(const std::string& key,
                                       const platform::foundation::PropertyList& value);
  void setCellForRowAtIndexPath(platform::uikit::NSIndexPath indexPath, bool enabled);
  std::shared_ptr<platform::uikit::UIColor> getHeaderColorFromColor(
      const platform::uikit::UIColor& color) const;

  const std::shared_ptr<platform::uikit::UILabel>& titleLabel() const { return titleLabel_; }
  void setTitleLabel(std::shared_ptr<platform::uikit::UILabel> label) { titleLabel_ = std::move(label); }

 private:
  void viewDidLoad();
  void viewWillAppear();

  std::shared_ptr<platform::settings::HBPreferences> preferences_;
  std::shared_ptr<platform::uikit::UILabel> titleLabel_;
};

}  // namespace lunadoze::prefs
