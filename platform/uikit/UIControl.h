#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/uikit/UIView.h"

namespace platform::uikit {

using UIControlEvents = uint64_t;
inline constexpr UIControlEvents UIControlEventTouchDown = 1 << 0;
inline constexpr UIControlEvents UIControlEventTouchDownRepeat = 1 << 1;
inline constexpr UIControlEvents UIControlEventTouchDragInside = 1 << 2;
inline constexpr UIControlEvents UIControlEventTouchDragOutside = 1 << 3;
inline constexpr UIControlEvents UIControlEventTouchDragEnter = 1 << 4;
inline constexpr UIControlEvents UIControlEventTouchDragExit = 1 << 5;
inline constexpr UIControlEvents UIControlEventTouchUpInside = 1 << 6;
inline constexpr UIControlEvents UIControlEventTouchUpOutside = 1 << 7;
inline constexpr UIControlEvents UIControlEventTouchCancel = 1 << 8;
inline constexpr UIControlEvents UIControlEventValueChanged = 1 << 12;
inline constexpr UIControlEvents UIControlEventPrimaryActionTriggered = 1 << 13;
inline constexpr UIControlEvents UIControlEventAllTouchEvents = 0x00000FFF;
inline constexpr UIControlEvents UIControlEventAllEvents = 0xFFFFFFFF;

using UIControlState = uint64_t;
inline constexpr UIControlState UIControlStateNormal = 0;
inline constexpr UIControlState UIControlStateHighlighted = 1 << 0;
inline constexpr UIControlState UIControlStateDisabled = 1 << 1;
inline constexpr UIControlState UIControlStateSelected = 1 << 2;

// A view that sends action messages to targets when control events happen. Targets are held
// weakly, as on the device: a target that has gone away is skipped. An action is a selector name
// whose method takes the sender or nothing.
class UIControl : public UIView {
  RUNTIME_CLASS(UIControl)

 public:
  static std::shared_ptr<UIControl> create(CGRect frame = CGRectZero);

  void initWithCoder(UINibDecoder& coder) override;

  // Adding a target-action pair that the control has already adds its events to it; the action
  // is still sent once per event. The target must be owned by a shared_ptr.
  void addTarget(runtime::id target, std::string_view action, UIControlEvents events);
  template <runtime::Performable Signature>
  void addTarget(runtime::id target, const runtime::Selector<Signature>& action, UIControlEvents events) {
    addTarget(target, std::string_view(action.name()), events);
  }
  // Removes the events from the pairs of the target (every target when null) and the action
  // (every action when empty).
  void removeTarget(runtime::id target, std::string_view action, UIControlEvents events);
  template <runtime::Performable Signature>
  void removeTarget(runtime::id target, const runtime::Selector<Signature>& action, UIControlEvents events) {
    removeTarget(target, std::string_view(action.name()), events);
  }
  // Every target still alive, each once, in the order they were added.
  std::vector<std::shared_ptr<runtime::NSObject>> allTargets() const;
  // The actions sent to the target for the event, in the order they were added.
  std::vector<std::string> actionsForTarget(runtime::id target, UIControlEvents event) const;

  // Sends the action of each pair registered for any of the events, through sendAction.
  void sendActionsForControlEvents(UIControlEvents events);
  // Performs the action on the target with the control as sender; the hook for subclasses that
  // do something with every action they send.
  void sendAction(std::string_view action, runtime::id target, UIEvent* event);

  bool isEnabled() const { return enabled_; }
  void setEnabled(bool enabled);
  bool isSelected() const { return selected_; }
  void setSelected(bool selected);
  bool isHighlighted() const { return highlighted_; }
  void setHighlighted(bool highlighted);
  UIControlState state() const;

 protected:
  // Called after the enabled, selected or highlighted state was set.
  virtual void stateDidChange() {}

 private:
  struct TargetAction {
    std::weak_ptr<runtime::NSObject> target;
    std::string action;
    UIControlEvents events;
  };

  std::vector<TargetAction> targetActions_;
  bool enabled_ = true;
  bool selected_ = false;
  bool highlighted_ = false;
};

}  // namespace platform::uikit
