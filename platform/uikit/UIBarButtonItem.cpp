#include "platform/uikit/UIBarButtonItem.h"

#include "platform/runtime/Runtime.h"

namespace platform::uikit {

runtime::Class* UIBarButtonItem::runtimeClass() {
  return runtime::objc_registerClass("UIBarButtonItem", &runtime::NSObject::runtimeClass);
}

std::shared_ptr<UIBarButtonItem> UIBarButtonItem::initWithTitle(std::string title, UIBarButtonItemStyle style,
                                                                runtime::id target, std::string action) {
  auto item = UIBarButtonItem::alloc();
  item->title_ = std::move(title);
  item->style_ = style;
  if (target != nullptr) item->target_ = target->weak_from_this();
  item->action_ = std::move(action);
  return item;
}

void UIBarButtonItem::tap() {
  if (auto target = target_.lock(); target && !action_.empty()) {
    runtime::performSelector(target.get(), action_, this);
  }
}

}  // namespace platform::uikit
