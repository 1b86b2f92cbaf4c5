#include <sstream>
#include <string>
#include <vector>

#include "sim/ViewTreePrinter.h"
#include "tests/tweak/panel/PanelTest.h"
#include "tweak/panel/LunadozeViewController.h"

namespace lunadoze {
namespace {

using platform::uikit::CGRectMake;

// The lines of the tree at one depth, without their indentation.
std::vector<std::string> linesAtDepth(const std::string& tree, size_t depth) {
  std::vector<std::string> lines;
  std::istringstream stream(tree);
  const std::string indent(2 * depth, ' ');
  for (std::string line; std::getline(stream, line);) {
    if (line.starts_with(indent) && line.size() > indent.size() && line[indent.size()] != ' ') {
      lines.push_back(line.substr(indent.size()));
    }
  }
  return lines;
}

using PanelTreeTest = PanelTest;

TEST_F(PanelTreeTest, APresentedPanelShowsItsThreePagesInTheSimulatorsTreeFormat) {
  auto host = platform::uikit::UIView::create(CGRectMake(0, 0, 320, 300));
  auto panel = LunadozeViewController::create();
  host->addSubview(panel->view());
  panel->view()->setFrame(CGRectMake(0, 0, 320, 300));
  host->layoutIfNeeded();
  panel->showChooseSnoozeTimeView(true, nullptr, true);
  advance(0.301);

  const std::string tree = sim::printViewTree(*panel->view());
  EXPECT_EQ(linesAtDepth(tree, 0), std::vector<std::string>{"UIView 0 0 320 300 visible alpha 1"});
  EXPECT_EQ(linesAtDepth(tree, 1), (std::vector<std::string>{
                                       "ChooseSnoozeTimeView 0 0 320 300 visible alpha 0.85",
                                       "CurrentTimerView 0 0 320 300 hidden alpha 0.85",
                                       "OnTimerEndsSettingsView 0 0 320 300 hidden alpha 0.85",
                                   }));
  EXPECT_NE(tree.find("    UIDatePicker 0 0 320 250 visible alpha 1\n"), std::string::npos) << tree;
  EXPECT_NE(tree.find("    UIPickerView 0 0 320 250 hidden alpha 1\n"), std::string::npos) << tree;
  EXPECT_NE(tree.find("\"Cancel\"\n"), std::string::npos) << tree;
  EXPECT_NE(tree.find("\"When the timer ends\"\n"), std::string::npos) << tree;
}

}  // namespace
}  // namespace lunadoze
