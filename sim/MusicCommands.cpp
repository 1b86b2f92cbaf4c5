// The music player and the media volume: `music ...`, `volume ...`; the `music...` lines.
#include <algorithm>
#include <string>
#include <vector>

#include "platform/springboard/SBMediaController.h"
#include "platform/springboard/SBVolumeControl.h"
#include "platform/springboard/simulation/MusicPlayer.h"
#include "platform/springboard/simulation/Phone.h"
#include "sim/CommandContext.h"
#include "sim/CommandError.h"
#include "sim/CommandGroups.h"
#include "sim/Device.h"
#include "sim/NearestNames.h"
#include "sim/Simulator.h"
#include "sim/StateFormat.h"

namespace lunadoze::sim {
namespace {

using platform::springboard::MusicPlayer;
using platform::springboard::SBMediaController;
using platform::springboard::SBVolumeControl;

MusicPlayer& player(CommandContext& context) {
  return context.device().phone().musicPlayer();
}

void queue(CommandContext& context, const Arguments& arguments) {
  if (arguments.size() % 2 != 0) throw CommandError("every title needs its length: TITLE SECONDS");
  std::vector<MusicPlayer::Item> items;
  for (size_t i = 0; i < arguments.size(); i += 2) {
    double duration = arguments.duration(i + 1);
    if (duration <= 0) throw CommandError(inQuotes(arguments[i]) + " must last longer than 0 seconds");
    items.push_back({arguments[i], duration});
  }
  player(context).setQueue(std::move(items));
}

// The hardware buttons: SpringBoard sets the volume and shows its HUD; with no SpringBoard
// running, the volume changes without one.
void volume(CommandContext& context, const Arguments& arguments) {
  auto value = parseDecimal(arguments[0]);
  if (!value || *value < 0 || *value > 1) {
    // A misspelt button press is no number at all.
    static const std::vector<std::string> kButtons = {"up", "down"};
    throw CommandError(inQuotes(arguments[0]) + " is not a volume from 0 to 1" +
                       (value ? std::string() : didYouMean(arguments[0], kButtons)));
  }
  if (auto mediaController = SBMediaController::sharedInstance()) {
    mediaController->changeMediaVolume(static_cast<float>(*value));
  } else {
    context.device().phone().setMediaVolume(static_cast<float>(*value));
  }
}

// One press of a volume button, screen lit or dark: SpringBoard's volume control handles it, as
// the hooks on it see; with no SpringBoard running, the volume takes the step without one.
void volumeButton(CommandContext& context, float step) {
  if (auto volumeControl = SBVolumeControl::sharedInstance()) {
    step > 0 ? volumeControl->increaseVolume() : volumeControl->decreaseVolume();
  } else {
    auto& phone = context.device().phone();
    phone.setMediaVolume(std::clamp(phone.mediaVolume() + step, 0.0f, 1.0f));
  }
}

}  // namespace

void addMusicCommands(Simulator& simulator) {
  CommandTable& commands = simulator.commands();
  commands.add(
      "music queue", "TITLE SECONDS [TITLE SECONDS]...",
      "the player's queue: titles and their lengths; replaces the queue; the first title becomes current",
      queue);
  commands.add("music play", "", "the person's own play",
               [](CommandContext& context, const Arguments&) { player(context).play(); });
  commands.add("music pause", "", "the person's own pause",
               [](CommandContext& context, const Arguments&) { player(context).pause(); });
  commands.add("music next", "", "the person's own skip to the next title",
               [](CommandContext& context, const Arguments&) { player(context).next(); });
  commands.add("music update-untitled", "",
               "the player reports a now-playing change whose information has no title",
               [](CommandContext& context, const Arguments&) { player(context).reportUntitledChange(); });
  commands.add("volume", "V", "set the media volume (0 to 1) with the hardware buttons", volume);
  commands.add(
      "volume up", "", "one press of the volume-up button, the screen lit or dark",
      [](CommandContext& context, const Arguments&) { volumeButton(context, SBVolumeControl::kVolumeStep); });
  commands.add("volume down", "", "one press of the volume-down button, the screen lit or dark",
               [](CommandContext& context, const Arguments&) {
                 volumeButton(context, -SBVolumeControl::kVolumeStep);
               });

  Device& device = simulator.device();
  StateDump& state = simulator.state();
  state.provide("music",
                [&device] { return device.phone().musicPlayer().isPlaying() ? "playing" : "paused"; });
  state.provide("music.title", [&device] {
    const MusicPlayer::Item* item = device.phone().musicPlayer().nowPlayingItem();
    return item ? inQuotes(item->title) : std::string(kNone);
  });
  state.provide("music.volume", [&device] { return formatNumber(device.phone().mediaVolume()); });
  state.provide("music.hud", [] {
    auto mediaController = SBMediaController::sharedInstance();
    if (mediaController == nullptr) return std::string(kNone);
    return std::string(mediaController->isHUDSuppressed() ? "suppressed" : "shown");
  });
}

}  // namespace lunadoze::sim
