#include "platform/springboard/simulation/NowPlayingModule.h"

#include "platform/springboard/CCUIContentModuleContainerViewController.h"
#include "platform/springboard/MPAVRoutingViewController.h"
#include "platform/springboard/MediaControlsContainerView.h"
#include "platform/springboard/MediaControlsHeaderView.h"
#include "platform/springboard/MediaControlsParentContainerView.h"
#include "platform/springboard/MediaControlsTransportStackView.h"
#include "platform/springboard/NextUpViewController.h"
#include "platform/springboard/simulation/HostLayoutPass.h"
#include "platform/uikit/UIView.h"

namespace platform::springboard {

NowPlayingModule::NowPlayingModule()
    : containerViewController_(CCUIContentModuleContainerViewController::create(
          CCUIContentModuleContainerViewController::kNowPlayingModuleIdentifier)),
      contentView_(uikit::UIView::create(kContentFrame)),
      parentContainerView_(MediaControlsParentContainerView::create(kParentContainerFrame, 0)),
      mediaContainerView_(MediaControlsContainerView::create(kMediaContainerFrame)),
      headerView_(MediaControlsHeaderView::create(kHeaderFrame)),
      transportStackView_(MediaControlsTransportStackView::create(kTransportStackFrame, 0)),
      nextUpViewController_(NextUpViewController::create(true)),
      routingViewController_(MPAVRoutingViewController::create()) {
  containerViewController_->setView(contentView_);
  contentView_->addSubview(parentContainerView_);
  parentContainerView_->addSubview(mediaContainerView_);
  mediaContainerView_->addSubview(headerView_);
  mediaContainerView_->addSubview(transportStackView_);
  // The route picker covers the controls while it shows; it starts hidden.
  auto routingView = uikit::UIView::create(kMediaContainerFrame);
  routingView->setHidden(true);
  routingViewController_->setView(routingView);
  mediaContainerView_->addSubview(routingView);
  headerView_->setRoutingView(routingView);
  nextUpViewController_->setView(uikit::UIView::create(kNextUpFrame));
}

NowPlayingModule::~NowPlayingModule() = default;

void NowPlayingModule::setExpanded(bool expanded) {
  presented_ = true;
  containerViewController_->setExpanded(expanded);
}

void NowPlayingModule::setShowsNextUp(bool shows) {
  if (shows == showsNextUp_) return;
  showsNextUp_ = shows;
  mediaContainerView_->setShowsNextUp(shows);
  auto list = nextUpViewController_->view();
  if (shows) {
    list->setFrame(kNextUpFrame);
    contentView_->addSubview(list);
  } else {
    list->removeFromSuperview();
  }
}

void NowPlayingModule::layout() {
  if (!presented_) return;
  HostLayoutPass::run(
      *contentView_,
      {contentView_.get(), parentContainerView_.get(), mediaContainerView_.get(), headerView_.get(),
       transportStackView_.get(), routingViewController_->view().get(), nextUpViewController_->view().get()});
}

}  // namespace platform::springboard
