#pragma once

#include <memory>

#include "platform/uikit/CGGeometry.h"

namespace platform::uikit {
class UIView;
}

namespace platform::springboard {

class CCUIContentModuleContainerViewController;
class MPAVRoutingViewController;
class MediaControlsContainerView;
class MediaControlsHeaderView;
class MediaControlsParentContainerView;
class MediaControlsTransportStackView;
class NextUpViewController;

// Control Center's now-playing module: its container controller, whose view is the module's
// content view, holding the parent container (style 0) with the media container inside (header
// with its route button, the transport stack view of style 0, the route picker's view) and, when
// the media container shows it, the next-up list below.
class NowPlayingModule {
 public:
  static constexpr uikit::CGRect kContentFrame{{0, 0}, {320, 420}};
  static constexpr uikit::CGRect kParentContainerFrame{{0, 0}, {320, 300}};
  static constexpr uikit::CGRect kMediaContainerFrame{{0, 0}, {320, 300}};
  static constexpr uikit::CGRect kHeaderFrame{{0, 0}, {320, 60}};
  static constexpr uikit::CGRect kTransportStackFrame{{0, 150}, {320, 90}};
  static constexpr uikit::CGRect kNextUpFrame{{0, 300}, {320, 120}};

  NowPlayingModule();
  ~NowPlayingModule();
  NowPlayingModule(const NowPlayingModule&) = delete;
  NowPlayingModule& operator=(const NowPlayingModule&) = delete;

  // Control Center opens with the module expanded, or the module collapses.
  void setExpanded(bool expanded);
  // Whether Control Center has been opened; its views are laid out from then on.
  bool isPresented() const { return presented_; }
  // The media container shows the next-up list or stops showing it; the host places the list's
  // view below the controls as it appears.
  void setShowsNextUp(bool shows);
  bool showsNextUp() const { return showsNextUp_; }
  // The host's layout pass over the module's views, while Control Center is presented.
  void layout();

  CCUIContentModuleContainerViewController& containerViewController() const {
    return *containerViewController_;
  }
  const std::shared_ptr<uikit::UIView>& contentView() const { return contentView_; }
  const std::shared_ptr<MediaControlsParentContainerView>& parentContainerView() const {
    return parentContainerView_;
  }
  const std::shared_ptr<MediaControlsContainerView>& mediaContainerView() const {
    return mediaContainerView_;
  }
  const std::shared_ptr<MediaControlsHeaderView>& headerView() const { return headerView_; }
  const std::shared_ptr<MediaControlsTransportStackView>& transportStackView() const {
    return transportStackView_;
  }
  const std::shared_ptr<NextUpViewController>& nextUpViewController() const { return nextUpViewController_; }
  const std::shared_ptr<MPAVRoutingViewController>& routingViewController() const {
    return routingViewController_;
  }

 private:
  std::shared_ptr<CCUIContentModuleContainerViewController> containerViewController_;
  std::shared_ptr<uikit::UIView> contentView_;
  std::shared_ptr<MediaControlsParentContainerView> parentContainerView_;
  std::shared_ptr<MediaControlsContainerView> mediaContainerView_;
  std::shared_ptr<MediaControlsHeaderView> headerView_;
  std::shared_ptr<MediaControlsTransportStackView> transportStackView_;
  std::shared_ptr<NextUpViewController> nextUpViewController_;
  std::shared_ptr<MPAVRoutingViewController> routingViewController_;
  bool presented_ = false;
  bool showsNextUp_ = false;
};

}  // namespace platform::springboard
