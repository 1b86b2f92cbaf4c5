#include "platform/uikit/UIControl.h"

#include <algorithm>

#include "platform/runtime/Runtime.h"
#include "platform/uikit/UINibDecoder.h"

namespace platform::uikit {

using runtime::id;

runtime::Class* UIControl::runtimeClass() {
  return runtime::objc_registerClass("UIControl", &UIView::runtimeClass, [](runtime::Class* cls) {
    runtime::class_addMethod(cls, selectors::sendAction,
                             [](id self, std::string_view action, id target, UIEvent*) {
                               runtime::performSelector(target, action, self);
                             });
    runtime::class_addMethod(cls, selectors::setEnabled, [](id self, bool enabled) {
      auto* control = runtime::downcast<UIControl>(self);
      control->enabled_ = enabled;
      control->stateDidChange();
    });
    runtime::class_addMethod(cls, selectors::setSelected, [](id self, bool selected) {
      auto* control = runtime::downcast<UIControl>(self);
      control->selected_ = selected;
      control->stateDidChange();
    });
    runtime::class_addMethod(cls, selectors::setHighlighted, [](id self, bool highlighted) {
      auto* control = runtime::downcast<UIControl>(self);
      control->highlighted_ = highlighted;
      control->stateDidChange();
    });
    // A tap: highlighted while the finger is down, touch-up-inside when it lifts.
    runtime::class_addMethod(cls, selectors::touchesBegan, [](id self, UIEvent*) {
      auto* control = runtime::downcast<UIControl>(self);
      if (!control->isEnabled()) return;
      control->setHighlighted(true);
      control->sendActionsForControlEvents(UIControlEventTouchDown);
    });
    runtime::class_addMethod(cls, selectors::touchesEnded, [](id self, UIEvent*) {
      auto* control = runtime::downcast<UIControl>(self);
      if (!control->isEnabled()) return;
      control->setHighlighted(false);
      control->sendActionsForControlEvents(UIControlEventTouchUpInside);
    });
  });
}

std::shared_ptr<UIControl> UIControl::create(CGRect frame) {
  auto control = UIControl::alloc();
  control->initWithFrame(frame);
  return control;
}

void UIControl::initWithCoder(UINibDecoder& coder) {
  UIView::initWithCoder(coder);
  enabled_ = coder.decodeBoolForKey("enabled", enabled_);
  selected_ = coder.decodeBoolForKey("selected", selected_);
  highlighted_ = coder.decodeBoolForKey("highlighted", highlighted_);
}

void UIControl::addTarget(id target, std::string_view action, UIControlEvents events) {
  if (target == nullptr || action.empty()) return;
  std::weak_ptr<runtime::NSObject> weakTarget = target->weak_from_this();
  if (weakTarget.expired())
    runtime::fatal("the target of " + std::string(action) + " is not owned by a shared_ptr");
  for (auto& pair : targetActions_) {
    if (pair.target.lock().get() == target && pair.action == action) {
      pair.events |= events;
      return;
    }
  }
  targetActions_.push_back({std::move(weakTarget), std::string(action), events});
}

void UIControl::removeTarget(id target, std::string_view action, UIControlEvents events) {
  for (auto& pair : targetActions_) {
    if ((target == nullptr || pair.target.lock().get() == target) &&
        (action.empty() || pair.action == action)) {
      pair.events &= ~events;
    }
  }
  std::erase_if(targetActions_,
                [](const TargetAction& pair) { return pair.events == 0 || pair.target.expired(); });
}

std::vector<std::shared_ptr<runtime::NSObject>> UIControl::allTargets() const {
  std::vector<std::shared_ptr<runtime::NSObject>> targets;
  for (const auto& pair : targetActions_) {
    auto target = pair.target.lock();
    if (target != nullptr && std::ranges::find(targets, target) == targets.end()) targets.push_back(target);
  }
  return targets;
}

std::vector<std::string> UIControl::actionsForTarget(id target, UIControlEvents event) const {
  std::vector<std::string> actions;
  for (const auto& pair : targetActions_) {
    if (pair.target.lock().get() == target && (pair.events & event) != 0) actions.push_back(pair.action);
  }
  return actions;
}

void UIControl::sendActionsForControlEvents(UIControlEvents events) {
  // A copy: an action may add or remove targets.
  auto pairs = targetActions_;
  for (const auto& pair : pairs) {
    if ((pair.events & events) == 0) continue;
    // Held for the action's duration, as the device retains the target while it sends.
    if (auto target = pair.target.lock()) sendAction(pair.action, target.get(), nullptr);
  }
}

void UIControl::sendAction(std::string_view action, id target, UIEvent* event) {
  runtime::send(this, selectors::sendAction, action, target, event);
}

void UIControl::setEnabled(bool enabled) {
  runtime::send(this, selectors::setEnabled, enabled);
}

void UIControl::setSelected(bool selected) {
  runtime::send(this, selectors::setSelected, selected);
}

void UIControl::setHighlighted(bool highlighted) {
  runtime::send(this, selectors::setHighlighted, highlighted);
}

UIControlState UIControl::state() const {
  UIControlState state = UIControlStateNormal;
  if (highlighted_) state |= UIControlStateHighlighted;
  if (!enabled_) state |= UIControlStateDisabled;
  if (selected_) state |= UIControlStateSelected;
  return state;
}

}  // namespace platform::uikit
