#pragma once

#include <cstdint>
#include <memory>
#include <string_view>

#include "platform/runtime/Selector.h"
#include "platform/uikit/CGGeometry.h"

// The UIKit methods that go through the runtime's method tables, so that a subclass's table entry
// or a hook takes effect for every caller. The C++ member of the same name sends the selector;
// a subclass overrides by adding its own entry and reaches the inherited one with
// runtime::sendSuper.
namespace platform::uikit {

class UIColor;
class UIEvent;
class UIView;

namespace selectors {

using runtime::Selector;

// UIResponder
inline constexpr Selector<void(UIEvent*)> touchesBegan{"touchesBegan:withEvent:"};
inline constexpr Selector<void(UIEvent*)> touchesEnded{"touchesEnded:withEvent:"};

// UIView
inline constexpr Selector<void()> layoutSubviews{"layoutSubviews"};
inline constexpr Selector<UIView*(CGPoint, UIEvent*)> hitTest{"hitTest:withEvent:"};
inline constexpr Selector<bool(CGPoint, UIEvent*)> pointInside{"pointInside:withEvent:"};
inline constexpr Selector<void(bool)> setClipsToBounds{"setClipsToBounds:"};
inline constexpr Selector<void(std::shared_ptr<UIColor>)> setTintColor{"setTintColor:"};

// UIControl
inline constexpr Selector<void(std::string_view, runtime::id, UIEvent*)> sendAction{
    "sendAction:to:forEvent:"};
inline constexpr Selector<void(bool)> setHighlighted{"setHighlighted:"};
inline constexpr Selector<void(bool)> setSelected{"setSelected:"};
inline constexpr Selector<void(bool)> setEnabled{"setEnabled:"};

// UIDatePicker
inline constexpr Selector<void(std::shared_ptr<UIColor>)> _setTextColor{"_setTextColor:"};

// UIViewController
inline constexpr Selector<void()> loadView{"loadView"};
inline constexpr Selector<void()> viewDidLoad{"viewDidLoad"};
inline constexpr Selector<void()> viewWillLayoutSubviews{"viewWillLayoutSubviews"};
inline constexpr Selector<void()> viewDidLayoutSubviews{"viewDidLayoutSubviews"};
inline constexpr Selector<void(bool)> viewWillAppear{"viewWillAppear:"};
inline constexpr Selector<void(bool)> viewDidAppear{"viewDidAppear:"};
inline constexpr Selector<void(bool)> viewWillDisappear{"viewWillDisappear:"};
inline constexpr Selector<void(bool)> viewDidDisappear{"viewDidDisappear:"};

}  // namespace selectors
}  // namespace platform::uikit
