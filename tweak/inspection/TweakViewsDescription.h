#pragma once

#include <string_view>
#include <vector>

namespace platform::uikit {
class UIControl;
class UIDatePicker;
class UIImageView;
class UILabel;
class UIPickerView;
class UIView;
}  // namespace platform::uikit

namespace lunadoze {

// The tweak's own views as a host that loaded the library may inspect them: the sleep button, the
// lock-screen indicator and the panel with its pages, and the controls a person can tap, each by
// the name a person would give it ("sleep", "confirm", "airplane"...). Null where a view does not
// exist (yet). The pointers are valid until the views change.
struct TweakViewsDescription {
  struct Control {
    std::string_view name;
    platform::uikit::UIControl* control;
  };

  platform::uikit::UIView* sleepButton = nullptr;
  platform::uikit::UILabel* sleepButtonLabel = nullptr;
  platform::uikit::UIImageView* sleepButtonIcon = nullptr;
  platform::uikit::UIView* indicator = nullptr;
  platform::uikit::UILabel* indicatorLabel = nullptr;
  platform::uikit::UIImageView* indicatorIcon = nullptr;
  platform::uikit::UIView* panel = nullptr;
  platform::uikit::UIView* chooseTimePage = nullptr;
  platform::uikit::UIView* currentTimerPage = nullptr;
  platform::uikit::UIView* timerActionsPage = nullptr;
  // Which of its two lists the timer-actions page shows; meaningful only with the page.
  bool timerActionsShowStart = false;
  platform::uikit::UIDatePicker* timePicker = nullptr;
  platform::uikit::UIPickerView* songsPicker = nullptr;
  platform::uikit::UILabel* songsCaptionLabel = nullptr;
  platform::uikit::UILabel* currentTimerTitleLabel = nullptr;
  platform::uikit::UILabel* timerLabel = nullptr;
  platform::uikit::UILabel* unitLabel = nullptr;
  std::vector<Control> controls;
};

}  // namespace lunadoze

// Read-only, for a host that loaded the library and finds the function by this name.
extern "C" void LunadozeDescribeViews(lunadoze::TweakViewsDescription* description);
