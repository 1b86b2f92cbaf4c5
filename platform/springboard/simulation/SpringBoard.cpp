#include "platform/springboard/simulation/SpringBoard.h"

#include <string>

#include "platform/foundation/CFNotificationCenter.h"
#include "platform/foundation/Dispatch.h"
#include "platform/foundation/NSLocale.h"
#include "platform/foundation/NSProcessInfo.h"
#include "platform/foundation/NSRunLoop.h"
#include "platform/foundation/NSString.h"
#include "platform/foundation/NSTask.h"
#include "platform/runtime/Runtime.h"
#include "platform/springboard/BBSettingsGateway.h"
#include "platform/springboard/BluetoothDevice.h"
#include "platform/springboard/BluetoothManager.h"
#include "platform/springboard/CCUIContentModuleContainerViewController.h"
#include "platform/springboard/CFWColorInfo.h"
#include "platform/springboard/CSMediaControlsViewController.h"
#include "platform/springboard/DNDModeAssertion.h"
#include "platform/springboard/DNDModeAssertionDetails.h"
#include "platform/springboard/DNDModeAssertionService.h"
#include "platform/springboard/MPAVRoutingViewController.h"
#include "platform/springboard/MPButton.h"
#include "platform/springboard/MediaControlsContainerView.h"
#include "platform/springboard/MediaControlsHeaderView.h"
#include "platform/springboard/MediaControlsParentContainerView.h"
#include "platform/springboard/MediaControlsTransportButton.h"
#include "platform/springboard/MediaControlsTransportStackView.h"
#include "platform/springboard/NextUpViewController.h"
#include "platform/springboard/RadiosPreferences.h"
#include "platform/springboard/SBBacklightController.h"
#include "platform/springboard/SBDashBoardMediaControlsViewController.h"
#include "platform/springboard/SBMediaController.h"
#include "platform/springboard/SBVolumeControl.h"
#include "platform/springboard/SpringBoardSelectors.h"
#include "platform/springboard/simulation/LockScreenMediaControls.h"
#include "platform/springboard/simulation/NowPlayingModule.h"
#include "platform/springboard/simulation/Phone.h"
#include "platform/springboard/simulation/ProcessState.h"
#include "platform/uikit/UIDevice.h"
#include "platform/uikit/UIKit.h"

namespace platform::springboard {
namespace {

SpringBoard* runningSpringBoard = nullptr;

bool systemIsBelow(float version) {
  return foundation::floatValue(uikit::UIDevice::currentDevice()->systemVersion()) < version;
}

}  // namespace

// Everything the process creates; dropped as a whole when it ends.
struct SpringBoard::Process {
  explicit Process(Phone& phone)
      : mediaController(SBMediaController::alloc(phone)),
        volumeControl(SBVolumeControl::alloc(phone)),
        backlightController(SBBacklightController::alloc(phone)),
        bluetoothManager(BluetoothManager::alloc(phone)) {}

  std::shared_ptr<SBMediaController> mediaController;
  std::shared_ptr<SBVolumeControl> volumeControl;
  std::shared_ptr<SBBacklightController> backlightController;
  std::shared_ptr<BluetoothManager> bluetoothManager;
  NowPlayingModule nowPlayingModule;
  LockScreenMediaControls lockScreenMediaControls;
  // The outside colouring tweak's colour information, when the device has that tweak.
  std::shared_ptr<CFWColorInfo> colorInfo;
};

SpringBoard::SpringBoard(Phone& phone) : phone_(phone) {}

SpringBoard::~SpringBoard() {
  shutDown();
}

SpringBoard* SpringBoard::running() {
  return runningSpringBoard;
}

Phone* SpringBoard::runningPhoneWithClass(std::string_view className) {
  if (runningSpringBoard == nullptr || runtime::objc_getClass(className) == nullptr) return nullptr;
  return &runningSpringBoard->phone();
}

void SpringBoard::boot() {
  if (isRunning()) return;
  if (runningSpringBoard != nullptr) runtime::fatal("another SpringBoard is already running");
  runningSpringBoard = this;
  foundation::NSProcessInfo::processInfo()->setProcessName(kProcessName);
  uikit::UIDevice::currentDevice()->setSystemVersion(phone_.systemVersion());
  foundation::NSLocale::setCurrentLocaleIdentifier(phone_.localeIdentifier());
  uikit::loadUIKit();
  registerHostClasses();
  process_ = std::make_unique<Process>(phone_);
  process_->nowPlayingModule.setShowsNextUp(phone_.showsNextUp());
  installColouringTweak();
  loader_.loadLibraries();
  MusicPlayer& player = phone_.musicPlayer();
  player.connect([this] { nowPlayingDidChange(); });
  // A new SpringBoard asks the media server what plays; the answer comes on the main queue.
  if (player.nowPlayingItem() != nullptr) foundation::dispatch_async_main([this] { nowPlayingDidChange(); });
  // killall backboardd from any process of the device. The restart waits for the main queue, so
  // the notification's delivery is not torn down under it; a SpringBoard stopped meanwhile stays
  // stopped.
  auto restart = [this](const std::string&) {
    foundation::dispatch_async_main([this] {
      if (isRunning()) respring();
    });
  };
  foundation::CFNotificationCenterAddObserver(foundation::CFNotificationCenterGetDarwinNotifyCenter(), this,
                                              foundation::NSTask::kBackboardRestartNotification, restart);
}

void SpringBoard::shutDown() {
  if (!isRunning()) return;
  foundation::CFNotificationCenterRemoveEveryObserver(foundation::CFNotificationCenterGetDarwinNotifyCenter(),
                                                      this);
  phone_.musicPlayer().disconnect();
  process_.reset();
  runningSpringBoard = nullptr;
  ProcessState::releaseObjects();
  loader_.unloadLibraries();
  ProcessState::disposeClasses();
}

void SpringBoard::respring() {
  shutDown();
  boot();
}

std::shared_ptr<SBMediaController> SpringBoard::mediaController() const {
  return process_ ? process_->mediaController : nullptr;
}

std::shared_ptr<SBVolumeControl> SpringBoard::volumeControl() const {
  return process_ ? process_->volumeControl : nullptr;
}

std::shared_ptr<SBBacklightController> SpringBoard::backlightController() const {
  return process_ ? process_->backlightController : nullptr;
}

std::shared_ptr<BluetoothManager> SpringBoard::bluetoothManager() const {
  return process_ ? process_->bluetoothManager : nullptr;
}

NowPlayingModule* SpringBoard::nowPlayingModule() const {
  return process_ ? &process_->nowPlayingModule : nullptr;
}

LockScreenMediaControls* SpringBoard::lockScreenMediaControls() const {
  return process_ ? &process_->lockScreenMediaControls : nullptr;
}

void SpringBoard::layoutShownViews() const {
  if (!process_) return;
  process_->nowPlayingModule.layout();
  process_->lockScreenMediaControls.layout();
}

void SpringBoard::installColouringTweak() {
  auto color = phone_.colouringTweakPrimaryColor();
  if (color == nullptr) return;
  process_->colorInfo = CFWColorInfo::create(std::move(color));
  runtime::class_addMethod(MediaControlsTransportStackView::runtimeClass(), selectors::cfw_colorInfo,
                           [](runtime::id) -> runtime::id { return running()->process_->colorInfo.get(); });
  runtime::class_addMethod(MediaControlsTransportButton::runtimeClass(), selectors::cfw_colorize,
                           [](runtime::id self, runtime::id info) {
                             auto* colors = dynamic_cast<CFWColorInfo*>(info);
                             if (colors == nullptr) return;
                             runtime::downcast<uikit::UIView>(self)->setTintColor(
                                 colors->valueForKey(CFWColorInfo::kPrimaryColorKey));
                           });
}

void SpringBoard::nowPlayingDidChange() const {
  auto mediaController = this->mediaController();
  if (mediaController == nullptr) return;
  auto info = phone_.musicPlayer().nowPlayingInfo();
  mediaController->setNowPlayingInfo(info ? &*info : nullptr);
}

std::vector<std::filesystem::path> SpringBoard::loadedLibraries() const {
  return loader_.loadedLibraries();
}

void SpringBoard::registerHostClasses() {
  MediaControlsTransportStackView::runtimeClass();
  MediaControlsContainerView::runtimeClass();
  MediaControlsParentContainerView::runtimeClass();
  MediaControlsTransportButton::runtimeClass();
  MPButton::runtimeClass();
  NextUpViewController::runtimeClass();
  MPAVRoutingViewController::runtimeClass();
  CCUIContentModuleContainerViewController::runtimeClass();
  if (systemIsBelow(13.0f)) {
    SBDashBoardMediaControlsViewController::runtimeClass();
  } else {
    CSMediaControlsViewController::runtimeClass();
  }
  MediaControlsHeaderView::runtimeClass();
  SBMediaController::runtimeClass();
  // Every system has the volume control for its hardware buttons; the media volume is its from
  // 13.0 on.
  SBVolumeControl::runtimeClass();
  SBBacklightController::runtimeClass();
  RadiosPreferences::runtimeClass();
  if (!systemIsBelow(12.0f)) {
    DNDModeAssertionService::runtimeClass();
    DNDModeAssertionDetails::runtimeClass();
    DNDModeAssertion::runtimeClass();
  }
  BBSettingsGateway::runtimeClass();
  BluetoothManager::runtimeClass();
  BluetoothDevice::runtimeClass();
}

}  // namespace platform::springboard
