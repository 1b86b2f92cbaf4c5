// What a person does with the media controls: `device next-up`, `device route-picker`, `device
// colour-tweak`, `cc`, `lock`, `tap`, `touch`, `pick`, `scroll`, `screen`, `tree`. What they show
// is in MediaControlsStateLines.cpp.
#include <algorithm>
#include <regex>
#include <string>

#include "platform/foundation/NSRunLoop.h"
#include "platform/springboard/MPAVRoutingViewController.h"
#include "platform/springboard/MediaControlsHeaderView.h"
#include "platform/springboard/simulation/LockScreenMediaControls.h"
#include "platform/springboard/simulation/NowPlayingModule.h"
#include "platform/springboard/simulation/SpringBoard.h"
#include "platform/uikit/UIColor.h"
#include "platform/uikit/UIControl.h"
#include "platform/uikit/UIDatePicker.h"
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
    "sleep",        "confirm",   "back",     "cancel", "extend",    "mode",          "actions",
    "actions-back", "hourglass", "airplane", "dnd",    "bluetooth", "custom-volume", "route",
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

// The root of the tree that `tree` prints: the module's content view, the lock screen's, or the
// panel.
const UIView& treeRoot(Device& device, const std::string& which) {
  if (which == "cc") return *runningModule(device).contentView();
  if (which == "lock") return *runningLockScreen(device).controller()->view();
  if (which == "panel") {
    if (const UIView* panel = TweakInspection(device).views().panel) return *panel;
    throw CommandError("there is no panel yet");
  }
  throw CommandError("expected cc, lock or panel, not " + inQuotes(which));
}

void printTree(CommandContext& context, const Arguments& arguments) {
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
  const UIView& root = treeRoot(device, which);
  if (options.visibleOnly) {
    for (const auto& control : TweakInspection(device).views().controls) {
      options.tags[control.control] = "tap " + std::string(control.name);
    }
    if (auto* route = routeButton(device)) options.tags[route] = "tap route";
  }
  context.out() << printViewTree(root, options);
}

// The `device` switches that concern the media controls.
void addDeviceSwitchCommands(CommandTable& commands) {
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
}

// What a person does on screen; each is followed by the layout pass it causes.
void addPersonActionCommands(CommandTable& commands) {
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
}

}  // namespace

void addMediaControlsCommands(Simulator& simulator) {
  CommandTable& commands = simulator.commands();
  addDeviceSwitchCommands(commands);
  addPersonActionCommands(commands);
  commands.add(
      "tree", "[cc|lock|panel] [--visible] [--json]",
      "print the view tree, one view a line, indented: class, frame, hidden, alpha, text; --visible: "
      "only what is on screen, in screen coordinates, controls tagged [tap NAME]; --json: as JSON",
      printTree);
  commands.addTopic("tap", "Control names (tap takes those on screen)", [] { return kControlNames; });
}

}  // namespace lunadoze::sim
