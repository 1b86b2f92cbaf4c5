// Any bytes as a preference bundle's specifier list: loaded as the Settings app loads a page,
// and every row's cell made.
#include <cstdint>
#include <memory>

#include "fuzz/FuzzDevice.h"
#include "platform/foundation/NSBundle.h"
#include "platform/preferences/PSListController.h"

namespace {

using platform::preferences::PSListController;

class FuzzedList : public PSListController {
 public:
  void show(Specifiers specifiers) {
    specifiers_ = std::move(specifiers);
    for (int64_t section = 0, sections = numberOfSectionsInTableView(nullptr); section < sections;
         ++section) {
      for (int64_t row = 0, rows = tableViewNumberOfRowsInSection(nullptr, section); row < rows; ++row)
        tableViewCellForRowAtIndexPath(nullptr, {section, row});
    }
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static lunadoze::fuzz::FuzzDevice device;
  device.store("/Bundle.bundle/Prefs.plist", std::span(data, size));
  auto list = std::make_shared<FuzzedList>();
  list->setBundle(platform::foundation::NSBundle::initWithPath("/Bundle.bundle"));
  list->show(list->loadSpecifiersFromPlistName("Prefs", list.get()));
  return 0;
}
