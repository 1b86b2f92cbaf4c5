#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <nlohmann/json.hpp>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/foundation/PropertyList.h"
#include "platform/foundation/SystemLog.h"
#include "sim/CommandContext.h"
#include "sim/CommandHelp.h"
#include "sim/CommandTable.h"
#include "sim/ScriptRunner.h"
#include "sim/Simulator.h"
#include "sim/StatusLine.h"

namespace lunadoze::sim {
namespace {

namespace fs = std::filesystem;

struct Outcome {
  int status;
  std::string out;
  std::string err;
};

// Runs the scripts, one after another, on one simulator.
Outcome runScripts(Simulator& simulator, const std::vector<std::string>& scripts) {
  std::ostringstream out;
  std::ostringstream err;
  ScriptRunner runner(simulator, out, err);
  for (size_t i = 0; i < scripts.size(); ++i) {
    std::istringstream script(scripts[i]);
    // Appended, not "s" + std::to_string(...): GCC 12 at -O3 warns of an overlap that cannot happen.
    std::string name = "s";
    name += std::to_string(i + 1) + ".sim";
    runner.runScript(script, name);
  }
  int status = runner.finish();
  return {status, out.str(), err.str()};
}

class ScriptRunnerTest : public ::testing::Test {
 protected:
  Outcome runScripts(const std::vector<std::string>& scripts) { return sim::runScripts(simulator, scripts); }

  // What a one-line script that must fail prints.
  std::string error(const std::string& line) {
    Outcome result = runScripts({line + "\n"});
    EXPECT_EQ(result.status, 2) << line;
    return result.err;
  }

  Simulator simulator{std::nullopt, false};
};

TEST_F(ScriptRunnerTest, ExitStatusTellsWhetherEveryExpectationHeld) {
  EXPECT_EQ(runScripts({"expect tweak not-loaded\nboot\nexpect tweak hooked\n"}).status, 0);

  Outcome failed = runScripts({"expect tweak hooked\nexpect clock 0\n"});
  EXPECT_EQ(failed.status, 1);
  EXPECT_EQ(failed.out, "1 passed, 1 failed\n");
  EXPECT_EQ(failed.err, "s1.sim:1: tweak reads not-loaded, expected hooked\n");
}

TEST_F(ScriptRunnerTest, ACommandThatCannotBeRunStopsItsScriptButNotTheNextOne) {
  Outcome result =
      runScripts({"expect clock 0\n\n  # comment\nwait soon\nexpect clock 0\n", "expect clock 1\n"});
  EXPECT_EQ(result.status, 2);
  EXPECT_EQ(result.err,
            "s1.sim:4: wait: \"soon\" is not a duration (90, 1.5, 30s, 15m, 8h)\n"
            "s2.sim:1: clock reads 0, expected 1\n");
  EXPECT_EQ(result.out, "1 passed, 1 failed\n");
}

TEST_F(ScriptRunnerTest, EachScriptStartsFromAFreshBootStateOnTheSameDevice) {
  Outcome result = runScripts({
      "device version 12.4\nprefs set enabled off\nboot\nwait 1h\n",
      "expect clock 0\nexpect tweak not-loaded\nexpect setting.enabled false\nboot\nexpect tweak disabled\n",
  });
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(simulator.device().phone().systemVersion(), "14.4");
}

TEST_F(ScriptRunnerTest, StateOpensWithTheClockAndTheTweak) {
  Outcome result = runScripts({"state\n", "boot\nwait 1.5\nstate\necho \"two  blanks\" and one\n"});
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_TRUE(result.out.starts_with("clock: 0\ntime: 22:30\ntweak: not-loaded\n")) << result.out;
  EXPECT_NE(result.out.find("\nclock: 1.5\ntime: 22:30\ntweak: hooked\n"), std::string::npos) << result.out;
  EXPECT_TRUE(result.out.ends_with("\ntwo  blanks and one\n0 passed, 0 failed\n")) << result.out;
}

TEST_F(ScriptRunnerTest, TheTimeOfDayIsTheStartsPlusTheClockAndWrapsAtMidnight) {
  Outcome result = runScripts({
      "device time 23:10\nexpect time 23:10\nwait 2999\nexpect time 23:59\nwait 1s\nexpect time 00:00\n"
      "boot\nwait 4h\nexpect time 04:00\n",
      "expect time 22:30\ndevice time 7:05\nexpect time 07:05\n",
  });
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out, "6 passed, 0 failed\n");
}

TEST_F(ScriptRunnerTest, ExpectTakesQuotesIntoAccountOnlyWhereTheStateLineHasThem) {
  Outcome result = runScripts({
      "prefs set onTimerEndsBluetoothDeviceName \"Car Kit\"\n"
      "prefs set timerDefaultValue 30\n"
      "prefs set confirmViewAutoDismissTime 2.5\n"
      "expect setting.onTimerEndsBluetoothDeviceName \"Car Kit\"\n"
      "expect setting.timerDefaultValue 30\n"
      "expect setting.timerDefaultValue \"30\"\n"
      "expect setting.confirmViewAutoDismissTime 2.5\n"
      "expect setting.enabled none\n"
      "expect setting.onTimerEndsBluetoothDeviceName Car Kit\n"
      "prefs set onTimerEndsBluetoothDeviceName 1\n"
      "expect setting.onTimerEndsBluetoothDeviceName \"1\"\n"
      "expect setting.onTimerEndsBluetoothDeviceName 1\n",
  });
  EXPECT_EQ(result.err,
            "s1.sim:9: setting.onTimerEndsBluetoothDeviceName reads \"Car Kit\", expected Car Kit\n"
            "s1.sim:12: setting.onTimerEndsBluetoothDeviceName reads \"1\", expected 1\n");
  EXPECT_EQ(result.out, "6 passed, 2 failed\n");
}

TEST_F(ScriptRunnerTest, PrefsShowPrintsThePageTheSettingsAppShows) {
  Outcome result = runScripts({"prefs set enabledModes 2\nprefs show\nprefs show TimerStartActions\n"});
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_NE(result.out.find(
                "\n1.0 enabledModes = 2\n1.1 text \"The rows below apply when the timer runs by time.\"\n"
                "1.2 timerDefaultValue = 1 (greyed)\n1.3 timerMinutesSteps = 5 (greyed)\n"),
            std::string::npos)
      << result.out;
  EXPECT_NE(result.out.find("\n2.1 > TimerEndActions \"When the timer ends\"\n"), std::string::npos);
  EXPECT_NE(result.out.find("onTimerStartsCustomVolumeValue = "), std::string::npos) << result.out;
}

TEST_F(ScriptRunnerTest, TheSettingsAppRefusesWhatItsRowsCannotTakeAndWritesNothing) {
  // Quoted, a value is text: no switch position, no number.
  EXPECT_EQ(error("prefs set enabled \"off\""),
            "s1.sim:1: prefs set: enabled takes on or off, not the text \"off\"\n");
  EXPECT_EQ(error("prefs set timerDefaultValue \"30\""),
            "s1.sim:1: prefs set: timerDefaultValue takes a number from 1 to 180 in steps of 1, not the text "
            "\"30\"\n");
  EXPECT_EQ(
      error("prefs set timerDefaultValue 1e1"),
      "s1.sim:1: prefs set: timerDefaultValue takes a number from 1 to 180 in steps of 1, not \"1e1\"\n");
  EXPECT_EQ(
      error("prefs show Nope"),
      "s1.sim:1: prefs show: no page \"Nope\" (pages: Prefs, TimerStartActions, TimerEndActions, Bedtime)\n");
  Outcome after = runScripts({"expect setting.enabled none\nexpect setting.timerDefaultValue none\n"});
  EXPECT_EQ(after.status, 0) << after.err;
}

TEST_F(ScriptRunnerTest, EachScriptHasASettingsAppOfItsOwnThatRemembersItsCommands) {
  // Changing "enabled" shows the Respring button for the rest of the script only; the button
  // restarts a SpringBoard that runs, and does nothing to one that does not.
  Outcome result = runScripts({
      "prefs set enabled off\nprefs respring\nexpect tweak not-loaded\nboot\nexpect tweak disabled\n",
      "boot\nprefs respring\n",
  });
  EXPECT_EQ(result.status, 2);
  EXPECT_EQ(
      result.err,
      "s2.sim:2: prefs respring: the Respring button is not shown: it appears once \"enabled\" has been "
      "changed\n");
  EXPECT_EQ(result.out, "2 passed, 0 failed\n");
}

TEST_F(ScriptRunnerTest, BadInputIsAnErrorThatNamesTheLine) {
  EXPECT_EQ(error("device rm Library/x"),
            "s1.sim:1: device rm: \"Library/x\" is not a path on the device (absolute, inside its root)\n");
  EXPECT_EQ(error("device rm /var/nothing"), "s1.sim:1: device rm: no file at \"/var/nothing\"\n");
  EXPECT_EQ(error("device rm /var/mobile"), "s1.sim:1: device rm: \"/var/mobile\" is a directory\n");
  EXPECT_EQ(error("device plist /a.plist enabled"), "s1.sim:1: device plist: \"enabled\" is not KEY=VALUE\n");
  EXPECT_EQ(error("device version 14.x"),
            "s1.sim:1: device version: \"14.x\" is not a system version (such as 12.4 or 11.4.1)\n");
  for (const char* time : {"24:00", "23:60", "7", "23:1", "-1:00", "23:10:00"}) {
    EXPECT_EQ(error(std::string("device time ") + time),
              std::string("s1.sim:1: device time: \"") + time +
                  "\" is not a time of day (HH:MM from 00:00 to 23:59, such as 23:10)\n");
  }
  EXPECT_EQ(error("respring"), "s1.sim:1: respring: SpringBoard does not run; boot starts it\n");
  EXPECT_EQ(error("expect brightness 1"),
            "s1.sim:1: expect: no state line \"brightness\" (help state lists them)\n");
  EXPECT_EQ(error("expect music.volme 1"),
            "s1.sim:1: expect: no state line \"music.volme\" (did you mean music.volume?) (help state lists "
            "them)\n");
  EXPECT_EQ(error("expect setting.enabld none"),
            "s1.sim:1: expect: no setting \"enabld\" (did you mean enabled?) (help prefs lists them)\n");
  EXPECT_EQ(error("prefs set enabeld on"),
            "s1.sim:1: prefs set: no row for the setting \"enabeld\" on any page (did you mean enabled?)\n");
}

TEST_F(ScriptRunnerTest, AScriptThatCannotBeReadIsAnErrorAndTheOthersStillRun) {
  std::ostringstream out;
  std::ostringstream err;
  ScriptRunner runner(simulator, out, err);
  const fs::path directory = simulator.device().hostPath("/var");
  runner.runFile(directory.string());
  runner.runFile((directory / "missing.sim").string());
  std::ofstream(directory / "echo.sim") << "echo still here\n";
  runner.runFile((directory / "echo.sim").string());
  EXPECT_EQ(runner.finish(), 2);
  EXPECT_EQ(err.str(), directory.string() + ": cannot read the script: Is a directory\n" +
                           (directory / "missing.sim").string() +
                           ": cannot read the script: No such file or directory\n");
  EXPECT_EQ(out.str(), directory.string() + ": 0 passed, 0 failed\n" + (directory / "missing.sim").string() +
                           ": 0 passed, 0 failed\nstill here\n" + (directory / "echo.sim").string() +
                           ": 0 passed, 0 failed\n0 passed, 0 failed\n");
}

TEST_F(ScriptRunnerTest, DeviceFilesAreWrittenAndRemovedUnderTheRoot) {
  Outcome result = runScripts({
      "device plist /var/lib/x.plist flag=true count=3 ratio=0.5 name=Moon\n"
      "device file /var/lib/dpkg/info/other.list\n",
  });
  ASSERT_EQ(result.status, 0) << result.err;
  const fs::path root = simulator.device().hostPath("/");
  auto plist = platform::foundation::PropertyList::readFile(root / "var/lib/x.plist");
  ASSERT_TRUE(plist) << plist.error();
  EXPECT_EQ(*plist, (platform::foundation::PropertyList::Dictionary{
                        {"flag", true}, {"count", 3}, {"ratio", 0.5}, {"name", "Moon"}}));
  EXPECT_EQ(fs::file_size(root / "var/lib/dpkg/info/other.list"), 0u);

  EXPECT_EQ(runScripts({"device rm /var/lib/x.plist\n"}).status, 0);
  EXPECT_FALSE(fs::exists(root / "var/lib/x.plist"));
}

TEST_F(ScriptRunnerTest, HelpIsTheCommandTableItself) {
  Outcome all = runScripts({"help\n"});
  ASSERT_EQ(all.status, 0) << all.err;
  for (const auto& command : simulator.commands().all()) {
    EXPECT_NE(all.out.find("\n  " + command->usage()), std::string::npos) << command->name;
  }
  Outcome tap = runScripts({"help tap\n"});
  EXPECT_NE(tap.out.find("  tap NAME"), std::string::npos) << tap.out;
  EXPECT_NE(tap.out.find("  custom-volume\n"), std::string::npos) << tap.out;
  Outcome state = runScripts({"help state\n"});
  EXPECT_NE(state.out.find("  music: playing | paused\n"), std::string::npos) << state.out;
  Outcome prefs = runScripts({"help prefs\n"});
  EXPECT_NE(prefs.out.find("  prefs set KEY VALUE"), std::string::npos) << prefs.out;
  EXPECT_NE(prefs.out.find("  timerDefaultValue  a number from 1 to 180 in steps of 1"), std::string::npos)
      << prefs.out;
  EXPECT_EQ(error("help tpa"),
            "s1.sim:1: help: no command \"tpa\" (did you mean tap?) (help lists the commands)\n");
}

TEST_F(ScriptRunnerTest, ReferencePageInTheRepositoryIsTheOneTheTableMakes) {
  std::ifstream file(fs::path(LUNADOZE_SOURCE_DIR) / "docs/simulator-commands.md");
  const std::string page((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  EXPECT_EQ(page, CommandHelp::referencePage(simulator.commands()))
      << "docs/simulator-commands.md is stale: build/default/sim/lunadoze-sim help --markdown > "
         "docs/simulator-commands.md";
}

TEST_F(ScriptRunnerTest, RefusalsOfThePersonsActionsCanBeExpected) {
  Outcome result = runScripts({
      "boot\ncc expand\n"
      "expect-refused tap confirm\n"
      "expect-refused tap sleep\n"
      "expect panel choose-time\n"
      "expect-refused pick time 0\n"
      "expect-refused pick time 1440\n"
      "prefs set enabledModes 2\n"
      "expect-refused prefs set timerDefaultValue 5\n"
      "expect-refused prefs set enabled maybe\n",
  });
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.err, "s1.sim:4: \"tap sleep\" ran, though it was expected to be refused\n");
  EXPECT_EQ(result.out, "6 passed, 1 failed\n");
  // A mistake in the script is no refusal: the script stops there.
  EXPECT_NE(error("expect-refused tap slep").find("did you mean sleep?"), std::string::npos);
  EXPECT_NE(error("expect-refused prefs set enabeld on").find("no row for the setting"), std::string::npos);
}

TEST_F(ScriptRunnerTest, RefusalsSayWhatIsOffered) {
  Outcome tap = runScripts({"boot\ncc expand\ntap confirm\n"});
  EXPECT_EQ(tap.err, "s1.sim:3: tap: no control \"confirm\" on screen (on screen: sleep, route)\n");
  Outcome pick = runScripts({"boot\ncc expand\ntap sleep\npick time 7\n"});
  EXPECT_NE(pick.err.find("does not offer 7 minutes: it offers 5 to 1435 in steps of 5"), std::string::npos)
      << pick.err;
}

TEST_F(ScriptRunnerTest, WatchShowsEveryStepOfAFadeWithTheClock) {
  Outcome result = runScripts({
      "boot\nmusic queue A 600\nmusic play\ncc expand\ntap sleep\npick time 5\ntap confirm\n"
      "watch music.volume music\nwatch\nwait 5m\nwait 20\nwatch off\nwait 1\n",
  });
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_NE(result.out.find("watching music.volume\nwatching music\n"), std::string::npos) << result.out;
  std::istringstream lines(result.out);
  std::string line;
  int steps = 0;
  std::string lastClock;
  while (std::getline(lines, line)) {
    if (line.find("  music.volume: ") == std::string::npos) continue;
    ++steps;
    EXPECT_GT(line.substr(0, 12), lastClock) << line;
    lastClock = line.substr(0, 12);
  }
  EXPECT_GT(steps, 5) << result.out;
  EXPECT_NE(result.out.find("  music: playing -> paused\n"), std::string::npos) << result.out;
  EXPECT_TRUE(result.out.starts_with("watching")) << result.out;
}

TEST_F(ScriptRunnerTest, LogLinesCarryTheClockAndCanBeExpected) {
  const std::string timer =
      "boot\nmusic queue A 600\nmusic play\ncc expand\ntap sleep\npick time 5\ntap confirm\n";
  Outcome result = runScripts({timer + "wait 6m\nlog\n"});
  ASSERT_EQ(result.status, 0) << result.err;
  // Each line when it was written, not when `log` ran: the start at once, the end after the fade.
  EXPECT_EQ(result.out,
            "00:00:00.003  performSpecialActionsOnTimerStart\n00:05:16.254  performSpecialActionsOnTimerEnd\n"
            "0 passed, 0 failed\n");
  Outcome expected = runScripts({timer + "expect-log performSpecialActionsOnTimerStart\n"
                                         "expect-log performSpecialActionsOnTimerStart 1\n"
                                         "expect-log performSpecialActionsOnTimerEnd 0\n"
                                         "expect-log performSpecialActionsOnTimerStart 2\n"
                                         "expect-log performSpecialActionsOnTimerEnd\n"});
  EXPECT_EQ(expected.out, "3 passed, 2 failed\n");
  EXPECT_EQ(expected.err,
            "s1.sim:11: the log line \"performSpecialActionsOnTimerStart\" was written 1 times, expected 2\n"
            "s1.sim:12: no log line \"performSpecialActionsOnTimerEnd\" since boot\n");
}

TEST_F(ScriptRunnerTest, TheStatusLineReadsTheClockMusicSnoozeAndVolumeAndIsRedrawnInPlace) {
  Outcome result =
      runScripts({"boot\nmusic queue \"Night Drive\" 600\nmusic play\ncc expand\ntap sleep\n"
                  "pick time 5\ntap confirm\nwait 61\nwatch music.volume\nvolume 0.3\n"});
  ASSERT_EQ(result.status, 0) << result.err;
  // The hardware buttons' change, with the clock of the event that made it.
  EXPECT_NE(result.out.find("00:01:01.003  music.volume: 0.5 -> 0.3\n"), std::string::npos) << result.out;
  std::ostringstream terminal;
  StatusLine line(simulator.state(), terminal);
  EXPECT_EQ(line.text(), "[00:01:01]  music playing \"Night Drive\"  snooze time 03:59  volume 0.3");
  line.clear();
  line.show();
  line.show();
  line.clear();
  EXPECT_EQ(terminal.str(), "\r\x1b[K" + line.text() + "\r\x1b[K" + line.text() + "\r\x1b[K");
}

TEST_F(ScriptRunnerTest, StateAsJsonHoldsTheSameLines) {
  Outcome result = runScripts({"boot\nstate --json\n"});
  ASSERT_EQ(result.status, 0) << result.err;
  auto object = nlohmann::ordered_json::parse(result.out.substr(0, result.out.find('\n')));
  EXPECT_EQ(object.begin().key(), "clock");
  EXPECT_EQ(object["tweak"], "hooked");
  EXPECT_EQ(object["music.volume"], "0.5");
  EXPECT_EQ(error("state --yaml"), "s1.sim:1: state: unknown option \"--yaml\" (state takes --json)\n");
}

TEST_F(ScriptRunnerTest, AByteOrderMarkIsNoCommandAndQuitEndsTheScript) {
  Outcome result =
      runScripts({"\xEF\xBB\xBF"
                  "expect clock 0\nquit\nexpect clock 1\n",
                  "exit\n"});
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out, "1 passed, 0 failed\n");
}

TEST(DeviceRootTest, AChosenRootIsStagedOnceAndReusedAfterwards) {
  const fs::path root = fs::temp_directory_path() / ("lunadoze-root-test-" + std::to_string(getpid()));
  fs::remove_all(root);
  {
    Simulator simulator(root, false);
    EXPECT_EQ(runScripts(simulator, {"prefs set enabled off\n"}).status, 0);
  }
  ASSERT_TRUE(fs::exists(root / "Library/MobileSubstrate/DynamicLibraries/Lunadoze.dylib"));
  {
    Simulator simulator(root, false);
    Outcome result = runScripts(simulator, {"expect setting.enabled false\nboot\nexpect tweak disabled\n"});
    EXPECT_EQ(result.status, 0) << result.err;
  }
  fs::remove_all(root);
}

TEST(DeviceRootTest, ADirectoryThatHoldsSomethingElseIsRefused) {
  const fs::path root = fs::temp_directory_path() / ("lunadoze-root-test-" + std::to_string(getpid()));
  fs::create_directories(root / "var");
  try {
    Simulator simulator(root, false);
    ADD_FAILURE() << "a directory without a device was taken for one";
  } catch (const std::runtime_error& error) {
    EXPECT_NE(std::string(error.what()).find("holds files but no device"), std::string::npos) << error.what();
  }
  EXPECT_FALSE(fs::exists(root / "Library"));
  fs::remove_all(root);
}

TEST(DeviceRootTest, AFreshRootIsRemovedWithTheSimulator) {
  fs::path root;
  {
    Simulator simulator(std::nullopt, false);
    root = simulator.device().hostPath("/");
    EXPECT_TRUE(fs::exists(root / "var/mobile/Library/Preferences"));
  }
  EXPECT_FALSE(fs::exists(root));
}

TEST_F(ScriptRunnerTest, LogShowsTheKeptLinesAndSaysWhenOlderOnesWereDropped) {
  using platform::foundation::SystemLog;
  // A script starts on a fresh boot, which clears the log: the command runs on its own here.
  SystemLog::clear();
  for (size_t i = 0; i < SystemLog::kCapacity + 3; ++i) SystemLog::write("line " + std::to_string(i));
  std::ostringstream printed;
  std::ostringstream errors;
  Tally tally;
  bool leaving = false;
  CommandContext context(simulator, printed, errors, "test", tally, leaving);
  const std::vector<Word> line{{"log", "log"}};
  auto log = simulator.commands().find(line);
  log.command.run(context, log.arguments);
  std::istringstream out(printed.str());
  std::string first;
  std::string oldestKept;
  std::getline(out, first);
  std::getline(out, oldestKept);
  EXPECT_NE(first.find("3 older lines dropped"), std::string::npos) << first;
  EXPECT_TRUE(oldestKept.ends_with("line 3")) << oldestKept;
}

}  // namespace
}  // namespace lunadoze::sim
