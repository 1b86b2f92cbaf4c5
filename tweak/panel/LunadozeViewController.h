#pragma once

#include <memory>
#include <vector>

#include "platform/uikit/CGGeometry.h"
#include "platform/uikit/UIView.h"
#include "platform/uikit/UIViewController.h"
#include "tweak/panel/ChooseSnoozeTimeView.h"
#include "tweak/panel/CurrentTimerView.h"
#include "tweak/panel/OnTimerEndsSettingsView.h"
#include "tweak/panel/SnoozeMode.h"

namespace lunadoze {

// The timer panel over the host's media controls, with its three pages stacked in its view:
// choose time, current timer, timer actions. A page is presented by sliding in from below while
// the transition views slide up out of sight, or by fading in while they fade out; the panel
// leaves the way it came and puts the transition views back where they were.
class LunadozeViewController : public platform::uikit::UIViewController {
  RUNTIME_CLASS(LunadozeViewController)

 public:
  static constexpr double kAnimationDuration = 0.3;
  static constexpr platform::uikit::CGFloat kPageAlpha = 0.85;

  // [[LunadozeViewController alloc] init]. The pages come at the view's first layout pass.
  static std::shared_ptr<LunadozeViewController> create();

  // viewWillLayoutSubviews is overridden in the method table: it creates the missing pages.
  void initChooseSnoozeTimeView();
  void initCurrentTimerView();
  void initOnTimerEndsSettingsView();

  // The transition view is kept while the page is presented, and handed back on dismissal.
  void showChooseSnoozeTimeView(bool show, platform::uikit::UIView* transitionView, bool slideAnimated);
  void showCurrentTimerView(bool show, platform::uikit::UIView* transitionView, bool slideAnimated);
  // Slides or fades the panel in or out over the transition views. The transition view is not
  // read here: the panel moves every one of transitionViews.
  void show(bool show, bool slideAnimated, platform::uikit::UIView* transitionView);
  // Cross-dissolves between the two pages in place; the way out stays the way the panel came in.
  void transitionBetweenChooseTimeAndCurrentTimerViewFromChooseTime(bool fromChooseTime);
  // Does nothing while no page is presented.
  void dismissCurrentView();
  // Its selector, for the delayed dismissal of the confirmation.
  static constexpr platform::runtime::Selector<void()> dismissCurrentViewSelector{"dismissCurrentView"};
  void showOnTimerEndsSettingsView();
  // Also stores the timer actions.
  void hideOnTimerEndsSettingsView();
  void backButtonClicked();
  SnoozeMode selectedMode() const;
  void performHapticFeedback();

  const std::shared_ptr<ChooseSnoozeTimeView>& chooseSnoozeTimeView() const { return chooseSnoozeTimeView_; }
  void setChooseSnoozeTimeView(std::shared_ptr<ChooseSnoozeTimeView> view) {
    chooseSnoozeTimeView_ = std::move(view);
  }
  const std::shared_ptr<CurrentTimerView>& currentTimerView() const { return currentTimerView_; }
  void setCurrentTimerView(std::shared_ptr<CurrentTimerView> view) { currentTimerView_ = std::move(view); }
  const std::shared_ptr<OnTimerEndsSettingsView>& onTimerEndsSettingsView() const {
    return onTimerEndsSettingsView_;
  }
  void setOnTimerEndsSettingsView(std::shared_ptr<OnTimerEndsSettingsView> view) {
    onTimerEndsSettingsView_ = std::move(view);
  }
  // The host's views that make room for the panel. They stay the host's: the panel changes only
  // their frame, alpha and hidden state. An absent (null) one is skipped.
  const std::vector<std::shared_ptr<platform::uikit::UIView>>& transitionViews() const {
    return transitionViews_;
  }
  void setTransitionViews(std::vector<std::shared_ptr<platform::uikit::UIView>> views) {
    transitionViews_ = std::move(views);
  }

  // The presentation state, readable for what shows the panel.
  bool chooseSnoozeTimeViewShowed() const { return chooseSnoozeTimeViewShowed_; }
  bool currentTimerViewShowed() const { return currentTimerViewShowed_; }
  bool hasBeenShownUsingSlideAnimation() const { return hasBeenShownUsingSlideAnimation_; }

 private:
  // Takes the panel's resting frame and the transition view, and records the transition views'
  // frames, as a page is presented.
  void beginPresentation(platform::uikit::UIView* transitionView);
  // The four ways of show: in from below as the transition views slide up out of sight, in
  // fading as they fade out, and out the same two ways, putting them back. Their completions run
  // later: they hold the controller, and read the transition views then.
  void slideIn();
  void fadeIn();
  void slideOut();
  void fadeOut();
  // Where the panel waits out of sight while it slides: just below its resting frame.
  platform::uikit::CGRect belowContainer() const;
  // A page is presented: the animations that end later check it, as a presentation or a
  // dismissal may have come while they ran.
  bool isPresented() const { return chooseSnoozeTimeViewShowed_ || currentTimerViewShowed_; }

  bool chooseSnoozeTimeViewShowed_ = false;
  bool currentTimerViewShowed_ = false;
  platform::uikit::CGRect containerFrame_;
  std::shared_ptr<platform::uikit::UIView> containerView_;
  // One frame per element of transitionViews, as they were when the presentation began.
  std::vector<platform::uikit::CGRect> transitionViewsOriginalFramesArray_;
  // How the last presentation came in, set as its way in begins; it chooses the way out.
  bool hasBeenShownUsingSlideAnimation_ = false;
  std::shared_ptr<ChooseSnoozeTimeView> chooseSnoozeTimeView_;
  std::shared_ptr<CurrentTimerView> currentTimerView_;
  std::shared_ptr<OnTimerEndsSettingsView> onTimerEndsSettingsView_;
  std::vector<std::shared_ptr<platform::uikit::UIView>> transitionViews_;
};

}  // namespace lunadoze
