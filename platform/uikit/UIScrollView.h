#pragma once

#include <memory>

#include "platform/uikit/UIView.h"

namespace platform::uikit {

class UIScrollView;

// The delegate's messages; every one is optional.
class UIScrollViewDelegate {
 public:
  virtual ~UIScrollViewDelegate() = default;
  // After every change of the content offset.
  virtual void scrollViewDidScroll(UIScrollView*) {}
};

enum UIScrollViewKeyboardDismissMode : int64_t {
  UIScrollViewKeyboardDismissModeNone = 0,
  UIScrollViewKeyboardDismissModeOnDrag = 1,
  UIScrollViewKeyboardDismissModeInteractive = 2,
};

// A view whose content moves under it. The content offset is the origin of the bounds: y below 0
// while the content is pulled down past its top.
class UIScrollView : public UIView {
  RUNTIME_CLASS(UIScrollView)

 public:
  static std::shared_ptr<UIScrollView> create(CGRect frame = CGRectZero);

  CGPoint contentOffset() const { return bounds().origin; }
  // Tells the delegate, as a person's scrolling does.
  void setContentOffset(CGPoint offset);
  CGSize contentSize() const { return contentSize_; }
  void setContentSize(CGSize size) { contentSize_ = size; }
  UIScrollViewKeyboardDismissMode keyboardDismissMode() const { return keyboardDismissMode_; }
  void setKeyboardDismissMode(UIScrollViewKeyboardDismissMode mode) { keyboardDismissMode_ = mode; }

  // Held weakly. The delegate must be owned by a shared_ptr.
  std::shared_ptr<UIScrollViewDelegate> delegate() const { return delegate_.lock(); }
  void setDelegate(std::weak_ptr<UIScrollViewDelegate> delegate) { delegate_ = std::move(delegate); }

 private:
  std::weak_ptr<UIScrollViewDelegate> delegate_;
  CGSize contentSize_;
  UIScrollViewKeyboardDismissMode keyboardDismissMode_ = UIScrollViewKeyboardDismissModeNone;
};

}  // namespace platform::uikit
