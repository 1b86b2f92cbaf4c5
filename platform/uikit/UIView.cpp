#include "platform/uikit/UIView.h"

#include <algorithm>

#include "platform/foundation/NSRunLoop.h"
#include "platform/runtime/Runtime.h"
#include "platform/uikit/NSLayoutConstraint.h"
#include "platform/uikit/UIColor.h"
#include "platform/uikit/UINibDecoder.h"
#include "platform/uikit/UIViewController.h"
#include "platform/uikit/UIWindow.h"

namespace platform::uikit {
namespace {

using runtime::id;

// Grows or shrinks one axis of a subview by the change of its superview's length, shared among
// the flexible parts (leading margin, length, trailing margin) in proportion to their extents.
void autoresizeAxis(CGFloat& origin, CGFloat& length, CGFloat oldSuperLength, CGFloat newSuperLength,
                    bool flexibleLeading, bool flexibleLength, bool flexibleTrailing) {
  CGFloat delta = newSuperLength - oldSuperLength;
  int flexibleParts = int{flexibleLeading} + int{flexibleLength} + int{flexibleTrailing};
  if (delta == 0 || flexibleParts == 0) return;
  CGFloat trailing = oldSuperLength - origin - length;
  CGFloat total =
      (flexibleLeading ? origin : 0) + (flexibleLength ? length : 0) + (flexibleTrailing ? trailing : 0);
  // The signed proportion: once the superview is smaller than the subview its margins are
  // negative, and only they, scaled back, put it where it was when the superview grows again.
  auto share = [&](bool flexible, CGFloat extent) -> CGFloat {
    if (!flexible) return 0;
    return total != 0 ? delta * extent / total : delta / flexibleParts;
  };
  CGFloat originShare = share(flexibleLeading, origin);
  CGFloat lengthShare = share(flexibleLength, length);
  origin += originShare;
  length += lengthShare;
}

void runCompletionAfter(double seconds, UIView::Completion completion) {
  if (!completion) return;
  auto& loop = foundation::NSRunLoop::mainRunLoop();
  // Common modes: an animation goes on while the person drags.
  loop.schedule(
      loop.currentTime() + std::max(0.0, seconds), [completion = std::move(completion)] { completion(true); },
      foundation::NSRunLoopMode::Common);
}

}  // namespace

runtime::Class* UIView::runtimeClass() {
  return runtime::objc_registerClass("UIView", &UIResponder::runtimeClass, [](runtime::Class* cls) {
    runtime::class_addMethod(cls, selectors::layoutSubviews, [](id) {});
    runtime::class_addMethod(cls, selectors::hitTest, [](id self, CGPoint point, UIEvent* event) {
      return runtime::downcast<UIView>(self)->hitTestImp(point, event);
    });
    runtime::class_addMethod(cls, selectors::pointInside, [](id self, CGPoint point, UIEvent*) {
      return CGRectContainsPoint(runtime::downcast<UIView>(self)->bounds(), point);
    });
    runtime::class_addMethod(cls, selectors::setClipsToBounds, [](id self, bool clips) {
      runtime::downcast<UIView>(self)->clipsToBounds_ = clips;
    });
    runtime::class_addMethod(cls, selectors::setTintColor, [](id self, std::shared_ptr<UIColor> color) {
      auto* view = runtime::downcast<UIView>(self);
      view->tintColor_ = std::move(color);
      view->propagateTintColorChange();
    });
  });
}

std::shared_ptr<UIView> UIView::create(CGRect frame) {
  auto view = UIView::alloc();
  view->initWithFrame(frame);
  return view;
}

void UIView::initWithFrame(CGRect frame) {
  setFrame(frame);
}

void UIView::initWithCoder(UINibDecoder& coder) {
  setFrame(coder.decodeRectForKey("frame"));
  alpha_ = coder.decodeDoubleForKey("alpha", alpha_);
  hidden_ = coder.decodeBoolForKey("hidden", hidden_);
  clipsToBounds_ = coder.decodeBoolForKey("clipsToBounds", clipsToBounds_);
  userInteractionEnabled_ = coder.decodeBoolForKey("userInteractionEnabled", userInteractionEnabled_);
  autoresizingMask_ = coder.decodeIntegerForKey("autoresizingMask", static_cast<int64_t>(autoresizingMask_));
  contentMode_ = UIViewContentMode(coder.decodeIntegerForKey("contentMode", contentMode_));
  semanticContentAttribute_ = UISemanticContentAttribute(
      coder.decodeIntegerForKey("semanticContentAttribute", semanticContentAttribute_));
  if (auto color = coder.decodeColorForKey("backgroundColor")) backgroundColor_ = color;
  if (auto color = coder.decodeColorForKey("tintColor")) tintColor_ = color;
  for (const auto& object : coder.decodeObjectsForKey("subviews")) {
    if (auto subview = std::dynamic_pointer_cast<UIView>(object)) {
      addSubview(subview);
    } else {
      coder.failWithError("subviews", "holds an object that is not a view");
    }
  }
}

void UIView::setFrame(CGRect frame) {
  CGSize oldSize = frame_.size;
  frame_ = frame;
  if (frame.size != oldSize) {
    setNeedsLayout();
    resizeSubviews(oldSize);
  }
}

void UIView::setBounds(CGRect bounds) {
  CGPoint oldCenter = center();
  boundsOrigin_ = bounds.origin;
  setFrame(CGRectMake(oldCenter.x - bounds.size.width / 2, oldCenter.y - bounds.size.height / 2,
                      bounds.size.width, bounds.size.height));
}

void UIView::setCenter(CGPoint center) {
  frame_.origin = {center.x - frame_.size.width / 2, center.y - frame_.size.height / 2};
}

void UIView::setHidden(bool hidden) {
  hidden_ = hidden;
}

std::shared_ptr<UIColor> UIView::tintColor() const {
  if (tintColor_ != nullptr) return tintColor_;
  for (auto view = superview(); view != nullptr; view = view->superview()) {
    if (view->tintColor_ != nullptr) return view->tintColor_;
  }
  return UIColor::systemBlueColor();
}

void UIView::setTintColor(std::shared_ptr<UIColor> color) {
  runtime::send(this, selectors::setTintColor, std::move(color));
}

void UIView::propagateTintColorChange() {
  tintColorDidChange();
  for (const auto& subview : subviews()) {
    if (subview->tintColor_ == nullptr) subview->propagateTintColorChange();
  }
}

void UIView::setClipsToBounds(bool clips) {
  runtime::send(this, selectors::setClipsToBounds, clips);
}

void UIView::addSubview(const std::shared_ptr<UIView>& view) {
  insertSubview(view, static_cast<int64_t>(subviews_.size()));
}

void UIView::insertSubview(const std::shared_ptr<UIView>& view, int64_t index) {
  // A view inside itself would own itself.
  if (view == nullptr || isDescendantOfView(view.get())) return;
  // `view` may be owned only by the list it leaves below.
  // NOLINTNEXTLINE(performance-unnecessary-copy-initialization)
  std::shared_ptr<UIView> keep = view;
  if (auto previous = view->superview()) {
    std::erase(previous->subviews_, view);
    previous->setNeedsLayout();
  }
  index = std::clamp<int64_t>(index, 0, static_cast<int64_t>(subviews_.size()));
  subviews_.insert(subviews_.begin() + index, view);
  view->superview_ = retained<UIView>();
  view->setNeedsLayout();
  setNeedsLayout();
  if (view->tintColor_ == nullptr) view->propagateTintColorChange();
}

void UIView::bringSubviewToFront(UIView* view) {
  auto found = std::ranges::find(subviews_, view, &std::shared_ptr<UIView>::get);
  if (found != subviews_.end()) std::rotate(found, found + 1, subviews_.end());
}

void UIView::sendSubviewToBack(UIView* view) {
  auto found = std::ranges::find(subviews_, view, &std::shared_ptr<UIView>::get);
  if (found != subviews_.end()) std::rotate(subviews_.begin(), found, found + 1);
}

void UIView::removeFromSuperview() {
  auto superview = this->superview();
  if (superview == nullptr) return;
  auto found = std::ranges::find(superview->subviews_, this, &std::shared_ptr<UIView>::get);
  // The superview may have held the last reference: keep the receiver alive until the end.
  std::shared_ptr<UIView> self = std::move(*found);
  superview->subviews_.erase(found);
  superview->setNeedsLayout();
  superview_.reset();
}

bool UIView::isDescendantOfView(const UIView* view) const {
  if (view == nullptr) return false;
  if (view == this) return true;
  for (auto ancestor = superview(); ancestor != nullptr; ancestor = ancestor->superview()) {
    if (ancestor.get() == view) return true;
  }
  return false;
}

UIWindow* UIView::window() {
  auto root = superview();
  if (root == nullptr) return dynamic_cast<UIWindow*>(this);
  while (auto next = root->superview()) root = next;
  return dynamic_cast<UIWindow*>(root.get());
}

void UIView::setNeedsLayout() {
  needsLayout_ = true;
  // Up to the first ancestor that knows already: a pass descends only where something is marked.
  for (auto view = superview(); view != nullptr && !view->subtreeNeedsLayout_; view = view->superview()) {
    view->subtreeNeedsLayout_ = true;
  }
}

void UIView::layoutIfNeeded() {
  // Numbers the passes, so that a view knows whether this pass has met it.
  static uint64_t passes = 0;
  layoutMarkedViews(++passes);
}

void UIView::layoutMarkedViews(uint64_t pass) {
  if (needsLayout_) {
    // Cleared first: a mark set while the view lays itself out waits for the next pass.
    needsLayout_ = false;
    auto controller = viewController_.lock();
    if (controller != nullptr) controller->viewWillLayoutSubviews();
    layoutSubviews();
    if (controller != nullptr) controller->viewDidLayoutSubviews();
  }
  if (!subtreeNeedsLayout_) return;
  // Cleared first, like the view's own mark: what is marked below during the pass sets it again.
  subtreeNeedsLayout_ = false;
  // A copy, as laying a subview out may change the list. Views added meanwhile (here or below)
  // are laid out in the same pass, a view moved away is left to its new superview, and a view is
  // met once, wherever it moves. A subview with nothing marked in it is passed over.
  auto subviews = subviews_;
  for (;;) {
    for (const auto& subview : subviews) {
      if (subview->layoutPass_ == pass || subview->superview().get() != this) continue;
      subview->layoutPass_ = pass;
      if (subview->needsLayout_ || subview->subtreeNeedsLayout_) subview->layoutMarkedViews(pass);
    }
    if (subviews == subviews_) break;
    subviews = subviews_;
  }
}

void UIView::layoutSubviews() {
  runtime::send(this, selectors::layoutSubviews);
}

void UIView::resizeSubviews(CGSize oldSize) {
  if (!autoresizesSubviews_) return;
  for (const auto& subview : subviews()) subview->autoresize(oldSize, frame_.size);
}

void UIView::autoresize(CGSize oldSuperSize, CGSize newSuperSize) {
  UIViewAutoresizing mask = autoresizingMask_;
  CGRect frame = frame_;
  autoresizeAxis(frame.origin.x, frame.size.width, oldSuperSize.width, newSuperSize.width,
                 mask & UIViewAutoresizingFlexibleLeftMargin, mask & UIViewAutoresizingFlexibleWidth,
                 mask & UIViewAutoresizingFlexibleRightMargin);
  autoresizeAxis(frame.origin.y, frame.size.height, oldSuperSize.height, newSuperSize.height,
                 mask & UIViewAutoresizingFlexibleTopMargin, mask & UIViewAutoresizingFlexibleHeight,
                 mask & UIViewAutoresizingFlexibleBottomMargin);
  setFrame(frame);
}

void UIView::addConstraint(std::shared_ptr<NSLayoutConstraint> constraint) {
  if (constraint != nullptr) constraints_.push_back(std::move(constraint));
}

UIView* UIView::hitTest(CGPoint point, UIEvent* event) {
  return runtime::send(this, selectors::hitTest, point, event);
}

bool UIView::pointInside(CGPoint point, UIEvent* event) {
  return runtime::send(this, selectors::pointInside, point, event);
}

UIView* UIView::hitTestImp(CGPoint point, UIEvent* event) {
  if (hidden_ || !userInteractionEnabled_ || alpha_ < 0.01) return nullptr;
  if (!pointInside(point, event)) return nullptr;
  auto subviews = this->subviews();
  for (auto subview = subviews.rbegin(); subview != subviews.rend(); ++subview) {
    if (UIView* hit = (*subview)->hitTest((*subview)->convertPoint(point, this), event)) return hit;
  }
  return this;
}

CGPoint UIView::originInRoot() const {
  CGPoint origin;
  std::shared_ptr<const UIView> holder;
  for (const UIView* view = this;;) {
    auto superview = view->superview();
    if (superview == nullptr) break;
    origin.x += view->frame_.origin.x - view->boundsOrigin_.x;
    origin.y += view->frame_.origin.y - view->boundsOrigin_.y;
    holder = superview;
    view = holder.get();
  }
  return origin;
}

CGPoint UIView::convertPoint(CGPoint point, const UIView* fromView) const {
  CGPoint from = fromView != nullptr ? fromView->originInRoot() : CGPointZero;
  CGPoint to = originInRoot();
  return {point.x + from.x - to.x, point.y + from.y - to.y};
}

CGPoint UIView::convertPointToView(CGPoint point, const UIView* toView) const {
  CGPoint from = originInRoot();
  CGPoint to = toView != nullptr ? toView->originInRoot() : CGPointZero;
  return {point.x + from.x - to.x, point.y + from.y - to.y};
}

CGRect UIView::convertRect(CGRect rect, const UIView* fromView) const {
  return {convertPoint(rect.origin, fromView), rect.size};
}

CGRect UIView::convertRectToView(CGRect rect, const UIView* toView) const {
  return {convertPointToView(rect.origin, toView), rect.size};
}

UIResponder* UIView::nextResponder() const {
  if (auto controller = viewController_.lock()) return controller.get();
  return superview().get();
}

void UIView::animateWithDuration(double duration, const Animations& animations, Completion completion) {
  animateWithDuration(duration, 0, 0, animations, std::move(completion));
}

void UIView::animateWithDuration(double duration, double delay, UIViewAnimationOptions,
                                 const Animations& animations, Completion completion) {
  if (animations) animations();
  runCompletionAfter(delay + duration, std::move(completion));
}

void UIView::animateWithDuration(double duration, double delay, CGFloat, CGFloat,
                                 UIViewAnimationOptions options, const Animations& animations,
                                 Completion completion) {
  animateWithDuration(duration, delay, options, animations, std::move(completion));
}

void UIView::transitionWithView(UIView*, double duration, UIViewAnimationOptions,
                                const Animations& animations, Completion completion) {
  if (animations) animations();
  runCompletionAfter(duration, std::move(completion));
}

void UIView::transitionFromView(UIView* fromView, UIView* toView, double duration,
                                UIViewAnimationOptions options, Completion completion) {
  if (options & UIViewAnimationOptionShowHideTransitionViews) {
    if (fromView != nullptr) fromView->setHidden(true);
    if (toView != nullptr) toView->setHidden(false);
  } else {
    auto container = fromView != nullptr ? fromView->superview() : nullptr;
    if (container != nullptr && toView != nullptr) container->addSubview(toView->retained<UIView>());
    if (fromView != nullptr && fromView != toView) fromView->removeFromSuperview();
  }
  runCompletionAfter(duration, std::move(completion));
}

}  // namespace platform::uikit
