#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <utility>

#include "platform/runtime/NSObject.h"

namespace platform::uikit {

class UIColor;

enum UIBarButtonItemStyle : int64_t {
  UIBarButtonItemStylePlain = 0,
  UIBarButtonItemStyleDone = 2,
};

// A button of a navigation bar. A tap performs the action on the target, the item as sender; the
// target is held weakly.
class UIBarButtonItem : public runtime::NSObject {
  RUNTIME_CLASS(UIBarButtonItem)

 public:
  // [[UIBarButtonItem alloc] initWithTitle:style:target:action:]. The target must be owned by a
  // shared_ptr (or be null).
  static std::shared_ptr<UIBarButtonItem> initWithTitle(std::string title, UIBarButtonItemStyle style,
                                                        runtime::id target, std::string action);
  template <runtime::Performable Signature>
  static std::shared_ptr<UIBarButtonItem> initWithTitle(std::string title, UIBarButtonItemStyle style,
                                                        runtime::id target,
                                                        const runtime::Selector<Signature>& action) {
    return initWithTitle(std::move(title), style, target, std::string(action.name()));
  }

  const std::string& title() const { return title_; }
  UIBarButtonItemStyle style() const { return style_; }
  std::shared_ptr<runtime::NSObject> target() const { return target_.lock(); }
  const std::string& action() const { return action_; }
  const std::shared_ptr<UIColor>& tintColor() const { return tintColor_; }
  void setTintColor(std::shared_ptr<UIColor> color) { tintColor_ = std::move(color); }

  // What the bar does when a person taps the item. A target that has gone away gets nothing.
  void tap();

 private:
  std::string title_;
  UIBarButtonItemStyle style_ = UIBarButtonItemStylePlain;
  std::weak_ptr<runtime::NSObject> target_;
  std::string action_;
  std::shared_ptr<UIColor> tintColor_;
};

}  // namespace platform::uikit
