#pragma once

#include <memory>
#include <string>

#include "platform/runtime/NSObject.h"

namespace platform::uikit {

class UIBarButtonItem;
class UIView;

// What a navigation bar shows while its controller is on top: a title (or a view in its place)
// and the buttons at its ends.
class UINavigationItem : public runtime::NSObject {
  RUNTIME_CLASS(UINavigationItem)

 public:
  const std::string& title() const { return title_; }
  void setTitle(std::string title) { title_ = std::move(title); }
  const std::shared_ptr<UIView>& titleView() const { return titleView_; }
  void setTitleView(std::shared_ptr<UIView> view) { titleView_ = std::move(view); }
  const std::shared_ptr<UIBarButtonItem>& rightBarButtonItem() const { return rightBarButtonItem_; }
  void setRightBarButtonItem(std::shared_ptr<UIBarButtonItem> item) { rightBarButtonItem_ = std::move(item); }

 private:
  std::string title_;
  std::shared_ptr<UIView> titleView_;
  std::shared_ptr<UIBarButtonItem> rightBarButtonItem_;
};

}  // namespace platform::uikit
