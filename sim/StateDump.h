#pragma once

#include <array>
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>

namespace lunadoze::sim {

// The state the `state` command prints and `expect` reads: one "key: value" line per key, always
// in the order below. A subsystem provides the lines it knows; a line that nothing provides yet
// is left out.
class StateDump {
 public:
  // Each line's key and the values it reads, as `help state` lists them.
  struct Line {
    std::string_view key;
    std::string_view values;
  };
  static constexpr auto kLines = std::to_array<Line>({
      {"clock", "seconds since the device started"},
      {"tweak", "hooked | disabled | not-loaded"},
      {"music", "playing | paused"},
      {"music.title", "\"TITLE\" | none"},
      {"music.volume", "0 to 1"},
      {"music.hud", "shown | suppressed | none"},
      {"snooze", "idle | time | song-end | fading | songs"},
      {"snooze.left", "MM:SS (time) | songs left (songs) | -"},
      {"cc.module", "expanded | collapsed"},
      {"cc.stack.frame", "x y width height | none"},
      {"cc.transport.frame", "x y width height | none   the middle transport button, in the stack view"},
      {"cc.sleep", "visible | hidden | none"},
      {"cc.sleep.text", "\"TEXT\" | none"},
      {"cc.sleep.icon", "shown | hidden | none"},
      {"cc.sleep.frame", "x y width height | none"},
      {"cc.next-up.frame", "x y width height | none"},
      {"lock", "shown | hidden"},
      {"lock.indicator", "visible | hidden | none"},
      {"lock.indicator.text", "\"MM:SS\" | none"},
      {"lock.indicator.frame", "x y width height | none"},
      {"panel", "dismissed | choose-time | timer-actions | current-timer | none"},
      {"panel.frame", "x y width height | none"},
      {"panel.mode", "time | songs | none"},
      {"panel.picker.time", "minutes on the count-down picker | none"},
      {"panel.picker.songs", "1 to 99 | none"},
      {"panel.timer", "\"TEXT\" | none   the current-timer page's value"},
      {"panel.unit", "\"TEXT\" | none"},
      {"panel.buttons", "shown | hidden | none   the current-timer page's bottom buttons"},
      {"airplane", "on | off"},
      {"dnd", "on | off"},
      {"bluetooth", "on | off"},
      {"bluetooth.connected", "\"NAME\", ... | none"},
      {"haptics", "impacts played since boot"},
      {"panel.toggle", "visible | hidden | none   the choose-time page's mode toggle button"},
      {"panel.picker.caption", "\"songs\" | \"song\" | none   the word beside the songs picker's number"},
      {"panel.title", "\"TEXT\" | none   the current-timer page's title"},
      {"actions", "start | end | none   which actions the timer-actions page shows"},
      {"actions.checked", "airplane, dnd, ... | none   its ticked checkboxes, in the page's order"},
      {"actions.hourglass", "0 | 180   the hourglass's rotation in degrees"},
      {"lock.indicator.icon", "shown | hidden | none"},
      {"lock.indicator.colour", "#RRGGBB | none   the indicator text's colour"},
      {"route-picker", "shown | hidden | none"},
  });
  static constexpr auto kKeys = [] {
    std::array<std::string_view, kLines.size()> keys;
    for (size_t i = 0; i < kLines.size(); ++i) keys[i] = kLines[i].key;
    return keys;
  }();

  using Provider = std::function<std::string()>;

  // The key must be one of kKeys, provided once.
  void provide(std::string_view key, Provider provider);

  static bool isKey(std::string_view key);
  // The error for a key that names no state line, with the nearest keys.
  static std::string unknownKey(std::string_view key);
  // The line's value, or nullopt while nothing provides the line.
  std::optional<std::string> value(std::string_view key) const;
  // Every provided line, in order.
  void print(std::ostream& out) const;
  // The same lines as one JSON object, values as strings.
  std::string json() const;

 private:
  static std::optional<size_t> indexOf(std::string_view key);

  std::array<Provider, kKeys.size()> providers_;
};

}  // namespace lunadoze::sim
