#include "platform/uikit/UIScrollView.h"

#include "platform/runtime/Runtime.h"

namespace platform::uikit {

runtime::Class* UIScrollView::runtimeClass() {
  return runtime::objc_registerClass("UIScrollView", &UIView::runtimeClass);
}

std::shared_ptr<UIScrollView> UIScrollView::create(CGRect frame) {
  auto view = UIScrollView::alloc();
  view->initWithFrame(frame);
  return view;
}

void UIScrollView::setContentOffset(CGPoint offset) {
  setBounds({offset, bounds().size});
  if (auto delegate = delegate_.lock()) delegate->scrollViewDidScroll(this);
}

}  // namespace platform::uikit
