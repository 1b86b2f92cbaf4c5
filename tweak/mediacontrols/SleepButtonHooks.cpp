#include "tweak/mediacontrols/SleepButtonHooks.h"

#include "platform/foundation/NSRunLoop.h"
#include "platform/runtime/Runtime.h"
#include "platform/springboard/MediaControlsParentContainerView.h"
#include "platform/springboard/MediaControlsTransportButton.h"
#include "platform/springboard/MediaControlsTransportStackView.h"
#include "platform/uikit/UIControl.h"
#include "platform/uikit/UIFont.h"
#include "platform/uikit/UILabel.h"
#include "tweak/core/LunadozeSelectors.h"
#include "tweak/core/OriginalImplementations.h"
#include "tweak/core/Settings.h"
#include "tweak/core/SystemVersion.h"
#include "tweak/core/ViewGlobals.h"
#include "tweak/engine/SnoozeState.h"
#include "tweak/panel/LunadozeImageButton.h"
#include "tweak/panel/LunadozeViewController.h"
#include "tweak/support/BundleHelper.h"
#include "tweak/support/LocalizationHelper.h"
#include "tweak/support/LocalizedText.h"

namespace lunadoze {
namespace {

using platform::runtime::send;
using platform::springboard::MediaControlsTransportStackView;
using platform::uikit::CGFloat;
using platform::uikit::CGRectMake;

constexpr CGFloat kButtonHeight = 40;
constexpr CGFloat kButtonFontSize = 17;
constexpr CGFloat kButtonContentAlpha = 0.85;

MediaControlsTransportStackView* stackView(id self) {
  return platform::runtime::downcast<MediaControlsTransportStackView>(self);
}

// Where the sleep button and the transport buttons go depends on the next-up list, which takes the
// room below the controls, and on the system that lays it out.
struct LayoutCase {
  CGFloat transportButtonsMoveUp;
  CGFloat sleepButtonTopFromBottom;
};

LayoutCase layoutCase(bool nextUpShown) {
  if (!nextUpShown) return {25, 40};
  const float version = systemVersion();
  if (version >= 11.0f && version < 12.0f) return {5, 11};
  return {0, 0};
}

// The button's title while no snooze runs.
const std::string& sleepTitle() {
  static LocalizedText title("SLEEP");
  return title.text();
}

}  // namespace

void MediaControlsTransportStackView_layoutSubviews(id self) {
  original::MediaControlsTransportStackView_layoutSubviews(self);
  auto* view = stackView(self);
  // The lock-screen indicator comes first: the gates below are about Control Center.
  if (view->style() == 3 || (lastMediaControlsParentViewForNextUpSupport != nullptr &&
                             lastMediaControlsParentViewForNextUpSupport->style() == 3)) {
    send(self, selectors::setupTimerButtonInNC);
  }
  if (view->alpha() == 0 || view->style() != 0 || view->isHidden() || !ccMediaModuleIsExpanded) return;
  if (lastMediaControlsTransportStackView == nullptr)
    lastMediaControlsTransportStackView = view->retained<MediaControlsTransportStackView>();
  send(self, selectors::setupTimerButton);
  send(self, selectors::initLunadozeVC);
  if (ccMediaModuleIsExpanded) send(self, selectors::moveUpActionMediaButtons);
}

void MediaControlsTransportStackView_setupTimerButton(id self) {
  auto* view = stackView(self);
  if (setTimerButton == nullptr) {
    setTimerButton = LunadozeImageButton::create(BundleHelper::getImageWithName("sleepIcon"),
                                                 platform::uikit::UIFont::systemFontOfSize(kButtonFontSize));
    if (auto content = setTimerButton->contentView()) content->setAlpha(kButtonContentAlpha);
    setTimerButton->addTarget(self, selectors::setTimeButtonClicked,
                              platform::uikit::UIControlEventTouchUpInside);
    view->addSubview(setTimerButton);
  }
  // The button stays with the stack view that made it; any other one leaves it alone.
  if (setTimerButton->superview().get() != view) return;

  // While the route picker covers the controls beside the next-up list, a pass must not bring the
  // button back over it.
  const bool nextUpShown = isNextUpShown();
  if (!(airplayViewIsShowed && nextUpShown)) setTimerButton->setHidden(!ccMediaModuleIsExpanded);
  const CGFloat width = view->frame().size.width;
  const CGFloat height = view->frame().size.height;
  setTimerButton->setFrame(
      CGRectMake(0, height - layoutCase(nextUpShown).sleepButtonTopFromBottom, width, kButtonHeight));

  // A stop time that has passed without the timer firing (it waits in the default mode while the
  // person drags): fire it now, so that playback stops as asked instead of playing on.
  if (auto timer = snoozeTimer) {
    const auto secondsLeft =
        static_cast<float>(timer->fireDate() - platform::foundation::NSRunLoop::mainRunLoop().currentTime());
    if (secondsLeft < 0 && timer->isValid()) timer->fire();
  }

  if (timeSnoozeIsRunning) {
    startRemainingTimeLabelsTimer();
  } else if (songsSnoozeIsRunning) {
    send(self, selectors::updateButtonTextWithRemainingNbSongs);
  } else {
    send(self, selectors::setTimerButtonText, sleepTitle());
  }
  view->setClipsToBounds(false);
  setTimerButton->setIconHidden(hideMoonIconInCC);
}

void MediaControlsTransportStackView_moveUpActionMediaButtons(id self) {
  auto* view = stackView(self);
  const CGFloat offset = layoutCase(isNextUpShown()).transportButtonsMoveUp;
  // The stack view owns its buttons: no reference needs taking.
  for (auto* button : {view->middleButton().get(), view->rightButton().get(), view->leftButton().get()}) {
    auto frame = button->frame();
    frame.origin.y -= offset;
    button->setFrame(frame);
  }
}

void MediaControlsTransportStackView_cancelButtonClicked(id) {
  resetSnoozeState();
  if (lunadozeVC != nullptr) lunadozeVC->transitionBetweenChooseTimeAndCurrentTimerViewFromChooseTime(false);
}

void MediaControlsTransportStackView_updateButtonTextWithRemainingNbSongs(id self) {
  if (!songsSnoozeIsRunning) {
    send(self, selectors::setTimerButtonText, sleepTitle());
    return;
  }
  const int64_t remaining = nbSongsToPlayBeforeStop - nbSongsPlayed;
  const std::string number = LocalizationHelper::getLocalizedNumberStringFrom(remaining);
  const std::string text = remaining == 1 ? BundleHelper::getLocalizedStringFor("1_SONG")
                                          : LocalizationHelper::stringWithFormat(
                                                BundleHelper::getLocalizedStringFor("N_SONG"), number);
  send(self, selectors::setTimerButtonText, text);
  if (lunadozeVC != nullptr && lunadozeVC->currentTimerView() != nullptr) {
    if (auto label = lunadozeVC->currentTimerView()->timerLabel()) label->setText(number);
  }
  send(self, selectors::setCurrentTimerButtonInNCText, text);
}

void MediaControlsTransportStackView_setTimerButtonText(id, const std::string& text) {
  if (setTimerButton == nullptr) return;
  if (auto label = setTimerButton->textLabel()) label->setText(text);
}

}  // namespace lunadoze
