#include <gtest/gtest.h>

#include "platform/foundation/NSProcessInfo.h"
#include "platform/runtime/Runtime.h"
#include "platform/springboard/CCUIContentModuleContainerViewController.h"
#include "platform/springboard/MediaControlsParentContainerView.h"
#include "platform/springboard/MediaControlsTransportButton.h"
#include "platform/springboard/SBMediaController.h"
#include "tests/tweak/core/TweakTest.h"
#include "tweak/core/LunadozeSelectors.h"
#include "tweak/core/OriginalImplementations.h"
#include "tweak/engine/ExtendSnoozeHooks.h"
#include "tweak/engine/SpecialTasksHelper.h"
#include "tweak/engine/StopSnoozeHooks.h"
#include "tweak/engine/TimerLifecycleHooks.h"
#include "tweak/mediacontrols/LockScreenIndicatorHooks.h"
#include "tweak/mediacontrols/PanelPresentationHooks.h"
#include "tweak/mediacontrols/SleepButtonHooks.h"
#include "tweak/wiring/Tweak.h"

namespace lunadoze {
namespace {

using platform::runtime::Class;
using platform::runtime::class_respondsToSelector;
using platform::runtime::Method;
using platform::runtime::objc_getClass;

struct AddedMethod {
  const char* className;
  const char* selector;
  const char* types;
};

constexpr AddedMethod kAddedMethods[] = {
    {"MediaControlsTransportStackView", "initLunadozeVC", "v@:"},
    {"MediaControlsTransportStackView", "setupTimerButton", "v@:"},
    {"MediaControlsTransportStackView", "setupTimerButtonInNC", "v@:"},
    {"MediaControlsTransportStackView", "setTimeButtonClicked", "v@:"},
    {"MediaControlsTransportStackView", "moveUpActionMediaButtons", "v@:"},
    {"MediaControlsTransportStackView", "validateButtonClicked", "v@:"},
    {"MediaControlsTransportStackView", "cancelButtonClicked", "v@:"},
    {"MediaControlsTransportStackView", "updateButtonTextWithRemainingNbSongs", "v@:"},
    {"MediaControlsTransportStackView", "setTimerButtonText:", "v@:@"},
    {"MediaControlsTransportStackView", "setCurrentTimerButtonInNCText:", "v@:@"},
    {"SBMediaController", "stopSnoozeWithFadeOutIfNeeded", "v@:"},
    {"SBMediaController", "stopSnoozeAtTheEndOfCurrentSong", "v@:"},
    {"SBMediaController", "stopSnooze", "v@:"},
    {"SBMediaController", "stopSnoozeWithFadeOutVolume:", "v@:i"},
    {"SBMediaController", "doFadeOutVolumeWithSteps:", "v@:f"},
    {"SBMediaController", "cancelTimer", "v@:"},
    {"SBMediaController", "extendSnooze", "v@:"},
};

struct ReplacedMethod {
  const char* className;
  const char* selector;
  Method::ErasedImp replacement;
};

template <typename Imp>
Method::ErasedImp erased(Imp imp) {
  return reinterpret_cast<Method::ErasedImp>(imp);
}

const ReplacedMethod kReplacedMethods[] = {
    {"MediaControlsTransportStackView", "layoutSubviews",
     erased(MediaControlsTransportStackView_layoutSubviews)},
    {"MediaControlsContainerView", "layoutSubviews", erased(MediaControlsContainerView_layoutSubviews)},
    {"NextUpViewController", "viewDidLayoutSubviews", erased(NextUpViewController_viewDidLayoutSubviews)},
    {"MediaControlsTransportButton", "cfw_colorize:", erased(MediaControlsTransportButton_cfw_colorize)},
    {"MPButton", "_handleTouchUp", erased(MPButton_handleTouchUp)},
    {"MPAVRoutingViewController", "viewDidLayoutSubviews",
     erased(MPAVRoutingViewController_viewDidLayoutSubviews)},
    {"CCUIContentModuleContainerViewController",
     "setExpanded:", erased(CCUIContentModuleContainerViewController_setExpanded)},
    {"SBDashBoardMediaControlsViewController",
     "viewWillAppear:", erased(SBDashBoardMediaControlsViewController_viewWillAppear)},
    {"SBDashBoardMediaControlsViewController",
     "viewDidDisappear:", erased(SBDashBoardMediaControlsViewController_viewDidDisappear)},
    {"CSMediaControlsViewController",
     "viewWillAppear:", erased(CSMediaControlsViewController_viewWillAppear)},
    {"CSMediaControlsViewController",
     "viewDidDisappear:", erased(CSMediaControlsViewController_viewDidDisappear)},
    {"MediaControlsParentContainerView",
     "setClipsToBounds:", erased(MediaControlsParentContainerView_setClipsToBounds)},
    {"MediaControlsParentContainerView", "layoutSubviews",
     erased(MediaControlsParentContainerView_layoutSubviews)},
    {"MediaControlsParentContainerView",
     "hitTest:withEvent:", erased(MediaControlsParentContainerView_hitTest)},
    {"SBMediaController", "setNowPlayingInfo:", erased(SBMediaController_setNowPlayingInfo)},
    {"SBVolumeControl", "increaseVolume", erased(SBVolumeControl_increaseVolume)},
};

bool isAdded(const AddedMethod& row) {
  return class_respondsToSelector(objc_getClass(row.className), row.selector);
}

bool isReplaced(const ReplacedMethod& row) {
  Class* cls = objc_getClass(row.className);
  Method* method = cls != nullptr ? cls->ownMethod(row.selector) : nullptr;
  return method != nullptr && method->imp == row.replacement;
}

bool isLockScreenRow(const ReplacedMethod& row, const char* className) {
  return std::string_view(row.className) == className;
}

class EntryPointTest : public TweakTest {
 protected:
  void expectNothingHooked() {
    for (const auto& row : kAddedMethods) EXPECT_FALSE(isAdded(row)) << row.className << " " << row.selector;
    for (const auto& row : kReplacedMethods)
      EXPECT_FALSE(isReplaced(row)) << row.className << " " << row.selector;
  }
};

TEST_F(EntryPointTest, DoesNothingInAProcessNotNamedExactlySpringBoard) {
  boot();
  for (const char* name :
       {"springboard", "SPRINGBOARD", "SpringBoardX", "SpringBoard.app", "SpringBoar", ""}) {
    platform::foundation::NSProcessInfo::processInfo()->setProcessName(name);
    tweakEntryPoint();
    EXPECT_EQ(preferences, nullptr) << '"' << name << '"';
  }
  expectNothingHooked();
}

TEST_F(EntryPointTest, DisabledTweakHooksNothingYetFollowsItsSettings) {
  pane().setBool(false, "enabled");
  pane().setBool(true, "onTimerStartsDND");
  boot();
  tweakEntryPoint();

  expectNothingHooked();
  EXPECT_FALSE(
      class_respondsToSelector(objc_getClass("MediaControlsTransportStackView"), "validateButtonClicked"));
  EXPECT_TRUE(SpecialTasksHelper::getInstance()->onTimerStartsDND());

  pane().setBool(true, "onTimerEndsAirplane");
  pane().setBool(true, "enabled");
  synchronizeAndDeliver();
  EXPECT_TRUE(SpecialTasksHelper::getInstance()->onTimerEndsAirplane());
  EXPECT_TRUE(enabled);
  expectNothingHooked();  // until the next SpringBoard start
}

TEST_F(EntryPointTest, CoverSheetSystemGetsEveryRowButTheDashBoardOnes) {
  boot("14.4");
  tweakEntryPoint();

  for (const auto& row : kAddedMethods) {
    ASSERT_TRUE(isAdded(row)) << row.className << " " << row.selector;
    EXPECT_EQ(objc_getClass(row.className)->ownMethod(row.selector)->types, row.types) << row.selector;
  }
  EXPECT_EQ(objc_getClass("SBDashBoardMediaControlsViewController"), nullptr);
  for (const auto& row : kReplacedMethods) {
    // Without the colouring tweak there is no cfw_colorize: to take over.
    bool expected = !isLockScreenRow(row, "SBDashBoardMediaControlsViewController") &&
                    std::string_view(row.selector) != "cfw_colorize:";
    EXPECT_EQ(isReplaced(row), expected) << row.className << " " << row.selector;
  }
  EXPECT_NE(original::CSMediaControlsViewController_viewWillAppear, nullptr);
  EXPECT_NE(original::CSMediaControlsViewController_viewDidDisappear, nullptr);
  EXPECT_EQ(original::SBDashBoardMediaControlsViewController_viewWillAppear, nullptr);
  EXPECT_FALSE(class_respondsToSelector(objc_getClass("MediaControlsTransportButton"), "cfw_colorize:"));
}

TEST_F(EntryPointTest, OlderSystemGetsTheDashBoardRowsInstead) {
  boot("12.4");
  tweakEntryPoint();

  EXPECT_EQ(objc_getClass("CSMediaControlsViewController"), nullptr);
  for (const auto& row : kReplacedMethods) {
    if (isLockScreenRow(row, "SBDashBoardMediaControlsViewController")) {
      EXPECT_TRUE(isReplaced(row)) << row.selector;
    }
  }
  EXPECT_NE(original::SBDashBoardMediaControlsViewController_viewWillAppear, nullptr);
  EXPECT_EQ(original::CSMediaControlsViewController_viewWillAppear, nullptr);
  EXPECT_TRUE(isAdded(kAddedMethods[std::size(kAddedMethods) - 1]));
}

TEST_F(EntryPointTest, ReplacedMethodsStillRunTheHostImplementation) {
  using namespace platform::springboard;
  boot();
  tweakEntryPoint();

  auto module = CCUIContentModuleContainerViewController::create(
      CCUIContentModuleContainerViewController::kNowPlayingModuleIdentifier);
  module->setExpanded(true);
  EXPECT_TRUE(module->isExpanded());

  auto mediaController = SBMediaController::sharedInstance();
  platform::foundation::PropertyList::Dictionary info{{"title", "Night Drive"}};
  mediaController->setNowPlayingInfo(&info);
  ASSERT_NE(mediaController->nowPlayingInfo(), nullptr);
  EXPECT_EQ(*mediaController->nowPlayingInfo(), info);

  auto container = MediaControlsParentContainerView::create(platform::uikit::CGRectMake(0, 0, 320, 300));
  EXPECT_EQ(container->hitTest({10, 10}, nullptr), container.get());
  EXPECT_EQ(container->hitTest({10, 400}, nullptr), nullptr);
  container->setClipsToBounds(true);
  EXPECT_TRUE(container->clipsToBounds());
}

TEST_F(EntryPointTest, ExistingMethodOfAnAddedNameIsKept) {
  static bool hostCancelTimerRan = false;
  boot();
  Class* mediaController = objc_getClass("SBMediaController");
  platform::runtime::class_addMethod(mediaController, selectors::cancelTimer,
                                     [](id) { hostCancelTimerRan = true; });
  tweakEntryPoint();

  platform::runtime::send(platform::springboard::SBMediaController::sharedInstance().get(),
                          selectors::cancelTimer);
  EXPECT_TRUE(hostCancelTimerRan);
  EXPECT_TRUE(isAdded(kAddedMethods[0]));
}

TEST_F(EntryPointTest, ColouringTweakMethodIsTakenOverWhenInstalled) {
  static id colourised = nullptr;
  boot();
  // The outside colouring tweak, loaded before this one, adds its method to the transport buttons.
  platform::runtime::class_addMethod(objc_getClass("MediaControlsTransportButton"), selectors::cfw_colorize,
                                     [](id self, id) { colourised = self; });
  tweakEntryPoint();

  auto button = platform::springboard::MediaControlsTransportButton::create();
  platform::runtime::send(button.get(), selectors::cfw_colorize, nullptr);
  EXPECT_EQ(colourised, button.get());
  EXPECT_TRUE(isReplaced(kReplacedMethods[3]));
}

}  // namespace
}  // namespace lunadoze
