#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "platform/foundation/DeviceFileSystem.h"
#include "platform/foundation/NSBundle.h"
#include "platform/foundation/NSRunLoop.h"
#include "platform/preferences/PSEditableTableCell.h"
#include "platform/preferences/PSListController.h"
#include "platform/preferences/PSSegmentTableCell.h"
#include "platform/preferences/PSSliderTableCell.h"
#include "platform/preferences/PSSpecifier.h"
#include "platform/preferences/PSSwitchTableCell.h"
#include "platform/runtime/Runtime.h"
#include "platform/uikit/UINavigationController.h"
#include "platform/uikit/UISegmentedControl.h"
#include "platform/uikit/UISlider.h"
#include "platform/uikit/UISwitch.h"
#include "tests/platform/foundation/TemporaryDirectory.h"

namespace platform::preferences {
namespace {

using foundation::PropertyList;
using uikit::NSIndexPath;

// A page that keeps what it is asked, in order.
class RecordingListController : public PSListController {
 public:
  static runtime::Class* runtimeClass() {
    return runtime::objc_registerClass(
        "RecordingListController", &PSListController::runtimeClass,
        [](runtime::Class* cls) { registerControllerClass<RecordingListController>(cls); });
  }
  runtime::Class* isa() const override { return runtimeClass(); }

  const Specifiers& specifiers() override {
    if (!specifiers_) specifiers_ = loadSpecifiersFromPlistName(listName, this);
    return *specifiers_;
  }
  std::optional<PropertyList> readPreferenceValue(PSSpecifier* specifier) override {
    reads.push_back(specifier->name());
    return PSListController::readPreferenceValue(specifier);
  }
  void setPreferenceValue(const PropertyList& value, PSSpecifier* specifier) override {
    writes.emplace_back(specifier->name(), value);
  }

  std::string listName = "Page";
  std::vector<std::string> reads;
  std::vector<std::pair<std::string, PropertyList>> writes;
};

PropertyList item(PropertyList::Dictionary properties) {
  return PropertyList(std::move(properties));
}

class PSListControllerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    foundation::DeviceFileSystem::setRoot(device.path());
    std::filesystem::create_directories(device.path() / "Bundle.bundle");
    bundle = foundation::NSBundle::initWithPath("/Bundle.bundle");
  }

  void writeList(const std::string& name, PropertyList::Array items) {
    std::ofstream(device.path() / "Bundle.bundle" / (name + ".plist"))
        << PropertyList(PropertyList::Dictionary{{"items", PropertyList(std::move(items))}}).toXml();
  }

  std::shared_ptr<RecordingListController> open() {
    auto controller = std::static_pointer_cast<RecordingListController>(
        PSListController::instantiate(RecordingListController::runtimeClass()));
    controller->setBundle(bundle);
    navigation = uikit::UINavigationController::initWithRootViewController(controller);
    controller->table()->layoutIfNeeded();
    return controller;
  }

  template <typename Cell>
  Cell& cell(PSListController& controller, int64_t section, int64_t row) {
    auto found = controller.tableViewCellForRowAtIndexPath(controller.table().get(),
                                                           NSIndexPath::indexPathForRow(row, section));
    return dynamic_cast<Cell&>(*found);
  }

  foundation::TemporaryDirectory device;
  std::shared_ptr<foundation::NSBundle> bundle;
  std::shared_ptr<uikit::UINavigationController> navigation;
};

TEST_F(PSListControllerTest, GroupsStartSectionsAndRowsReadTheirValuesInListOrderWhenDisplayed) {
  writeList(
      "Page",
      {
          item({{"cell", "PSSwitchCell"}, {"label", "before any group"}, {"default", true}}),
          item({{"cell", "PSGroupCell"}, {"label", "First"}}),
          item({{"cell", "PSGroupCell"}, {"label", "Empty"}}),
          item({{"cell", "PSGroupCell"}, {"label", "Third"}}),
          item({{"cell", "PSSliderCell"}, {"label", "slider"}, {"min", 0}, {"max", 10}, {"default", 4}}),
          item({{"cell", "PSStaticTextCell"}, {"label", "text"}}),
      });
  auto page = open();
  auto* table = page->table().get();
  EXPECT_EQ(table->numberOfSections(), 4);
  EXPECT_EQ((std::vector<int64_t>{table->numberOfRowsInSection(0), table->numberOfRowsInSection(1),
                                  table->numberOfRowsInSection(2), table->numberOfRowsInSection(3)}),
            (std::vector<int64_t>{1, 0, 0, 2}));
  EXPECT_EQ(page->reads, (std::vector<std::string>{"before any group", "slider", "text"}));
  EXPECT_TRUE(cell<PSSwitchTableCell>(*page, 0, 0).value()->boolValue().value());
  EXPECT_EQ(cell<PSSliderTableCell>(*page, 3, 0).value(), PropertyList(4.0));
  EXPECT_EQ(page->tableViewCellForRowAtIndexPath(table, NSIndexPath::indexPathForRow(2, 3)), nullptr);

  // Asking for a cell again neither makes a new one nor reads the value again.
  auto* first = &cell<PSSwitchTableCell>(*page, 0, 0);
  EXPECT_EQ(first, &cell<PSSwitchTableCell>(*page, 0, 0));
  EXPECT_EQ(page->reads.size(), 3u);
}

TEST_F(PSListControllerTest, ControlsHandTheirValueToTheSetterAsAPersonChangesThem) {
  writeList("Page", {
                        item({{"cell", "PSSwitchCell"}, {"label", "switch"}}),
                        item({{"cell", "PSSliderCell"},
                              {"label", "slider"},
                              {"min", 0},
                              {"max", 100},
                              {"isSegmented", true},
                              {"segmentCount", 4}}),
                        item({{"cell", "PSSegmentCell"},
                              {"label", "segment"},
                              {"validValues", PropertyList::Array{0, 1, 2}},
                              {"validTitles", PropertyList::Array{"zero", "one", "two"}}}),
                        item({{"cell", "PSEditTextCell"}, {"label", "text"}}),
                    });
  auto page = open();
  auto& toggle = static_cast<uikit::UISwitch&>(*cell<PSSwitchTableCell>(*page, 0, 0).control());
  toggle.setOn(true);
  toggle.sendActionsForControlEvents(uikit::UIControlEventValueChanged);
  // A segmented slider stops at its steps: 0, 25, 50, 75, 100.
  auto& slider = static_cast<uikit::UISlider&>(*cell<PSSliderTableCell>(*page, 0, 1).control());
  slider.setValue(60);
  slider.sendActionsForControlEvents(uikit::UIControlEventValueChanged);
  auto& segments = static_cast<uikit::UISegmentedControl&>(*cell<PSSegmentTableCell>(*page, 0, 2).control());
  segments.setSelectedSegmentIndex(2);
  segments.sendActionsForControlEvents(uikit::UIControlEventValueChanged);
  auto& field = *cell<PSEditableTableCell>(*page, 0, 3).textField();
  field.setText("Car");
  field.sendActionsForControlEvents(uikit::UIControlEventEditingDidEnd);

  std::vector<std::pair<std::string, PropertyList>> expected{
      {"switch", true}, {"slider", 50.0}, {"segment", 2}, {"text", "Car"}};
  EXPECT_EQ(page->writes, expected);
}

TEST_F(PSListControllerTest, AMissingOrMalformedListGivesNoRowsAndSaysWhy) {
  auto missing = open();
  EXPECT_EQ(missing->table()->numberOfSections(), 0);
  EXPECT_NE(missing->specifierLoadError().find("no specifier list \"Page.plist\""), std::string::npos);

  std::ofstream(device.path() / "Bundle.bundle" / "Page.plist") << "<plist><dict><key>items</key>";
  EXPECT_TRUE(open()->specifiers().empty());

  writeList("Page", {item({{"cell", "PSSwitchCell"}}), item({{"cell", "PSTeleporterCell"}})});
  auto unknown = open();
  EXPECT_TRUE(unknown->specifiers().empty());
  EXPECT_NE(unknown->specifierLoadError().find("item 1 has an unknown cell \"PSTeleporterCell\""),
            std::string::npos);

  writeList("Page", {item({{"cell", "PSSegmentCell"},
                           {"validValues", PropertyList::Array{0, 1}},
                           {"validTitles", PropertyList::Array{"only one"}}})});
  EXPECT_NE(open()->specifierLoadError().find("item 0 (PSSegmentCell) has \"validTitles\" that do not match"),
            std::string::npos);
}

TEST_F(PSListControllerTest, ALinkRowPushesANewControllerOfItsDetailClass) {
  writeList("Page", {item({{"cell", "PSLinkCell"}, {"label", "More"}, {"detail", "RecordingListController"}}),
                     item({{"cell", "PSLinkCell"}, {"label", "Nowhere"}, {"detail", "NoSuchController"}})});
  auto page = open();
  page->tableViewDidSelectRowAtIndexPath(page->table().get(), NSIndexPath::indexPathForRow(1, 0));
  EXPECT_EQ(navigation->viewControllers().size(), 1u);

  page->tableViewDidSelectRowAtIndexPath(page->table().get(), NSIndexPath::indexPathForRow(0, 0));
  ASSERT_EQ(navigation->viewControllers().size(), 2u);
  auto pushed = std::dynamic_pointer_cast<PSListController>(navigation->topViewController());
  ASSERT_NE(pushed, nullptr);
  EXPECT_NE(pushed, page);
  EXPECT_EQ(pushed->specifier()->name(), "More");
  EXPECT_EQ(pushed->bundle(), bundle);
  EXPECT_EQ(pushed->navigationController(), navigation);
}

}  // namespace
}  // namespace platform::preferences
