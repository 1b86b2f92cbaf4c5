#pragma once

#include <functional>
#include <memory>
#include <string>

#include "platform/uikit/UIResponder.h"

namespace platform::uikit {

class UINavigationController;
class UINavigationItem;
class UIView;

// Manages a view: makes it on first use, hears of its layout passes, and presents other
// controllers over it. Controllers are owned by shared_ptr (create(), or make_shared of a
// subclass).
class UIViewController : public UIResponder {
  RUNTIME_CLASS(UIViewController)

 public:
  // How long a presentation or dismissal takes when animated.
  static constexpr double kTransitionDuration = 0.3;

  static std::shared_ptr<UIViewController> create();

  // The view, loaded on first use: loadView, then viewDidLoad.
  std::shared_ptr<UIView> view();
  bool isViewLoaded() const { return view_ != nullptr; }
  void setView(std::shared_ptr<UIView> view);
  // Makes a plain view as large as the main screen.
  void loadView();
  void viewDidLoad();

  // Around each layout of the view: before its layoutSubviews and after it.
  void viewWillLayoutSubviews();
  void viewDidLayoutSubviews();
  // When the view comes on screen and when it leaves (presentation, a window's root controller).
  void viewWillAppear(bool animated);
  void viewDidAppear(bool animated);
  void viewWillDisappear(bool animated);
  void viewDidDisappear(bool animated);

  const std::string& title() const { return title_; }
  void setTitle(std::string title) { title_ = std::move(title); }

  // The item a navigation bar shows while the controller is on top; made on first use.
  std::shared_ptr<UINavigationItem> navigationItem();
  // The controller that contains the receiver (the navigation controller that stacks it), and the
  // nearest navigation controller among those that contain it; null when there is none.
  std::shared_ptr<UIViewController> parentViewController() const { return parent_.lock(); }
  std::shared_ptr<UINavigationController> navigationController() const;

  // Shows the controller's view over the window of the receiver's view, filling it. Nothing is
  // presented (and a warning is logged) when the receiver's view is in no window or the receiver
  // already presents a controller. The completion runs on the main run loop when the transition
  // is over: kTransitionDuration later when animated, on the next turn otherwise.
  void presentViewController(std::shared_ptr<UIViewController> controller, bool animated,
                             std::function<void()> completion);
  // dismissViewControllerAnimated:completion:. Sent to a presenting controller, dismisses what it
  // presents (and everything presented above); sent to a presented controller that presents
  // nothing, dismisses itself. The views leave at once; viewDidDisappear and the completion come
  // when the transition is over.
  void dismissViewControllerAnimated(bool animated, std::function<void()> completion);
  std::shared_ptr<UIViewController> presentedViewController() const { return presented_; }
  std::shared_ptr<UIViewController> presentingViewController() const { return presenting_.lock(); }

  UIResponder* nextResponder() const override;

 private:
  // Runs the end of a transition: kTransitionDuration later when animated, else on the next turn.
  static void finishTransition(bool animated, std::function<void()> work);

  std::shared_ptr<UIView> view_;
  std::string title_;
  std::shared_ptr<UIViewController> presented_;
  std::weak_ptr<UIViewController> presenting_;
  friend class UINavigationController;
  std::weak_ptr<UIViewController> parent_;
  std::shared_ptr<UINavigationItem> navigationItem_;
};

}  // namespace platform::uikit
