#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "platform/foundation/DeviceFileSystem.h"
#include "platform/foundation/NSFileManager.h"
#include "platform/foundation/PropertyList.h"
#include "tests/platform/foundation/TemporaryDirectory.h"

namespace platform::foundation {
namespace {

constexpr const char* kRecord = "/var/lib/dpkg/info/com.example.present.list";
constexpr const char* kMissingRecord = "/var/lib/dpkg/info/com.example.missing.list";
constexpr const char* kSettings = "/var/mobile/Library/Preferences/com.example.plist";

// The reads an outside tweak's placement makes on each lock-screen pass, one by one, on a device
// root of their own: what they cost is the floor of that pass.
class FileReadsDevice {
 public:
  static void use() {
    static FileReadsDevice device;
    DeviceFileSystem::setRoot(device.root_.path());
  }

  static std::string settingsXml() {
    return PropertyList(PropertyList::Dictionary{{"Enabled", PropertyList(true)},
                                                 {"SmallMusicController", PropertyList(true)}})
        .toXml();
  }

 private:
  FileReadsDevice() {
    DeviceFileSystem::setRoot(root_.path());
    std::filesystem::create_directories(*DeviceFileSystem::resolve("/var/lib/dpkg/info"));
    std::filesystem::create_directories(*DeviceFileSystem::resolve("/var/mobile/Library/Preferences"));
    std::ofstream emptyRecord(*DeviceFileSystem::resolve(kRecord));
    std::ofstream{*DeviceFileSystem::resolve(kSettings)} << settingsXml();
  }

  TemporaryDirectory root_;
};

void BM_FileExistsAtPath(benchmark::State& state) {
  FileReadsDevice::use();
  const char* path = state.range(0) != 0 ? kRecord : kMissingRecord;
  for (auto _ : state) benchmark::DoNotOptimize(NSFileManager::defaultManager()->fileExistsAtPath(path));
}
BENCHMARK(BM_FileExistsAtPath)->ArgName("present")->Arg(1)->Arg(0);

void BM_DictionaryWithContentsOfFile(benchmark::State& state) {
  FileReadsDevice::use();
  for (auto _ : state) {
    auto settings = PropertyList::dictionaryWithContentsOfFile(kSettings);
    if (!settings) state.SkipWithError("the settings did not read as a dictionary");
    benchmark::DoNotOptimize(settings);
  }
}
BENCHMARK(BM_DictionaryWithContentsOfFile);

void BM_ParseSettingsXml(benchmark::State& state) {
  const std::string xml = FileReadsDevice::settingsXml();
  for (auto _ : state) benchmark::DoNotOptimize(PropertyList::parse(xml));
}
BENCHMARK(BM_ParseSettingsXml);

}  // namespace
}  // namespace platform::foundation
