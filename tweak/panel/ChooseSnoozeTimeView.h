#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "platform/uikit/UIButton.h"
#include "platform/uikit/UIDatePicker.h"
#include "platform/uikit/UILabel.h"
#include "platform/uikit/UIPickerView.h"
#include "platform/uikit/UIStackView.h"
#include "platform/uikit/UIView.h"
#include "tweak/core/OfferedModes.h"
#include "tweak/panel/ButtonWithIncreasedTouchArea.h"

namespace lunadoze {

// The panel's first page: a count-down picker (time mode) or a number-of-songs picker with its
// "SONG"/"SONGS" caption (songs mode) in one place, a BACK / CONFIRM bar below, the mode toggle in
// the top right corner and the timer-actions button in the top left one. The view is in songs
// mode exactly while nbSongsPickerView is not hidden.
class ChooseSnoozeTimeView : public platform::uikit::UIView,
                             public platform::uikit::UIPickerViewDataSource,
                             public platform::uikit::UIPickerViewDelegate {
  RUNTIME_CLASS(ChooseSnoozeTimeView)

 public:
  static constexpr platform::uikit::CGFloat kBottomBarHeight = 50;
  static constexpr int64_t kNbSongsRows = 99;
  static constexpr platform::uikit::CGFloat kSongRowHeight = 32;
  static constexpr double kModeSwitchDuration = 0.3;
  static constexpr double kCaptionDuration = 0.2;

  // [[ChooseSnoozeTimeView alloc] initWithFrame:frame].
  static std::shared_ptr<ChooseSnoozeTimeView> create(platform::uikit::CGRect frame);
  void initWithFrame(platform::uikit::CGRect frame) override;

  // layoutSubviews is overridden in the method table.

  void setupView();
  void addTimeSelectorPickerView();
  void addNbSongsSelectorPickerView();
  void addButtons();
  void addToggleModesButton();
  void addSettingsButton();
  void addBottomSeparator();

  // The selected row of the songs picker plus one.
  int64_t nbSongsSelected() const;

  // UIPickerViewDataSource and UIPickerViewDelegate, for the songs picker.
  int64_t numberOfComponentsInPickerView(platform::uikit::UIPickerView* pickerView) override;
  int64_t numberOfRowsInComponent(platform::uikit::UIPickerView* pickerView, int64_t component) override;
  platform::uikit::CGFloat rowHeightForComponent(platform::uikit::UIPickerView* pickerView,
                                                 int64_t component) override;
  std::shared_ptr<platform::uikit::UIView> viewForRow(platform::uikit::UIPickerView* pickerView, int64_t row,
                                                      int64_t component,
                                                      platform::uikit::UIView* reusingView) override;
  std::optional<std::string> titleForRow(platform::uikit::UIPickerView* pickerView, int64_t row,
                                         int64_t component) override;
  void didSelectRow(platform::uikit::UIPickerView* pickerView, int64_t row, int64_t component) override;

  // Brings the caption into agreement with the row (row r stands for r + 1 songs).
  void addOrRemovePluralForRow(int64_t row);

  void toggleModes();
  void showTimerMode();
  void showSongMode();

  // The four settings the host pushes on every panel setup. Each setter does nothing when the
  // value did not change, so that the pickers stay where the user left them. The mode type is one
  // of OfferedModes; another value shows the time picker alone.
  int32_t modeType() const { return modeType_; }
  void setModeType(int32_t modeType);
  int64_t pickerMinutesSteps() const { return pickerMinutesSteps_; }
  void setPickerMinutesSteps(int64_t steps);
  int64_t defaultTimerPickerValue() const { return defaultTimerPickerValue_; }
  void setDefaultTimerPickerValue(int64_t minutes);
  int64_t defaultNbSongsPickerValue() const { return defaultNbSongsPickerValue_; }
  void setDefaultNbSongsPickerValue(int64_t nbSongs);

  const std::shared_ptr<platform::uikit::UIButton>& leftButton() const { return leftButton_; }
  const std::shared_ptr<platform::uikit::UIButton>& rightButton() const { return rightButton_; }
  const std::shared_ptr<ButtonWithIncreasedTouchArea>& topLeftCornerButton() const {
    return topLeftCornerButton_;
  }
  const std::shared_ptr<platform::uikit::UIDatePicker>& timeSelectorPickerView() const {
    return timeSelectorPickerView_;
  }
  const std::shared_ptr<platform::uikit::UIPickerView>& nbSongsPickerView() const {
    return nbSongsPickerView_;
  }

  // Fields of the page's own, readable for what shows it.
  const std::shared_ptr<platform::uikit::UILabel>& musicLabel() const { return musicLabel_; }
  const std::shared_ptr<ButtonWithIncreasedTouchArea>& topRightCornerButton() const {
    return topRightCornerButton_;
  }

 private:
  void layoutParts();

  std::shared_ptr<platform::uikit::UILabel> musicLabel_;
  std::string musicLocalizedlabelText_;
  std::shared_ptr<platform::uikit::UIStackView> bottomButtonsStackView_;
  std::shared_ptr<ButtonWithIncreasedTouchArea> topRightCornerButton_;
  std::shared_ptr<platform::uikit::UIView> bottomSeparator_;
  int32_t modeType_ = OfferedModesBoth;
  int64_t pickerMinutesSteps_ = 0;
  int64_t defaultTimerPickerValue_ = 0;
  int64_t defaultNbSongsPickerValue_ = 0;
  std::shared_ptr<platform::uikit::UIButton> leftButton_;
  std::shared_ptr<platform::uikit::UIButton> rightButton_;
  std::shared_ptr<ButtonWithIncreasedTouchArea> topLeftCornerButton_;
  std::shared_ptr<platform::uikit::UIDatePicker> timeSelectorPickerView_;
  std::shared_ptr<platform::uikit::UIPickerView> nbSongsPickerView_;
};

}  // namespace lunadoze
