#include "platform/springboard/simulation/LockScreenMediaControls.h"

#include "platform/runtime/Runtime.h"
#include "platform/springboard/CSMediaControlsViewController.h"
#include "platform/springboard/MediaControlsContainerView.h"
#include "platform/springboard/MediaControlsParentContainerView.h"
#include "platform/springboard/MediaControlsTransportStackView.h"
#include "platform/springboard/SBDashBoardMediaControlsViewController.h"
#include "platform/springboard/simulation/HostLayoutPass.h"
#include "platform/uikit/UIView.h"
#include "platform/uikit/UIViewController.h"

namespace platform::springboard {
namespace {

constexpr int64_t kPlatterStyle = 3;

std::shared_ptr<uikit::UIViewController> makeController() {
  if (runtime::objc_getClass("CSMediaControlsViewController") != nullptr)
    return CSMediaControlsViewController::create();
  return SBDashBoardMediaControlsViewController::create();
}

}  // namespace

LockScreenMediaControls::LockScreenMediaControls()
    : controller_(makeController()),
      parentContainerView_(MediaControlsParentContainerView::create(kPlatterFrame, kPlatterStyle)),
      mediaContainerView_(MediaControlsContainerView::create(kMediaContainerFrame)),
      transportStackView_(MediaControlsTransportStackView::create(kTransportStackFrame, kPlatterStyle)) {
  controller_->view()->addSubview(parentContainerView_);
  parentContainerView_->addSubview(mediaContainerView_);
  mediaContainerView_->addSubview(transportStackView_);
}

LockScreenMediaControls::~LockScreenMediaControls() = default;

void LockScreenMediaControls::show() {
  if (shown_) return;
  controller_->viewWillAppear(true);
  shown_ = true;
  layout();
  controller_->viewDidAppear(true);
}

void LockScreenMediaControls::hide() {
  if (!shown_) return;
  controller_->viewWillDisappear(true);
  shown_ = false;
  controller_->viewDidDisappear(true);
}

void LockScreenMediaControls::layout() {
  if (!shown_) return;
  HostLayoutPass::run(*controller_->view(), {controller_->view().get(), parentContainerView_.get(),
                                             mediaContainerView_.get(), transportStackView_.get()});
}

}  // namespace platform::springboard
