#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "platform/uikit/UIButton.h"
#include "platform/uikit/UIImage.h"
#include "platform/uikit/UIImageView.h"
#include "platform/uikit/UILabel.h"
#include "platform/uikit/UIView.h"
#include "sim/ViewTreePrinter.h"

namespace lunadoze::sim {
namespace {

using platform::uikit::CGRectMake;
using platform::uikit::UILabel;
using platform::uikit::UIView;

TEST(ViewTreePrinterTest, OneViewALineIndentedByDepthBackToFront) {
  auto root = UIView::create(CGRectMake(0, 0, 320, 300));
  auto page = UIView::create(CGRectMake(0, 0, 320, 300));
  page->setAlpha(0.85);
  page->setHidden(true);
  auto title = UILabel::create(CGRectMake(0, 60.5, 320, 24));
  title->setText("Your music will stop in");
  auto line = UIView::create(CGRectMake(0, 299.5, 320, 1.0 / 3));
  root->addSubview(page);
  page->addSubview(title);
  root->addSubview(line);

  EXPECT_EQ(printViewTree(*root),
            "UIView 0 0 320 300 visible alpha 1\n"
            "  UIView 0 0 320 300 hidden alpha 0.85\n"
            "    UILabel 0 60.5 320 24 visible alpha 1 \"Your music will stop in\"\n"
            "  UIView 0 299.5 320 0.333 visible alpha 1\n");
}

TEST(ViewTreePrinterTest, ControlsShowTheirClassAndTheirTitleThroughTheirLabel) {
  auto button = platform::uikit::UIButton::create(CGRectMake(10, -150, 100, 40));
  button->setTitle("Back", platform::uikit::UIControlStateNormal);
  std::string tree = printViewTree(*button);
  EXPECT_TRUE(tree.starts_with("UIButton 10 -150 100 40 visible alpha 1\n")) << tree;
  EXPECT_NE(tree.find("  UILabel "), std::string::npos) << tree;
  EXPECT_NE(tree.find("\"Back\"\n"), std::string::npos) << tree;
}

TEST(ViewTreePrinterTest, OnlyWhatIsOnScreenInScreenCoordinatesWithTags) {
  auto root = UIView::create(CGRectMake(8, 100, 320, 300));
  auto hidden = UIView::create(CGRectMake(0, 0, 320, 300));
  hidden->setHidden(true);
  hidden->addSubview(UILabel::create(CGRectMake(0, 0, 10, 10)));
  auto faded = UIView::create(CGRectMake(0, 0, 320, 300));
  faded->setAlpha(0);
  auto shown = UIView::create(CGRectMake(10, 20, 100, 40));
  auto button = platform::uikit::UIButton::create(CGRectMake(5, 5, 30, 30));
  root->addSubview(hidden);
  root->addSubview(faded);
  root->addSubview(shown);
  shown->addSubview(button);

  ViewTreeOptions options{.visibleOnly = true, .tags = {{button.get(), "tap sleep"}}};
  std::string tree = printViewTree(*root, options);
  EXPECT_TRUE(
      tree.starts_with("UIView 8 100 320 300 visible alpha 1\n"
                       "  UIView 18 120 100 40 visible alpha 1\n"
                       "    UIButton 23 125 30 30 visible alpha 1 [tap sleep]\n"))
      << tree;
  EXPECT_EQ(tree.find("hidden"), std::string::npos) << tree;

  options.json = true;
  auto json = nlohmann::json::parse(printViewTree(*root, options));
  ASSERT_EQ(json["subviews"].size(), 1u);
  EXPECT_EQ(json["subviews"][0]["subviews"][0]["tag"], "tap sleep");
  EXPECT_EQ(json["subviews"][0]["frame"][1], 120);
}

TEST(ViewTreePrinterTest, ImageViewsOnScreenNameTheirImage) {
  using platform::uikit::UIImage;
  using platform::uikit::UIImageRenderingMode;
  auto root = UIView::create(CGRectMake(0, 0, 100, 100));
  auto named = platform::uikit::UIImageView::create(UIImage::alloc(
      platform::uikit::CGSizeMake(20, 20), UIImageRenderingMode::AlwaysTemplate, nullptr, "moonIcon"));
  auto unnamed = platform::uikit::UIImageView::create(
      UIImage::alloc(platform::uikit::CGSizeMake(20, 20), UIImageRenderingMode::Automatic));
  auto empty = platform::uikit::UIImageView::create(CGRectMake(0, 0, 5, 5));
  root->addSubview(named);
  root->addSubview(unnamed);
  root->addSubview(empty);

  EXPECT_EQ(printViewTree(*root).find("[image"), std::string::npos);
  ViewTreeOptions options;
  options.visibleOnly = true;
  std::string tree = printViewTree(*root, options);
  EXPECT_EQ(tree,
            "UIView 0 0 100 100 visible alpha 1\n"
            "  UIImageView 0 0 20 20 visible alpha 1 [image moonIcon]\n"
            "  UIImageView 0 0 20 20 visible alpha 1\n"
            "  UIImageView 0 0 5 5 visible alpha 1\n");

  options.json = true;
  auto json = nlohmann::json::parse(printViewTree(*root, options));
  EXPECT_EQ(json["subviews"][0]["image"], "moonIcon");
  EXPECT_FALSE(json["subviews"][1].contains("image"));
}

}  // namespace
}  // namespace lunadoze::sim
