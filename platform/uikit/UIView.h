#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "platform/uikit/CGAffineTransform.h"
#include "platform/uikit/CGGeometry.h"
#include "platform/uikit/UIKitSelectors.h"
#include "platform/uikit/UIResponder.h"

namespace platform::uikit {

class NSLayoutConstraint;
class UIColor;
class UINibDecoder;
class UIViewController;
class UIWindow;

using UIViewAutoresizing = uint64_t;
inline constexpr UIViewAutoresizing UIViewAutoresizingNone = 0;
inline constexpr UIViewAutoresizing UIViewAutoresizingFlexibleLeftMargin = 1 << 0;
inline constexpr UIViewAutoresizing UIViewAutoresizingFlexibleWidth = 1 << 1;
inline constexpr UIViewAutoresizing UIViewAutoresizingFlexibleRightMargin = 1 << 2;
inline constexpr UIViewAutoresizing UIViewAutoresizingFlexibleTopMargin = 1 << 3;
inline constexpr UIViewAutoresizing UIViewAutoresizingFlexibleHeight = 1 << 4;
inline constexpr UIViewAutoresizing UIViewAutoresizingFlexibleBottomMargin = 1 << 5;

using UIViewAnimationOptions = uint64_t;
inline constexpr UIViewAnimationOptions UIViewAnimationOptionAllowUserInteraction = 1 << 1;
inline constexpr UIViewAnimationOptions UIViewAnimationOptionBeginFromCurrentState = 1 << 2;
inline constexpr UIViewAnimationOptions UIViewAnimationOptionShowHideTransitionViews = 1 << 8;
inline constexpr UIViewAnimationOptions UIViewAnimationOptionCurveEaseInOut = 0 << 16;
inline constexpr UIViewAnimationOptions UIViewAnimationOptionCurveLinear = 3 << 16;
inline constexpr UIViewAnimationOptions UIViewAnimationOptionTransitionNone = 0 << 20;
inline constexpr UIViewAnimationOptions UIViewAnimationOptionTransitionCrossDissolve = 5 << 20;

enum UIViewContentMode : int64_t {
  UIViewContentModeScaleToFill = 0,
  UIViewContentModeScaleAspectFit = 1,
  UIViewContentModeScaleAspectFill = 2,
  UIViewContentModeRedraw = 3,
  UIViewContentModeCenter = 4,
};

enum UISemanticContentAttribute : int64_t {
  UISemanticContentAttributeUnspecified = 0,
  UISemanticContentAttributePlayback = 1,
  UISemanticContentAttributeSpatial = 2,
  UISemanticContentAttributeForceLeftToRight = 3,
  UISemanticContentAttributeForceRightToLeft = 4,
};

// intrinsicContentSize's value along an axis where the view has no size of its own.
inline constexpr CGFloat UIViewNoIntrinsicMetric = -1;

// A rectangle of the screen and the views inside it. A view owns its subviews; a subview refers
// to its superview weakly. Views are made by create() (or a subclass's factory), which owns the
// view through a shared_ptr before the initializer runs, as a view in a tree must be.
//
// The transform is kept for what is drawn; geometry (frame, conversions, hit testing) ignores it,
// since nothing here lays out or touches a transformed view.
class UIView : public UIResponder {
  RUNTIME_CLASS(UIView)

 public:
  // [[UIView alloc] initWithFrame:frame].
  static std::shared_ptr<UIView> create(CGRect frame = CGRectZero);

  // The initializers, run once right after the object is made; an override runs the base first.
  virtual void initWithFrame(CGRect frame);
  // Reads the view's properties and subviews from an interface file (see UINib).
  virtual void initWithCoder(UINibDecoder& coder);

  // Geometry. The frame is in the superview's coordinates; the bounds are the view's own, their
  // origin what the view's content is scrolled by. A change of size resizes the subviews by
  // their autoresizing masks and marks the view as needing layout.
  CGRect frame() const { return frame_; }
  void setFrame(CGRect frame);
  CGRect bounds() const { return {boundsOrigin_, frame_.size}; }
  void setBounds(CGRect bounds);
  CGPoint center() const { return {CGRectGetMidX(frame_), CGRectGetMidY(frame_)}; }
  void setCenter(CGPoint center);
  CGAffineTransform transform() const { return transform_; }
  void setTransform(CGAffineTransform transform) { transform_ = transform; }

  // Appearance.
  bool isHidden() const { return hidden_; }
  // Virtual for UIWindow, whose visibility the application follows.
  virtual void setHidden(bool hidden);
  CGFloat alpha() const { return alpha_; }
  void setAlpha(CGFloat alpha) { alpha_ = alpha; }
  const std::shared_ptr<UIColor>& backgroundColor() const { return backgroundColor_; }
  void setBackgroundColor(std::shared_ptr<UIColor> color) { backgroundColor_ = std::move(color); }
  // The view's own tint, else the nearest ancestor's, else the system blue.
  std::shared_ptr<UIColor> tintColor() const;
  void setTintColor(std::shared_ptr<UIColor> color);
  bool clipsToBounds() const { return clipsToBounds_; }
  void setClipsToBounds(bool clips);
  UIViewContentMode contentMode() const { return contentMode_; }
  void setContentMode(UIViewContentMode mode) { contentMode_ = mode; }
  UISemanticContentAttribute semanticContentAttribute() const { return semanticContentAttribute_; }
  void setSemanticContentAttribute(UISemanticContentAttribute attribute) {
    semanticContentAttribute_ = attribute;
  }
  bool isUserInteractionEnabled() const { return userInteractionEnabled_; }
  void setUserInteractionEnabled(bool enabled) { userInteractionEnabled_ = enabled; }

  // The view hierarchy. Subviews are ordered back to front.
  std::shared_ptr<UIView> superview() const { return superview_.lock(); }
  // A copy: the hierarchy may change while a caller walks it.
  std::vector<std::shared_ptr<UIView>> subviews() const { return subviews_; }
  // Adds the view as the front-most subview, taking it from its previous superview (or moving it
  // to the front when it is a subview already). A view cannot be added to itself or below itself.
  void addSubview(const std::shared_ptr<UIView>& view);
  // insertSubview:atIndex:, the index counted from the back and clamped to the subviews.
  void insertSubview(const std::shared_ptr<UIView>& view, int64_t index);
  void bringSubviewToFront(UIView* view);
  void sendSubviewToBack(UIView* view);
  void removeFromSuperview();
  bool isDescendantOfView(const UIView* view) const;
  // The window the view is in, or null.
  UIWindow* window();

  // Layout. A view needs layout when it is new, when its size changes, when a subview is added
  // or removed, and when setNeedsLayout is sent. layoutIfNeeded lays out the marked views of the
  // receiver's subtree (a controller's view between its controller's viewWillLayoutSubviews and
  // viewDidLayoutSubviews), a view before the views inside it. Views added anywhere in the subtree
  // while the pass runs are laid out in it too; a view marked again after its own layout waits
  // for the next pass.
  void setNeedsLayout();
  void layoutIfNeeded();
  void layoutSubviews();
  UIViewAutoresizing autoresizingMask() const { return autoresizingMask_; }
  void setAutoresizingMask(UIViewAutoresizing mask) { autoresizingMask_ = mask; }
  bool autoresizesSubviews() const { return autoresizesSubviews_; }
  void setAutoresizesSubviews(bool autoresizes) { autoresizesSubviews_ = autoresizes; }
  // The size the content asks for, UIViewNoIntrinsicMetric along an axis where it asks none.
  virtual CGSize intrinsicContentSize() const { return {UIViewNoIntrinsicMetric, UIViewNoIntrinsicMetric}; }

  // Constraints declared on the view. There is no solver: they carry their constant, priority and
  // activity for the code that reads and changes them, and frames come from elsewhere.
  std::vector<std::shared_ptr<NSLayoutConstraint>> constraints() const { return constraints_; }
  void addConstraint(std::shared_ptr<NSLayoutConstraint> constraint);

  // Hit testing: the front-most visible, interactive view under the point (in the receiver's
  // coordinates), or null. Hidden views, views with alpha below 0.01 and views that take no user
  // interaction take no touch, nor do their subviews; subviews are asked front to back.
  UIView* hitTest(CGPoint point, UIEvent* event);
  bool pointInside(CGPoint point, UIEvent* event);

  // Conversions between the coordinates of views of one tree; a null view stands for the
  // window (the root of the tree).
  CGPoint convertPoint(CGPoint point, const UIView* fromView) const;
  // convertPoint:toView: (its first keyword is taken by convertPoint:fromView:).
  CGPoint convertPointToView(CGPoint point, const UIView* toView) const;
  CGRect convertRect(CGRect rect, const UIView* fromView) const;
  // convertRect:toView:.
  CGRect convertRectToView(CGRect rect, const UIView* toView) const;

  UIResponder* nextResponder() const override;

 protected:
  // Sent when the tint the view shows changes: its own, or the one it inherits.
  virtual void tintColorDidChange() {}

 public:
  // Animations follow the model layer: the animated properties take their final values at once,
  // and the completion runs on the main run loop once the delay and duration have passed, with
  // finished YES. The curve, the spring and the other options change nothing that can be seen
  // here.
  using Animations = std::function<void()>;
  using Completion = std::function<void(bool finished)>;
  static void animateWithDuration(double duration, const Animations& animations, Completion completion = {});
  static void animateWithDuration(double duration, double delay, UIViewAnimationOptions options,
                                  const Animations& animations, Completion completion);
  // animateWithDuration:delay:usingSpringWithDamping:initialSpringVelocity:options:animations:completion:.
  static void animateWithDuration(double duration, double delay, CGFloat dampingRatio, CGFloat velocity,
                                  UIViewAnimationOptions options, const Animations& animations,
                                  Completion completion);
  static void transitionWithView(UIView* view, double duration, UIViewAnimationOptions options,
                                 const Animations& animations, Completion completion);
  // With UIViewAnimationOptionShowHideTransitionViews the from-view is hidden and the to-view
  // shown; without it the from-view leaves its superview and the to-view becomes that
  // superview's front-most subview.
  static void transitionFromView(UIView* fromView, UIView* toView, double duration,
                                 UIViewAnimationOptions options, Completion completion);

 private:
  friend class UIViewController;

  // The real work of the dispatched methods, reached through UIView's method table.
  UIView* hitTestImp(CGPoint point, UIEvent* event);
  void propagateTintColorChange();
  // Lays out the marked views of the subtree, in the pass of that number.
  void layoutMarkedViews(uint64_t pass);
  void resizeSubviews(CGSize oldSize);
  void autoresize(CGSize oldSuperSize, CGSize newSuperSize);
  // Where the view's coordinate origin lies in the coordinates of the root of its tree.
  CGPoint originInRoot() const;

  CGRect frame_;
  CGPoint boundsOrigin_;
  CGAffineTransform transform_;
  bool hidden_ = false;
  CGFloat alpha_ = 1;
  std::shared_ptr<UIColor> backgroundColor_;
  std::shared_ptr<UIColor> tintColor_;
  bool clipsToBounds_ = false;
  UIViewContentMode contentMode_ = UIViewContentModeScaleToFill;
  UISemanticContentAttribute semanticContentAttribute_ = UISemanticContentAttributeUnspecified;
  bool userInteractionEnabled_ = true;
  UIViewAutoresizing autoresizingMask_ = UIViewAutoresizingNone;
  bool autoresizesSubviews_ = true;
  bool needsLayout_ = true;
  // A view inside it needs layout.
  bool subtreeNeedsLayout_ = false;
  // The last layout pass that met the view.
  uint64_t layoutPass_ = 0;
  std::weak_ptr<UIView> superview_;
  std::vector<std::shared_ptr<UIView>> subviews_;
  std::weak_ptr<UIViewController> viewController_;
  std::vector<std::shared_ptr<NSLayoutConstraint>> constraints_;
};

}  // namespace platform::uikit
