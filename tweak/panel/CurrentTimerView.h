#pragma once

#include <memory>
#include <string_view>

#include "platform/uikit/NSLayoutConstraint.h"
#include "platform/uikit/UIButton.h"
#include "platform/uikit/UILabel.h"
#include "platform/uikit/UIView.h"
#include "tweak/panel/SnoozeMode.h"

namespace lunadoze {

// The panel's page while a snooze runs, and the confirmation right after one starts: a title,
// the remaining value (written into timerLabel from outside) and its unit, over a bar of BACK,
// CANCEL and the extend button that can collapse. Loaded from the "CurrentTimerView" interface
// file.
class CurrentTimerView : public platform::uikit::UIView {
  RUNTIME_CLASS(CurrentTimerView)

 public:
  static constexpr platform::uikit::CGFloat kBottomBarHeight = 50;

  // [[CurrentTimerView alloc] init]: the view of the interface file, with its button titles; nil
  // when the resource bundle has no such file.
  static std::shared_ptr<CurrentTimerView> create();

  // Title and unit for the value timerLabel shows now, and the extend button's title for the mode
  // ("+10 min" with extendMinutes, "+1 song"); any other mode changes nothing.
  void setupViewWithMode(SnoozeMode mode);
  void hideBottomButtons(bool hide);

  std::shared_ptr<platform::uikit::UILabel> timerLabel() const { return timerLabel_.lock(); }
  std::shared_ptr<platform::uikit::UIButton> backButton() const { return backButton_.lock(); }
  std::shared_ptr<platform::uikit::UIButton> cancelTimerButton() const { return cancelTimerButton_.lock(); }
  std::shared_ptr<platform::uikit::UIButton> extendButton() const { return extendButton_.lock(); }
  std::shared_ptr<platform::uikit::UILabel> titleLabel() const { return titleLabel_.lock(); }
  std::shared_ptr<platform::uikit::UILabel> subtitleLabel() const { return subtitleLabel_.lock(); }
  std::shared_ptr<platform::uikit::NSLayoutConstraint> bottomButtonHeightConstraint() const {
    return bottomButtonHeightConstraint_.lock();
  }

  bool setValueForOutlet(std::string_view name,
                         const std::shared_ptr<platform::runtime::NSObject>& object) override;

 private:
  // Outlets: the view tree owns what they point to.
  std::weak_ptr<platform::uikit::UILabel> timerLabel_;
  std::weak_ptr<platform::uikit::UIButton> backButton_;
  std::weak_ptr<platform::uikit::UIButton> cancelTimerButton_;
  std::weak_ptr<platform::uikit::UIButton> extendButton_;
  std::weak_ptr<platform::uikit::UILabel> titleLabel_;
  std::weak_ptr<platform::uikit::UILabel> subtitleLabel_;
  std::weak_ptr<platform::uikit::NSLayoutConstraint> bottomButtonHeightConstraint_;
};

}  // namespace lunadoze
