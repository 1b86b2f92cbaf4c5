// What a person does with the media controls and what they show: `device next-up`, `device
// colour-tweak`, `cc`, `lock`, `tap`, `touch`, `pick`, `scroll`, `screen`, `tree`; the `cc.*`,
// `lock.*` and `panel.*` lines.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <regex>
#include <string>

#include "platform/foundation/NSRunLoop.h"
#include "platform/springboard/CCUIContentModuleContainerViewController.h"
#include "platform/springboard/MPAVRoutingViewController.h"
#include "platform/springboard/MediaControlsHeaderView.h"
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
#include "sim/CommandContext.h"
#include "sim/CommandError.h"
#include "sim/CommandGroups.h"
#include "sim/Device.h"
#include "sim/NearestNames.h"
#include "sim/Simulator.h"
#include "sim/StateFormat.h"
#include "sim/TweakInspection.h"
#include "sim/ViewTreePrinter.h"

namespace lunadoze::sim {
namespace {

using platform::springboard::LockScreenMediaControls;
using platform::springboard::NowPlayingModule;
using platform::uikit::CGRect;
using platform::uikit::UIView;

NowPlayingModule* nowPlayingModule(Device& device) {
  return device.springBoard().nowPlayingModule();
}

LockScreenMediaControls* lockScreen(Device& device) {
  return device.springBoard().lockScreenMediaControls();
}

NowPlayingModule& runningModule(Device& device) {
  if (auto* module = nowPlayingModule(device)) return *module;
  throw CommandError("SpringBoard is not running");
}

LockScreenMediaControls& runningLockScreen(Device& device) {
  if (auto* controls = lockScreen(device)) return *controls;
  throw CommandError("SpringBoard is not running");
}

// The layout pass that follows each of the person's actions, then what it queued.
void afterPersonAction(Device& device) {
  device.springBoard().layoutShownViews();
  device.runDueEvents();
}

std::string formatFrame(CGRect frame) {
  return formatNumber(frame.origin.x) + ' ' + formatNumber(frame.origin.y) + ' ' +
         formatNumber(frame.size.width) + ' ' + formatNumber(frame.size.height);
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

// In the tree of `root`, with neither the view nor any view above it hidden or transparent.
bool isOnScreen(const UIView& view, const UIView& root) {
  for (const UIView* current = &view;;) {
    if (current->isHidden() || current->alpha() <= 0) return false;
    if (current == &root) return true;
    auto superview = current->superview();
    if (superview == nullptr) return false;
    current = superview.get();
  }
}

// The roots of the trees shown now: Control Center once opened, the lock screen while shown.
std::vector<const UIView*> shownRoots(Device& device) {
  std::vector<const UIView*> roots;
  if (auto* module = nowPlayingModule(device); module != nullptr && module->isPresented())
    roots.push_back(module->contentView().get());
  if (auto* controls = lockScreen(device); controls != nullptr && controls->isShown())
    roots.push_back(controls->controller()->view().get());
  return roots;
}

bool isShown(Device& device, const UIView& view) {
  for (const UIView* root : shownRoots(device)) {
    if (isOnScreen(view, *root)) return true;
  }
  return false;
}

// The names that `tap` takes, in the order `help tap` lists them.
const std::vector<std::string> kControlNames = {
    "sleep",     "confirm",  "back", "cancel",    "mode",          "actions", "actions-back",
    "hourglass", "airplane", "dnd",  "bluetooth", "custom-volume", "route",
};

platform::uikit::UIControl* routeButton(Device& device) {
  auto* module = nowPlayingModule(device);
  if (module == nullptr) return nullptr;
  auto& button = *module->headerView()->routeButton();
  return isShown(device, button) ? &button : nullptr;
}

// The names of the controls a person can touch now, in the order `help tap` lists them.
std::vector<std::string> controlsOnScreen(Device& device) {
  std::vector<std::string> names;
  auto described = TweakInspection(device).views();
  for (const std::string& name : kControlNames) {
    const bool shown = name == "route" ? routeButton(device) != nullptr
                                       : std::ranges::any_of(described.controls, [&](const auto& control) {
                                           return control.name == name && isShown(device, *control.control);
                                         });
    if (shown) names.push_back(name);
  }
  return names;
}

platform::uikit::UIControl& controlOnScreen(Device& device, const std::string& name) {
  if (name == "route") {
    if (auto* button = routeButton(device)) return *button;
  }
  // The front-most of the controls of that name, as only one of them can take the touch.
  platform::uikit::UIControl* found = nullptr;
  for (const auto& control : TweakInspection(device).views().controls) {
    if (control.name == name && isShown(device, *control.control)) found = control.control;
  }
  if (found != nullptr) return *found;
  if (std::ranges::find(kControlNames, name) == kControlNames.end()) {
    throw CommandError("no control named " + inQuotes(name) + didYouMean(name, kControlNames) +
                       " (help tap lists the names)");
  }
  std::string shown;
  for (const std::string& other : controlsOnScreen(device)) shown += (shown.empty() ? "" : ", ") + other;
  throw Refusal("no control " + inQuotes(name) +
                " on screen (on screen: " + (shown.empty() ? std::string(kNone) : shown) + ")");
}

bool onOff(const std::string& word) {
  if (word == "on") return true;
  if (word == "off") return false;
  throw CommandError("expected on or off, not " + inQuotes(word));
}

std::shared_ptr<platform::uikit::UIColor> colourFrom(const std::string& text) {
  static const std::regex kColour("#([0-9A-Fa-f]{2})([0-9A-Fa-f]{2})([0-9A-Fa-f]{2})");
  std::smatch match;
  if (!std::regex_match(text, match, kColour))
    throw CommandError("expected off or #RRGGBB, not " + inQuotes(text));
  auto channel = [&match](int index) { return std::stoi(match[index].str(), nullptr, 16) / 255.0; };
  return platform::uikit::UIColor::colorWithRed(channel(1), channel(2), channel(3), 1);
}

void pick(Device& device, const std::string& kind, const std::string& value) {
  auto views = TweakInspection(device).views();
  // A fraction, or a number beyond 64 bits, is a number that no picker offers.
  auto integer = parseInteger(value);
  if (!integer && !parseDecimal(value)) throw CommandError("expected a whole number, not " + inQuotes(value));
  if (kind == "time") {
    auto* picker = views.timePicker;
    if (picker == nullptr || !isShown(device, *picker)) throw Refusal("the time picker is not on screen");
    const int64_t step = picker->minuteInterval();
    const auto most = static_cast<int64_t>(platform::uikit::UIDatePicker::kMaximumCountDownDuration / 60);
    if (!integer || *integer <= 0 || *integer % step != 0 || *integer > most) {
      throw Refusal("the time picker does not offer " + value + " minutes: it offers " +
                    std::to_string(step) + " to " + std::to_string(most - most % step) + " in steps of " +
                    std::to_string(step));
    }
    picker->setCountDownDuration(static_cast<double>(*integer) * 60);
    picker->sendActionsForControlEvents(platform::uikit::UIControlEventValueChanged);
  } else if (kind == "songs") {
    auto* picker = views.songsPicker;
    if (picker == nullptr || !isShown(device, *picker)) throw Refusal("the songs picker is not on screen");
    if (!integer || *integer < 1 || *integer > picker->numberOfRowsInComponent(0)) {
      throw Refusal("the songs picker does not offer " + value + ": it offers 1 to " +
                    std::to_string(picker->numberOfRowsInComponent(0)));
    }
    picker->selectRow(*integer - 1, 0, true);
    if (auto delegate = picker->delegate()) delegate->didSelectRow(picker, *integer - 1, 0);
  } else {
    throw CommandError("expected time or songs, not " + inQuotes(kind));
  }
}

void touch(Device& device, double x, double y, const std::string& written) {
  auto& module = runningModule(device);
  if (!module.isPresented()) throw CommandError("Control Center is not open");
  const auto size = module.contentView()->bounds().size;
  if (!(x >= 0 && x <= size.width && y >= 0 && y <= size.height)) {
    throw CommandError("the point " + written + " is not in the module (x from 0 to " +
                       formatNumber(size.width) + ", y from 0 to " + formatNumber(size.height) + ")");
  }
  UIView* hit = module.contentView()->hitTest({x, y}, nullptr);
  std::shared_ptr<UIView> holder;
  for (UIView* view = hit; view != nullptr;) {
    if (auto* control = dynamic_cast<platform::uikit::UIControl*>(view)) {
      control->sendActionsForControlEvents(platform::uikit::UIControlEventTouchUpInside);
      return;
    }
    holder = view->superview();
    view = holder.get();
  }
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

// NOLINTNEXTLINE(readability-function-cognitive-complexity): one line of state after another.
void addStateLines(Simulator& simulator) {
  Device& device = simulator.device();
  StateDump& state = simulator.state();
  auto module = [&device] { return nowPlayingModule(device); };
  auto views = [&device] { return TweakInspection(device).views(); };

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
  state.provide("cc.sleep.frame", [views] {
    auto* button = views().sleepButton;
    return button ? formatFrame(button->frame()) : std::string(kNone);
  });
  state.provide("cc.next-up.frame", [module] {
    if (module() == nullptr || !module()->showsNextUp()) return std::string(kNone);
    return formatFrame(module()->nextUpViewController()->view()->frame());
  });
  state.provide("lock", [&device] {
    auto* controls = lockScreen(device);
    return controls != nullptr && controls->isShown() ? "shown" : "hidden";
  });
  state.provide("lock.indicator", [views] { return visibility(views().indicator); });
  state.provide("lock.indicator.text", [views] { return quotedText(views().indicatorLabel); });
  state.provide("lock.indicator.frame", [views] {
    auto* indicator = views().indicator;
    return indicator ? formatFrame(indicator->frame()) : std::string(kNone);
  });

  state.provide("panel", [views] {
    auto described = views();
    if (described.panel == nullptr) return std::string(kNone);
    auto shows = [&described](const UIView* page) {
      return page != nullptr && page->superview() != nullptr && !page->isHidden() &&
             page->isDescendantOfView(described.panel);
    };
    if (described.panel->isHidden()) return std::string("dismissed");
    if (shows(described.timerActionsPage)) return std::string("timer-actions");
    if (shows(described.currentTimerPage)) return std::string("current-timer");
    if (shows(described.chooseTimePage)) return std::string("choose-time");
    return std::string("dismissed");
  });
  state.provide("panel.frame", [views] {
    auto* panel = views().panel;
    return panel ? formatFrame(panel->frame()) : std::string(kNone);
  });
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
  state.provide("panel.timer", [views] { return quotedText(views().timerLabel); });
  state.provide("panel.unit", [views] { return quotedText(views().unitLabel); });
  state.provide("panel.toggle", [views]() -> std::string {
    const auto* toggle = namedControl(views(), "mode");
    if (toggle == nullptr) return std::string(kNone);
    return toggle->isHidden() ? "hidden" : "visible";
  });
  state.provide("panel.picker.caption", [views] { return quotedText(views().songsCaptionLabel); });
  state.provide("panel.title", [views] { return quotedText(views().currentTimerTitleLabel); });
  state.provide("actions", [views]() -> std::string {
    auto described = views();
    if (described.timerActionsPage == nullptr) return std::string(kNone);
    return described.timerActionsShowStart ? "start" : "end";
  });
  state.provide("actions.checked", [views]() -> std::string {
    auto described = views();
    if (described.timerActionsPage == nullptr) return std::string(kNone);
    std::string checked;
    for (std::string_view name : {"airplane", "dnd", "bluetooth", "custom-volume"}) {
      const auto* box = namedControl(described, name);
      if (box != nullptr && box->isSelected()) checked += (checked.empty() ? "" : ", ") + std::string(name);
    }
    return checked.empty() ? std::string(kNone) : checked;
  });
  state.provide("actions.hourglass", [views]() -> std::string {
    const auto* hourglass = namedControl(views(), "hourglass");
    if (hourglass == nullptr) return std::string(kNone);
    const auto transform = hourglass->transform();
    const double degrees = std::atan2(transform.b, transform.a) * 180 / M_PI;
    return formatNumber(std::fmod(std::round(degrees) + 360, 360));
  });
  state.provide("lock.indicator.icon", [views] { return iconState(views().indicatorIcon); });
  state.provide("lock.indicator.colour", [views]() -> std::string {
    auto* label = views().indicatorLabel;
    if (label == nullptr || label->textColor() == nullptr) return std::string(kNone);
    return hexColour(*label->textColor());
  });
  state.provide("route-picker", [module]() -> std::string {
    if (module() == nullptr || module()->routingViewController() == nullptr) return std::string(kNone);
    return module()->routingViewController()->view()->isHidden() ? "hidden" : "shown";
  });
  state.provide("panel.buttons", [views]() -> std::string {
    auto described = views();
    for (const auto& control : described.controls) {
      if (control.name == "cancel") return control.control->isHidden() ? "hidden" : "shown";
    }
    return std::string(kNone);
  });
}

}  // namespace

void addMediaControlsCommands(Simulator& simulator) {
  CommandTable& commands = simulator.commands();

  commands.add("device next-up", "on|off",
               "whether the media container shows the next-up list (default off); effective at once",
               [](CommandContext& context, const Arguments& arguments) {
                 const bool shows = onOff(arguments[0]);
                 context.device().phone().setShowsNextUp(shows);
                 if (auto* module = nowPlayingModule(context.device())) {
                   module->setShowsNextUp(shows);
                   afterPersonAction(context.device());
                 }
               });
  commands.add("device route-picker", "on|off",
               "the audio-route picker of the module's header opens (the routing controller's view shown) or "
               "closes; effective at once",
               [](CommandContext& context, const Arguments& arguments) {
                 const bool open = onOff(arguments[0]);
                 auto& module = runningModule(context.device());
                 if (module.routingViewController() == nullptr)
                   throw CommandError("the module has no route picker");
                 module.routingViewController()->view()->setHidden(!open);
                 afterPersonAction(context.device());
               });
  commands.add("device colour-tweak", "off|#RRGGBB",
               "the outside colouring tweak, with its primary colour (default off)",
               [](CommandContext& context, const Arguments& arguments) {
                 context.device().phone().setColouringTweakPrimaryColor(
                     arguments[0] == "off" ? nullptr : colourFrom(arguments[0]));
               });

  commands.add("cc", "expand|collapse",
               "Control Center open with the now-playing module expanded / the module collapsed",
               [](CommandContext& context, const Arguments& arguments) {
                 auto& module = runningModule(context.device());
                 if (arguments[0] != "expand" && arguments[0] != "collapse")
                   throw CommandError("expected expand or collapse, not " + inQuotes(arguments[0]));
                 module.setExpanded(arguments[0] == "expand");
                 afterPersonAction(context.device());
               });
  commands.add("lock", "show|hide", "the lock screen's media controls appear / go away",
               [](CommandContext& context, const Arguments& arguments) {
                 auto& controls = runningLockScreen(context.device());
                 if (arguments[0] == "show") {
                   controls.show();
                 } else if (arguments[0] == "hide") {
                   controls.hide();
                 } else {
                   throw CommandError("expected show or hide, not " + inQuotes(arguments[0]));
                 }
                 afterPersonAction(context.device());
               });
  commands.add("tap", "NAME", "touch-up-inside on a control on screen (help tap lists the names)",
               [](CommandContext& context, const Arguments& arguments) {
                 controlOnScreen(context.device(), arguments[0])
                     .sendActionsForControlEvents(platform::uikit::UIControlEventTouchUpInside);
                 afterPersonAction(context.device());
               });
  commands.add("touch", "X Y", "a tap at the point (X, Y) of the expanded module's content view, hit-tested",
               [](CommandContext& context, const Arguments& arguments) {
                 auto x = parseDecimal(arguments[0]);
                 auto y = parseDecimal(arguments[1]);
                 if (!x || !y)
                   throw CommandError("expected a point, not " + arguments[0] + ' ' + arguments[1]);
                 touch(context.device(), *x, *y, arguments[0] + ' ' + arguments[1]);
                 afterPersonAction(context.device());
               });
  commands.add("pick", "time|songs VALUE",
               "turn the count-down picker to MINUTES, or select N (1 to 99) in the songs picker",
               [](CommandContext& context, const Arguments& arguments) {
                 pick(context.device(), arguments[0], arguments[1]);
                 afterPersonAction(context.device());
               });
  commands.add("scroll", "begin|end",
               "the person starts / stops dragging: the run loop is in its tracking mode meanwhile",
               [](CommandContext& context, const Arguments& arguments) {
                 using platform::foundation::NSRunLoopMode;
                 if (arguments[0] != "begin" && arguments[0] != "end")
                   throw CommandError("expected begin or end, not " + inQuotes(arguments[0]));
                 platform::foundation::NSRunLoop::mainRunLoop().setCurrentMode(
                     arguments[0] == "begin" ? NSRunLoopMode::Tracking : NSRunLoopMode::Default);
                 afterPersonAction(context.device());
               });
  commands.add("screen", "on|off", "the display lights or goes dark",
               [](CommandContext& context, const Arguments& arguments) {
                 context.device().phone().setScreenOn(onOff(arguments[0]));
                 afterPersonAction(context.device());
               });
  commands.add(
      "tree", "[cc|lock|panel] [--visible] [--json]",
      "print the view tree, one view a line, indented: class, frame, hidden, alpha, text; --visible: only "
      "what is on screen, in screen coordinates, controls tagged [tap NAME]; --json: as JSON",
      [](CommandContext& context, const Arguments& arguments) {
        std::string which = "cc";
        ViewTreeOptions options;
        for (const Word& word : arguments.words()) {
          if (word.text == "--visible") {
            options.visibleOnly = true;
          } else if (word.text == "--json") {
            options.json = true;
          } else if (word.text.starts_with("--")) {
            throw CommandError("unknown option " + inQuotes(word.text) + " (tree takes --visible, --json)");
          } else {
            which = word.text;
          }
        }
        Device& device = context.device();
        const UIView* root = nullptr;
        if (which == "cc") {
          root = runningModule(device).contentView().get();
        } else if (which == "lock") {
          root = runningLockScreen(device).controller()->view().get();
        } else if (which == "panel") {
          root = TweakInspection(device).views().panel;
          if (root == nullptr) throw CommandError("there is no panel yet");
        } else {
          throw CommandError("expected cc, lock or panel, not " + inQuotes(which));
        }
        if (options.visibleOnly) {
          for (const auto& control : TweakInspection(device).views().controls) {
            options.tags[control.control] = "tap " + std::string(control.name);
          }
          if (auto* route = routeButton(device)) options.tags[route] = "tap route";
        }
        context.out() << printViewTree(*root, options);
      });

  commands.addTopic("tap", "Control names (tap takes those on screen)", [] { return kControlNames; });
  addStateLines(simulator);
}

}  // namespace lunadoze::sim
