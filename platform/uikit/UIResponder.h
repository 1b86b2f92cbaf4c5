#pragma once

#include <memory>
#include <string_view>

#include "platform/runtime/NSObject.h"

namespace platform::uikit {

class UIEvent;

// The base of views and view controllers: the responder chain that touches travel along, and the
// named outlet slots that interface files fill.
class UIResponder : public runtime::NSObject {
  RUNTIME_CLASS(UIResponder)

 public:
  // A view's controller when it is a controller's view, else its superview; a controller's view's
  // superview.
  virtual UIResponder* nextResponder() const { return nullptr; }

  // A touch that starts and ends on the receiver; a touch is one tap, so the touches set is folded
  // into the event (which may be null). Unhandled touches go on to the next responder.
  void touchesBegan(UIEvent* event);
  void touchesEnded(UIEvent* event);

  // Interface files connect outlets through this, as key-value coding does on the device: a class
  // with outlets stores the object when it has a slot of that name taking that kind of object, and
  // answers whether it did. The base class has no outlets.
  virtual bool setValueForOutlet(std::string_view name, const std::shared_ptr<runtime::NSObject>& object);

 protected:
  // The usual body of a setValueForOutlet case: stores the object in the slot (a shared_ptr or a
  // weak_ptr) when it is of the slot's class.
  template <typename Slot>
  static bool connectOutlet(Slot& slot, const std::shared_ptr<runtime::NSObject>& object) {
    auto typed = std::dynamic_pointer_cast<typename Slot::element_type>(object);
    if (typed == nullptr) return false;
    slot = typed;
    return true;
  }
};

}  // namespace platform::uikit
