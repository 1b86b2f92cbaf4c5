#include "tweak/core/ViewGlobals.h"

#include "platform/springboard/MPAVRoutingViewController.h"
#include "platform/springboard/MediaControlsContainerView.h"
#include "platform/springboard/MediaControlsParentContainerView.h"
#include "platform/springboard/MediaControlsTransportStackView.h"
#include "platform/springboard/SpringBoardSelectors.h"

namespace lunadoze {

constinit std::shared_ptr<platform::springboard::MediaControlsTransportStackView>
    lastMediaControlsTransportStackView;
constinit std::shared_ptr<platform::springboard::MediaControlsContainerView> lastMediaControlsView;
constinit std::shared_ptr<platform::springboard::MediaControlsParentContainerView>
    lastMediaControlsParentViewForNextUpSupport;
constinit std::shared_ptr<platform::uikit::UIView> lastNextUpView;
constinit std::shared_ptr<platform::springboard::MPAVRoutingViewController> lastRoutingVC;
constinit std::shared_ptr<LunadozeImageButton> setTimerButton;
constinit std::shared_ptr<LunadozeImageButton> currentTimerButtonInNC;
constinit std::shared_ptr<LunadozeViewController> lunadozeVC;

constinit bool ccMediaModuleIsExpanded = false;
constinit bool ncMediaModuleIsShowed = false;
constinit bool airplayViewIsShowed = false;
constinit platform::uikit::CGRect nextUpOriginalFrame{};

void resetViewGlobals() {
  lastMediaControlsTransportStackView.reset();
  lastMediaControlsView.reset();
  lastMediaControlsParentViewForNextUpSupport.reset();
  lastNextUpView.reset();
  lastRoutingVC.reset();
  setTimerButton.reset();
  currentTimerButtonInNC.reset();
  lunadozeVC.reset();
  ccMediaModuleIsExpanded = false;
  ncMediaModuleIsShowed = false;
  airplayViewIsShowed = false;
  nextUpOriginalFrame = {};
}

bool isNextUpShown() {
  // A container of a system without the next-up list does not answer the question.
  return lastMediaControlsView != nullptr &&
         lastMediaControlsView->respondsToSelector(platform::springboard::selectors::shouldShowNextUp) &&
         lastMediaControlsView->shouldShowNextUp();
}

}  // namespace lunadoze
