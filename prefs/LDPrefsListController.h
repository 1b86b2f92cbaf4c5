#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "platform/preferences/HBRootListController.h"
#include "platform/uikit/CGGeometry.h"
#include "tweak/core/OfferedModes.h"

namespace platform::settings {
class HBPreferences;
}

namespace platform::uikit {
class UIBarButtonItem;
class UIColor;
class UIImageView;
class UILabel;
class UIView;
}  // namespace platform::uikit

namespace lunadoze::prefs {

// The tweak's root page in the Settings app: the specifier list "Prefs" over a stretching header
// image, a title that gives way to the icon as the list scrolls, the "Respring" button once the
// master switch has changed, rows greyed out while their setting has no effect, and a reset of
// every setting.
class LDPrefsListController : public platform::preferences::HBRootListController {
  RUNTIME_CLASS(LDPrefsListController)

 public:
  void init() override;

  const Specifiers& specifiers() override;

  void respring(platform::runtime::id sender);
  // The "Reset all settings" row: asks first, then removes every stored value of the domain.
  void resetSettings(platform::runtime::id sender);
  void removeAllSettings();
  void setupNavigationTitleView();
  void setupNavigationRespringButton();
  void setupHeaderView();

  void scrollViewDidScroll(platform::uikit::UIScrollView* scrollView) override;
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

  // The last "enabledModes" this page read or wrote; 0 until then.
  int64_t enabledModes() const { return enabledModes_; }

  const std::shared_ptr<platform::uikit::UILabel>& titleLabel() const { return titleLabel_; }
  void setTitleLabel(std::shared_ptr<platform::uikit::UILabel> label) { titleLabel_ = std::move(label); }
  const std::shared_ptr<platform::uikit::UIImageView>& iconView() const { return iconView_; }
  void setIconView(std::shared_ptr<platform::uikit::UIImageView> view) { iconView_ = std::move(view); }
  const std::shared_ptr<platform::uikit::UIBarButtonItem>& respringButton() const { return respringButton_; }
  void setRespringButton(std::shared_ptr<platform::uikit::UIBarButtonItem> button) {
    respringButton_ = std::move(button);
  }
  const std::shared_ptr<platform::uikit::UIView>& headerView() const { return headerView_; }
  void setHeaderView(std::shared_ptr<platform::uikit::UIView> view) { headerView_ = std::move(view); }
  const std::shared_ptr<platform::uikit::UIImageView>& headerImageView() const { return headerImageView_; }
  void setHeaderImageView(std::shared_ptr<platform::uikit::UIImageView> view) {
    headerImageView_ = std::move(view);
  }

 private:
  void viewDidLoad();
  void viewWillAppear();

  int64_t enabledModes_ = OfferedModesBoth;
  std::shared_ptr<platform::settings::HBPreferences> preferences_;
  std::shared_ptr<platform::uikit::UILabel> titleLabel_;
  std::shared_ptr<platform::uikit::UIImageView> iconView_;
  std::shared_ptr<platform::uikit::UIBarButtonItem> respringButton_;
  std::shared_ptr<platform::uikit::UIView> headerView_;
  std::shared_ptr<platform::uikit::UIImageView> headerImageView_;
};

}  // namespace lunadoze::prefs
