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
  static constexpr auto kKeys = std::to_array<std::string_view>({
      "clock",
      "tweak",
      "music",
      "music.title",
      "music.volume",
      "music.hud",
      "snooze",
      "snooze.left",
      "cc.module",
      "cc.stack.frame",
      "cc.transport.frame",
      "cc.sleep",
      "cc.sleep.text",
      "cc.sleep.icon",
      "cc.sleep.frame",
      "cc.next-up.frame",
      "lock",
      "lock.indicator",
      "lock.indicator.text",
      "lock.indicator.frame",
      "panel",
      "panel.frame",
      "panel.mode",
      "panel.picker.time",
      "panel.picker.songs",
      "panel.timer",
      "panel.unit",
      "panel.buttons",
      "airplane",
      "dnd",
      "bluetooth",
      "bluetooth.connected",
      "haptics",
  });

  using Provider = std::function<std::string()>;

  // The key must be one of kKeys, provided once.
  void provide(std::string_view key, Provider provider);

  static bool isKey(std::string_view key);
  // The line's value, or nullopt while nothing provides the line.
  std::optional<std::string> value(std::string_view key) const;
  // Every provided line, in order.
  void print(std::ostream& out) const;

 private:
  static std::optional<size_t> indexOf(std::string_view key);

  std::array<Provider, kKeys.size()> providers_;
};

}  // namespace lunadoze::sim
