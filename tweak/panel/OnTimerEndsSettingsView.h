#pragma once

#include <array>
#include <memory>
#include <string_view>
#include <utility>

#include "platform/uikit/UIButton.h"
#include "platform/uikit/UILabel.h"
#include "platform/uikit/UIView.h"
#include "tweak/panel/CheckboxButton.h"

namespace lunadoze {

// The panel's timer-actions page: the actions run when a snooze starts or when it ends, shown one
// set at a time (the hourglass switches), as checkboxes bound to the six settings keys. Every
// change of set and every hiding by the panel stores the checkboxes shown; every showing and every
// change of set loads them. Loaded from the "OnTimerEndsSettingsView" interface file.
class OnTimerEndsSettingsView : public platform::uikit::UIView {
  RUNTIME_CLASS(OnTimerEndsSettingsView)

 public:
  static constexpr double kHourglassFlipDuration = 0.4;

  // [[OnTimerEndsSettingsView alloc] init]: the view of the interface file after setup, showing
  // the end actions; nil when the resource bundle has no such file.
  static std::shared_ptr<OnTimerEndsSettingsView> create();
  void setup();

  // The action of toggleStartEndButton.
  void toggleStateButtonClicked(platform::uikit::UIView* sender);

  bool currentStateIsStart() const { return currentStateIsStart_; }
  void setCurrentStateIsStart(bool currentStateIsStart);

  void restoreSettings();
  // Stores the boxes the person changed since they were last loaded, and only those, so that a
  // change made meanwhile in Settings to another box survives. NO when they could not be stored:
  // the boxes then show the stored values again.
  bool saveSettingsToPrefsPlist();

  std::shared_ptr<platform::uikit::UILabel> titleLabel() const { return titleLabel_.lock(); }
  std::shared_ptr<platform::uikit::UIButton> backButton() const { return backButton_.lock(); }
  std::shared_ptr<platform::uikit::UIButton> toggleStartEndButton() const {
    return toggleStartEndButton_.lock();
  }
  std::shared_ptr<CheckboxButton> planeModeButton() const { return planeModeButton_.lock(); }
  std::shared_ptr<CheckboxButton> dndButton() const { return dndButton_.lock(); }
  std::shared_ptr<CheckboxButton> bluetoothButton() const { return bluetoothButton_.lock(); }
  std::shared_ptr<CheckboxButton> customVolumeButton() const { return customVolumeButton_.lock(); }

  bool setValueForOutlet(std::string_view name,
                         const std::shared_ptr<platform::runtime::NSObject>& object) override;

 private:
  // The three checkboxes the current set shows, each with its settings key.
  std::array<std::pair<std::shared_ptr<CheckboxButton>, const char*>, 3> visibleCheckboxes() const;

  // Outlets: the view tree owns what they point to.
  std::weak_ptr<platform::uikit::UILabel> titleLabel_;
  bool currentStateIsStart_ = false;
  std::weak_ptr<platform::uikit::UIButton> backButton_;
  std::weak_ptr<platform::uikit::UIButton> toggleStartEndButton_;
  std::weak_ptr<CheckboxButton> planeModeButton_;
  std::weak_ptr<CheckboxButton> dndButton_;
  std::weak_ptr<CheckboxButton> bluetoothButton_;
  std::weak_ptr<CheckboxButton> customVolumeButton_;
  // What restoreSettings loaded into the visible boxes, in their order.
  std::array<bool, 3> restoredStates_{};
};

}  // namespace lunadoze
