// Pictures of what the person sees: `screenshot`, `prefs screenshot`, `record`, `plot`.
#include <filesystem>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "sim/CommandContext.h"
#include "sim/CommandError.h"
#include "sim/CommandGroups.h"
#include "sim/Device.h"
#include "sim/Simulator.h"
#include "sim/StateFormat.h"
#include "sim/pictures/PictureWriter.h"
#include "sim/pictures/PlotPainter.h"
#include "sim/pictures/Recorder.h"
#include "sim/pictures/ScreenPainter.h"

namespace lunadoze::sim {
namespace {

std::filesystem::path pngFile(const std::string& name) {
  std::filesystem::path file(name);
  if (file.extension() != ".png") throw CommandError("a picture is a .png file, not " + inQuotes(name));
  return file;
}

// The Settings app is a process of its own and may run in another directory.
std::string absoluteWord(const std::filesystem::path& file) {
  return inQuotes(std::filesystem::absolute(file).string());
}

}  // namespace

void addPictureCommands(Simulator& simulator) {
  CommandTable& commands = simulator.commands();
  // Shared by `record` and the run loop's onlooker; lives as long as the simulator's commands.
  auto recorder = std::make_shared<Recorder>();
  // Keeps each screen's last picture, which the next one of it is drawn over.
  auto screens = std::make_shared<ScreenPainter>();
  // Writes the pictures while the script goes on; each script waits for its last one at its end.
  auto writer = std::make_shared<PictureWriter>();
  simulator.setSettling([weak = std::weak_ptr<PictureWriter>(writer)] {
    if (auto alive = weak.lock()) alive->finish();
  });

  commands.add("screenshot", "cc|lock|panel FILE.png",
               "a picture of that screen as the person sees it, at twice the points",
               [screens, writer](CommandContext& context, const Arguments& arguments) {
                 auto screen = ScreenPainter::screenNamed(arguments[0]);
                 if (!screen) {
                   throw CommandError("unknown screen " + inQuotes(arguments[0]) +
                                      " (screens: " + std::string(ScreenPainter::kScreenNames) + ")");
                 }
                 const auto file = pngFile(arguments[1]);
                 std::ostringstream notes;
                 writer->write(*screens->draw(context.device(), *screen, notes), file, context.location(),
                               "screenshot");
                 context.err() << notes.str();
               });

  commands.add("prefs screenshot", "[PAGE] FILE.png",
               "a picture of the Settings app's page (the root page by default)",
               [](CommandContext& context, const Arguments& arguments) {
                 const auto file = pngFile(arguments[arguments.size() - 1]);
                 std::string command = "screenshot ";
                 if (arguments.size() == 2) command += arguments.word(0).raw + " ";
                 context.device().settingsApp().run(command + absoluteWord(file));
                 context.device().runDueEvents();
               });

  commands.add("record", "KEY...", "from now on record these state lines at every change, for plot",
               [&simulator, recorder](CommandContext& context, const Arguments& arguments) {
                 std::vector<std::string> keys;
                 for (size_t i = 0; i < arguments.size(); ++i) {
                   if (!StateDump::isKey(arguments[i]))
                     throw CommandError("no state line " + inQuotes(arguments[i]));
                   if (!simulator.state().value(arguments[i])) {
                     throw CommandError("the state line " + inQuotes(arguments[i]) + " is not simulated yet");
                   }
                   keys.push_back(arguments[i]);
                 }
                 const StateDump& state = simulator.state();
                 Device& device = context.device();
                 recorder->add(keys, state, device.clock());
                 // Weakly: the simulator's commands own the recorder.
                 simulator.setRecording([weak = std::weak_ptr<Recorder>(recorder), &state, &device] {
                   if (auto alive = weak.lock()) alive->sample(state, device.clock());
                 });
               });

  commands.add("plot", "FILE.png|FILE.svg",
               "draw what record recorded against the clock: numbers as lines, other values as bands",
               [recorder, &simulator](CommandContext& context, const Arguments& arguments) {
                 recorder->sample(simulator.state(), context.device().clock());
                 PlotPainter::write(*recorder, context.device().clock(), arguments[0]);
               });
}

}  // namespace lunadoze::sim
