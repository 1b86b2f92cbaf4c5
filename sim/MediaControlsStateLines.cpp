// The `cc.*`, `lock.*`, `panel.*`, `actions.*` and `route-picker` lines: what the media controls
// and the tweak's views show. The tweak's views are read through what the loaded library exports
// for that; the host's views directly.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <string>

#include "platform/springboard/CCUIContentModuleContainerViewController.h"
#include "platform/springboard/MPAVRoutingViewController.h"
#include "platform/springboard/MediaControlsTransportButton.h"
#include "platform/springboard/MediaControlsTransportStackView.h"
#include "platform/springboard/NextUpViewController.h"
#include "platform/springboard/simulation/LockScreenMediaControls.h"
#include "platform/springboard/simulation/NowPlayingModule.h"
#include "platform/springboard/simulation/SpringBoard.h"
#include "platform/uikit/UIColor.h"
#include "platform/uikit/UIControl.h"
#include "platform/uikit/UIDatePicker.h"
#include "platform/uikit/UIImageView.h"
#include "platform/uikit/UILabel.h"
#include "platform/uikit/UIPickerView.h"
#include "platform/uikit/UIViewController.h"
#include "sim/CommandGroups.h"
#include "sim/Device.h"
#include "sim/Simulator.h"
#include "sim/StateFormat.h"
#include "sim/TweakInspection.h"

namespace lunadoze::sim {
namespace {

using platform::springboard::NowPlayingModule;
using platform::uikit::CGRect;
using platform::uikit::UIView;

// Each reads its object anew for every line, as SpringBoard and the tweak come and go.
using ModuleSource = std::function<NowPlayingModule*()>;
using ViewsSource = std::function<TweakViewsDescription()>;

std::string formatFrame(CGRect frame) {
  return formatNumber(frame.origin.x) + ' ' + formatNumber(frame.origin.y) + ' ' +
         formatNumber(frame.size.width) + ' ' + formatNumber(frame.size.height);
}

std::string frameOf(const UIView* view) {
  return view ? formatFrame(view->frame()) : std::string(kNone);
}

std::string quotedText(const platform::uikit::UILabel* label) {
  return label ? inQuotes(label->text()) : std::string(kNone);
}

std::string iconState(const platform::uikit::UIImageView* icon) {
  if (icon == nullptr) return std::string(kNone);
  return icon->isHidden() ? "hidden" : "shown";
}

std::string visibility(const UIView* view) {
  if (view == nullptr) return std::string(kNone);
  return view->isHidden() ? "hidden" : "visible";
}

// The named control of the tweak's views, or null.
platform::uikit::UIControl* namedControl(const TweakViewsDescription& described, std::string_view name) {
  for (const auto& control : described.controls) {
    if (control.name == name) return control.control;
  }
  return nullptr;
}

std::string hexColour(const platform::uikit::UIColor& colour) {
  auto channel = [](double value) {
    return static_cast<int>(std::lround(std::clamp(value, 0.0, 1.0) * 255));
  };
  char text[8];
  std::snprintf(text, sizeof text, "#%02X%02X%02X", channel(colour.red()), channel(colour.green()),
                channel(colour.blue()));
  return text;
}

// The page the panel shows; a page out of the panel's tree, or hidden, is not shown.
std::string panelPage(const TweakViewsDescription& described) {
  if (described.panel == nullptr) return std::string(kNone);
  auto shows = [&described](const UIView* page) {
    return page != nullptr && page->superview() != nullptr && !page->isHidden() &&
           page->isDescendantOfView(described.panel);
  };
  if (described.panel->isHidden()) return "dismissed";
  if (shows(described.timerActionsPage)) return "timer-actions";
  if (shows(described.currentTimerPage)) return "current-timer";
  if (shows(described.chooseTimePage)) return "choose-time";
  return "dismissed";
}

// The timer actions' ticked checkboxes, in the page's order.
std::string checkedActions(const TweakViewsDescription& described) {
  if (described.timerActionsPage == nullptr) return std::string(kNone);
  std::string checked;
  for (std::string_view name : {"airplane", "dnd", "bluetooth", "custom-volume"}) {
    const auto* box = namedControl(described, name);
    if (box != nullptr && box->isSelected()) checked += (checked.empty() ? "" : ", ") + std::string(name);
  }
  return checked.empty() ? std::string(kNone) : checked;
}

// The hourglass's rotation, in whole degrees from 0 to 359.
std::string hourglassRotation(const TweakViewsDescription& described) {
  const auto* hourglass = namedControl(described, "hourglass");
  if (hourglass == nullptr) return std::string(kNone);
  const auto transform = hourglass->transform();
  const double degrees = std::atan2(transform.b, transform.a) * 180 / M_PI;
  return formatNumber(std::fmod(std::round(degrees) + 360, 360));
}

void addControlCenterLines(StateDump& state, const ModuleSource& module, const ViewsSource& views) {
  state.provide("cc.module", [module] {
    return module() != nullptr && module()->containerViewController().isExpanded() ? "expanded" : "collapsed";
  });
  state.provide("cc.stack.frame", [module] {
    return module() ? formatFrame(module()->transportStackView()->frame()) : std::string(kNone);
  });
  state.provide("cc.transport.frame", [module] {
    return module() ? formatFrame(module()->transportStackView()->middleButton()->frame())
                    : std::string(kNone);
  });
  state.provide("cc.sleep", [views] { return visibility(views().sleepButton); });
  state.provide("cc.sleep.text", [views] { return quotedText(views().sleepButtonLabel); });
  state.provide("cc.sleep.icon", [views] { return iconState(views().sleepButtonIcon); });
  state.provide("cc.sleep.frame", [views] { return frameOf(views().sleepButton); });
  state.provide("cc.next-up.frame", [module] {
    if (module() == nullptr || !module()->showsNextUp()) return std::string(kNone);
    return formatFrame(module()->nextUpViewController()->view()->frame());
  });
  state.provide("route-picker", [module]() -> std::string {
    if (module() == nullptr || module()->routingViewController() == nullptr) return std::string(kNone);
    return module()->routingViewController()->view()->isHidden() ? "hidden" : "shown";
  });
}

void addLockScreenLines(StateDump& state, Device& device, const ViewsSource& views) {
  state.provide("lock", [&device] {
    auto* controls = device.springBoard().lockScreenMediaControls();
    return controls != nullptr && controls->isShown() ? "shown" : "hidden";
  });
  state.provide("lock.indicator", [views] { return visibility(views().indicator); });
  state.provide("lock.indicator.text", [views] { return quotedText(views().indicatorLabel); });
  state.provide("lock.indicator.frame", [views] { return frameOf(views().indicator); });
  state.provide("lock.indicator.icon", [views] { return iconState(views().indicatorIcon); });
  state.provide("lock.indicator.colour", [views]() -> std::string {
    auto* label = views().indicatorLabel;
    if (label == nullptr || label->textColor() == nullptr) return std::string(kNone);
    return hexColour(*label->textColor());
  });
}

void addPanelLines(StateDump& state, const ViewsSource& views) {
  state.provide("panel", [views] { return panelPage(views()); });
  state.provide("panel.frame", [views] { return frameOf(views().panel); });
  state.provide("panel.mode", [views]() -> std::string {
    auto* songs = views().songsPicker;
    if (songs == nullptr) return std::string(kNone);
    return songs->isHidden() ? "time" : "songs";
  });
  state.provide("panel.picker.time", [views] {
    auto* picker = views().timePicker;
    return picker ? formatNumber(std::floor(picker->countDownDuration() / 60)) : std::string(kNone);
  });
  state.provide("panel.picker.songs", [views] {
    auto* picker = views().songsPicker;
    return picker ? formatNumber(static_cast<double>(picker->selectedRowInComponent(0) + 1))
                  : std::string(kNone);
  });
  state.provide("panel.picker.caption", [views] { return quotedText(views().songsCaptionLabel); });
  state.provide("panel.toggle", [views] { return visibility(namedControl(views(), "mode")); });
  state.provide("panel.timer", [views] { return quotedText(views().timerLabel); });
  state.provide("panel.unit", [views] { return quotedText(views().unitLabel); });
  state.provide("panel.title", [views] { return quotedText(views().currentTimerTitleLabel); });
  state.provide("panel.buttons", [views]() -> std::string {
    const auto* cancel = namedControl(views(), "cancel");
    if (cancel == nullptr) return std::string(kNone);
    return cancel->isHidden() ? "hidden" : "shown";
  });
  state.provide("panel.extend", [views] { return visibility(namedControl(views(), "extend")); });
}

void addTimerActionsLines(StateDump& state, const ViewsSource& views) {
  state.provide("actions", [views]() -> std::string {
    auto described = views();
    if (described.timerActionsPage == nullptr) return std::string(kNone);
    return described.timerActionsShowStart ? "start" : "end";
  });
  state.provide("actions.checked", [views] { return checkedActions(views()); });
  state.provide("actions.hourglass", [views] { return hourglassRotation(views()); });
}

}  // namespace

void addMediaControlsStateLines(Simulator& simulator) {
  Device& device = simulator.device();
  StateDump& state = simulator.state();
  const ModuleSource module = [&device] { return device.springBoard().nowPlayingModule(); };
  const ViewsSource views = [&device] { return TweakInspection(device).views(); };
  addControlCenterLines(state, module, views);
  addLockScreenLines(state, device, views);
  addPanelLines(state, views);
  addTimerActionsLines(state, views);
}

}  // namespace lunadoze::sim
