#include <memory>
#include <string>
#include <vector>

#include "platform/runtime/Runtime.h"
#include "platform/uikit/UIColor.h"
#include "platform/uikit/UIFont.h"
#include "tests/tweak/panel/PanelTest.h"
#include "tweak/panel/ButtonWithIncreasedTouchArea.h"
#include "tweak/panel/CheckboxButton.h"
#include "tweak/panel/LunadozeImageButton.h"
#include "tweak/support/BundleHelper.h"

namespace lunadoze {
namespace {

using platform::runtime::id;
using platform::uikit::CGAffineTransformIdentity;
using platform::uikit::CGPointMake;
using platform::uikit::CGRectMake;
using platform::uikit::UIColor;
using platform::uikit::UIControlEventTouchUpInside;
using platform::uikit::UIControlStateNormal;
using platform::uikit::UIFont;
using platform::uikit::UIView;

std::vector<std::string> calls;

// A target that notes each action it receives, with the impacts played so far.
class Recorder : public platform::runtime::NSObject {
 public:
  static platform::runtime::Class* runtimeClass() {
    return platform::runtime::objc_registerClass("Recorder", &NSObject::runtimeClass, [](auto* cls) {
      platform::runtime::class_addMethod(cls, platform::runtime::Selector<void()>{"first"}, [](id) {
        calls.push_back("first after " +
                        std::to_string(platform::uikit::UIImpactFeedbackGenerator::impactCount()));
      });
      platform::runtime::class_addMethod(cls, platform::runtime::Selector<void()>{"second"}, [](id) {
        calls.push_back("second after " +
                        std::to_string(platform::uikit::UIImpactFeedbackGenerator::impactCount()));
      });
    });
  }
  platform::runtime::Class* isa() const override { return runtimeClass(); }
};

using ButtonWidgetsTest = PanelTest;

TEST_F(ButtonWidgetsTest, CheckboxTapFlipsTheStateWithItsAlphaAndOneImpact) {
  auto checkbox = CheckboxButton::create();
  EXPECT_FALSE(checkbox->isChecked());

  tap(*checkbox);
  EXPECT_TRUE(checkbox->isChecked());
  EXPECT_DOUBLE_EQ(checkbox->alpha(), 1.0);
  EXPECT_EQ(impacts(), 1);

  tap(*checkbox);
  EXPECT_FALSE(checkbox->isChecked());
  EXPECT_DOUBLE_EQ(checkbox->alpha(), 0.3);
  EXPECT_EQ(impacts(), 2);
}

TEST_F(ButtonWidgetsTest, CheckboxPopsBackToFullSizeOnEveryCheckEvenWithoutAChange) {
  auto checkbox = CheckboxButton::create();
  checkbox->setAlpha(0.5);
  checkbox->setTransform(platform::uikit::CGAffineTransformMakeScale(2, 2));
  checkbox->check(false);
  EXPECT_FALSE(checkbox->isChecked());
  EXPECT_DOUBLE_EQ(checkbox->alpha(), 0.3);
  // The pop animates from 0.8 back to identity; the model layer holds its end at once.
  EXPECT_EQ(checkbox->transform(), CGAffineTransformIdentity);
  // A check in code is no tap: it gives no haptic.
  EXPECT_EQ(impacts(), 0);
}

TEST_F(ButtonWidgetsTest, TouchAreaReachesTwentyPointsBeyondEveryEdgeMinInclusiveMaxExclusive) {
  auto button = ButtonWithIncreasedTouchArea::create();
  button->setFrame(CGRectMake(0, 0, 20, 20));
  EXPECT_TRUE(button->pointInside(CGPointMake(-20, -20), nullptr));
  EXPECT_TRUE(button->pointInside(CGPointMake(39.9, 39.9), nullptr));
  EXPECT_FALSE(button->pointInside(CGPointMake(40, 10), nullptr));
  EXPECT_FALSE(button->pointInside(CGPointMake(10, 40), nullptr));
  EXPECT_FALSE(button->pointInside(CGPointMake(-20.1, 10), nullptr));

  // Hit testing finds it from its container by the grown rectangle too.
  auto container = UIView::create(CGRectMake(0, 0, 200, 200));
  button->setFrame(CGRectMake(100, 100, 20, 20));
  container->addSubview(button);
  EXPECT_EQ(container->hitTest(CGPointMake(85, 139), nullptr), button.get());
  EXPECT_EQ(container->hitTest(CGPointMake(140, 100), nullptr), container.get());
}

TEST_F(ButtonWidgetsTest, TouchAreaButtonGivesOneImpactBeforeEachActionMessage) {
  calls.clear();
  auto recorder = std::make_shared<Recorder>();
  auto button = ButtonWithIncreasedTouchArea::create();
  button->addTarget(recorder.get(), "first", UIControlEventTouchUpInside);
  button->addTarget(recorder.get(), "second", UIControlEventTouchUpInside);
  tap(*button);
  EXPECT_EQ(calls, (std::vector<std::string>{"first after 1", "second after 2"}));
  EXPECT_EQ(impacts(), 2);
}

class ImageButtonTest : public PanelTest {
 protected:
  void SetUp() override {
    PanelTest::SetUp();
    button_ = LunadozeImageButton::create(BundleHelper::getImageWithName("sleepIcon"),
                                          UIFont::systemFontOfSize(17));
  }
  std::shared_ptr<LunadozeImageButton> button_;
};

TEST_F(ImageButtonTest, InterfaceFileFillsTheOutletsAndItsContentFollowsTheButton) {
  ASSERT_NE(button_->contentView(), nullptr);
  ASSERT_NE(button_->iconImage(), nullptr);
  ASSERT_NE(button_->textLabel(), nullptr);
  ASSERT_NE(button_->iconAspectRatioConstraint(), nullptr);
  ASSERT_NE(button_->iconWidthConstraint(), nullptr);
  ASSERT_NE(button_->labelLeadingConstraint(), nullptr);
  EXPECT_EQ(button_->contentView()->superview(), button_);
  EXPECT_NE(button_->iconImage()->image(), nullptr);
  EXPECT_DOUBLE_EQ(button_->textLabel()->font()->pointSize(), 17);
  EXPECT_EQ(button_->contentView()->autoresizingMask(), 18u);

  button_->setFrame(CGRectMake(0, 50, 320, 40));
  EXPECT_EQ(button_->contentView()->frame(), CGRectMake(0, 0, 320, 40));
}

TEST_F(ImageButtonTest, TheLastOfHighlightedAndSelectedDecidesTheAlpha) {
  button_->setSelected(true);
  EXPECT_DOUBLE_EQ(button_->alpha(), 0.7);
  button_->setHighlighted(true);
  EXPECT_DOUBLE_EQ(button_->alpha(), 0.7);
  button_->setHighlighted(false);
  EXPECT_DOUBLE_EQ(button_->alpha(), 1.0);
  EXPECT_TRUE(button_->isSelected());
}

TEST_F(ImageButtonTest, HidingTheIconHandsItsWidthToTheWidthConstraintAndShowingItBack) {
  button_->setIconHidden(true);
  EXPECT_TRUE(button_->iconImage()->isHidden());
  EXPECT_EQ(button_->iconAspectRatioConstraint()->priority(), 250);
  EXPECT_EQ(button_->iconWidthConstraint()->priority(), 999);
  EXPECT_EQ(button_->labelLeadingConstraint()->constant(), 0);

  button_->setIconHidden(false);
  EXPECT_FALSE(button_->iconImage()->isHidden());
  EXPECT_EQ(button_->iconAspectRatioConstraint()->priority(), 999);
  EXPECT_EQ(button_->iconWidthConstraint()->priority(), 250);
  EXPECT_EQ(button_->labelLeadingConstraint()->constant(), 6);
}

TEST_F(ImageButtonTest, OneTintColoursTheIconTheTextAndTheTitle) {
  auto red = UIColor::redColor();
  button_->setTintColor(red);
  EXPECT_EQ(button_->tintColor(), red);
  EXPECT_EQ(button_->textLabel()->textColor(), red);
  EXPECT_EQ(button_->iconImage()->tintColor(), red);
  EXPECT_EQ(button_->titleColorForState(UIControlStateNormal), red);
}

TEST_F(ImageButtonTest, WithoutItsInterfaceFileTheButtonIsAPlainButton) {
  std::filesystem::remove(root_.path() / "Library/Application Support/LunadozeBundle.bundle/ImageButton.nib");
  auto plain = LunadozeImageButton::create(nullptr, nullptr);
  EXPECT_EQ(plain->contentView(), nullptr);
  plain->setIconHidden(true);
  plain->setTintColor(UIColor::whiteColor());
  EXPECT_TRUE(plain->titleColorForState(UIControlStateNormal)->isEqual(*UIColor::whiteColor()));
}

}  // namespace
}  // namespace lunadoze
