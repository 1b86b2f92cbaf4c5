#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/runtime/Runtime.h"
#include "platform/uikit/UIButton.h"
#include "platform/uikit/UIColor.h"
#include "platform/uikit/UIDatePicker.h"
#include "platform/uikit/UIFont.h"
#include "platform/uikit/UIImage.h"
#include "platform/uikit/UIImageView.h"
#include "platform/uikit/UILabel.h"
#include "platform/uikit/UIPickerView.h"
#include "platform/uikit/UIStackView.h"
#include "tests/platform/springboard/FreshProcessState.h"

namespace platform::uikit {
namespace {

using runtime::id;

std::vector<std::string> calls;

class Target : public runtime::NSObject {
 public:
  static runtime::Class* runtimeClass() {
    return runtime::objc_registerClass("Target", &NSObject::runtimeClass, [](runtime::Class* cls) {
      runtime::class_addMethod(cls, runtime::Selector<void(id)>{"tapped:"}, [](id self, id sender) {
        calls.push_back(static_cast<Target*>(self)->name + " tapped by " +
                        (sender != nullptr ? "control" : "nil"));
      });
      runtime::class_addMethod(cls, runtime::Selector<void()>{"refresh"}, [](id self) {
        calls.push_back(static_cast<Target*>(self)->name + " refresh");
      });
    });
  }
  runtime::Class* isa() const override { return runtimeClass(); }

  explicit Target(std::string name) : name(std::move(name)) {}
  std::string name;
};

// A button that reports each action it sends before sending it, as a haptic button does.
class ReportingButton : public UIButton {
 public:
  static runtime::Class* runtimeClass() {
    return runtime::objc_registerClass("ReportingButton", &UIButton::runtimeClass, [](runtime::Class* cls) {
      runtime::class_addMethod(cls, selectors::sendAction,
                               [](id self, std::string_view action, id target, UIEvent* event) {
                                 calls.push_back("send " + std::string(action));
                                 runtime::sendSuper(ReportingButton::runtimeClass(), self,
                                                    selectors::sendAction, action, target, event);
                               });
    });
  }
  runtime::Class* isa() const override { return runtimeClass(); }
};

class UIControlTest : public ::testing::Test {
 protected:
  springboard::FreshProcessState freshProcess_;

  void SetUp() override { calls.clear(); }

  void tap(UIControl& control) {
    control.touchesBegan(nullptr);
    control.touchesEnded(nullptr);
  }
};

TEST_F(UIControlTest, EachTapSendsEachActionOfTheEventOnceInTheOrderAdded) {
  auto button = UIButton::buttonWithType(UIButtonTypeSystem);
  auto panel = std::make_shared<Target>("panel");
  auto host = std::make_shared<Target>("host");
  button->addTarget(panel.get(), "tapped:", UIControlEventTouchUpInside);
  button->addTarget(host.get(), "refresh", UIControlEventTouchUpInside);
  button->addTarget(panel.get(), "tapped:", UIControlEventTouchUpInside);
  button->addTarget(host.get(), "refresh", UIControlEventValueChanged);

  tap(*button);
  tap(*button);
  EXPECT_EQ(calls, (std::vector<std::string>{"panel tapped by control", "host refresh",
                                             "panel tapped by control", "host refresh"}));
  EXPECT_EQ(button->allTargets(), (std::vector<std::shared_ptr<runtime::NSObject>>{panel, host}));
  EXPECT_EQ(button->actionsForTarget(host.get(), UIControlEventValueChanged),
            (std::vector<std::string>{"refresh"}));
  EXPECT_FALSE(button->isHighlighted());
}

TEST_F(UIControlTest, TargetsAreWeakAndAGoneTargetIsSkipped) {
  auto button = UIButton::buttonWithType(UIButtonTypeSystem);
  auto kept = std::make_shared<Target>("kept");
  auto gone = std::make_shared<Target>("gone");
  button->addTarget(gone.get(), "refresh", UIControlEventTouchUpInside);
  button->addTarget(kept.get(), "refresh", UIControlEventTouchUpInside);
  std::weak_ptr<Target> watch = gone;
  gone.reset();
  EXPECT_TRUE(watch.expired());
  button->sendActionsForControlEvents(UIControlEventTouchUpInside);
  EXPECT_EQ(calls, (std::vector<std::string>{"kept refresh"}));
  EXPECT_EQ(button->allTargets().size(), 1u);
}

TEST_F(UIControlTest, RemovedAndDisabledControlsSendNothingOnATap) {
  auto button = UIButton::buttonWithType(UIButtonTypeSystem);
  auto target = std::make_shared<Target>("target");
  button->addTarget(target.get(), "refresh", UIControlEventTouchUpInside);
  button->setEnabled(false);
  tap(*button);
  button->setEnabled(true);
  button->removeTarget(target.get(), "refresh", UIControlEventTouchUpInside);
  tap(*button);
  EXPECT_TRUE(calls.empty());
  EXPECT_TRUE(button->allTargets().empty());
}

TEST_F(UIControlTest, AnOverriddenSendActionSeesEveryActionSent) {
  auto button = std::make_shared<ReportingButton>();
  button->initWithFrame(CGRectZero);
  auto target = std::make_shared<Target>("target");
  button->addTarget(target.get(), "tapped:", UIControlEventTouchUpInside);
  button->addTarget(target.get(), "refresh", UIControlEventTouchUpInside);
  tap(*button);
  EXPECT_EQ(calls, (std::vector<std::string>{"send tapped:", "target tapped by control", "send refresh",
                                             "target refresh"}));
}

TEST_F(UIControlTest, ATouchTravelsUpToTheFirstControl) {
  auto button = UIButton::buttonWithType(UIButtonTypeSystem);
  button->setFrame(CGRectMake(0, 0, 100, 40));
  button->setTitle("Start", UIControlStateNormal);
  auto target = std::make_shared<Target>("target");
  button->addTarget(target.get(), "refresh", UIControlEventTouchUpInside);
  UIView* hit = button->hitTest({50, 20}, nullptr);
  ASSERT_EQ(hit, button.get());
  button->titleLabel()->touchesBegan(nullptr);
  button->titleLabel()->touchesEnded(nullptr);
  EXPECT_EQ(calls, (std::vector<std::string>{"target refresh"}));
}

TEST_F(UIControlTest, AButtonShowsTheTitleAndColourOfItsState) {
  auto button = UIButton::buttonWithType(UIButtonTypeSystem);
  button->setTitle("Back", UIControlStateNormal);
  button->setTitle("Back!", UIControlStateHighlighted);
  EXPECT_EQ(button->titleLabel()->text(), "Back");
  button->setHighlighted(true);
  EXPECT_EQ(button->titleLabel()->text(), "Back!");
  button->setHighlighted(false);
  button->setSelected(true);
  EXPECT_EQ(button->currentTitle(), "Back");

  // An icon and its title sit side by side in the middle.
  button->setImage(UIImage::alloc(CGSizeMake(20, 20), UIImageRenderingMode::AlwaysTemplate),
                   UIControlStateNormal);
  button->setFrame(CGRectMake(0, 0, 100, 40));
  button->layoutIfNeeded();
  EXPECT_EQ(button->imageView()->frame(), CGRectMake(23, 10, 20, 20));
  EXPECT_EQ(button->titleLabel()->frame(), CGRectMake(43, 0, 34, 40));

  // An icon larger than a small button is shrunk into it, in proportion, not spilled around it.
  auto corner = UIButton::buttonWithType(UIButtonTypeCustom);
  corner->setImage(UIImage::alloc(CGSizeMake(64, 32), UIImageRenderingMode::AlwaysTemplate),
                   UIControlStateNormal);
  corner->setFrame(CGRectMake(15, 15, 20, 20));
  corner->layoutIfNeeded();
  EXPECT_EQ(corner->imageView()->frame(), CGRectMake(0, 5, 20, 10));

  // A system button's title follows its tint until it has a title colour.
  button->setTintColor(UIColor::whiteColor());
  EXPECT_TRUE(button->titleLabel()->textColor()->isEqual(*UIColor::whiteColor()));
  button->setTitleColor(UIColor::redColor(), UIControlStateNormal);
  EXPECT_TRUE(button->titleLabel()->textColor()->isEqual(*UIColor::redColor()));
}

TEST_F(UIControlTest, DatePickerKeepsItsIntervalUnlessTheNewOneDividesAnHour) {
  auto picker = UIDatePicker::create();
  EXPECT_EQ(picker->minuteInterval(), 1);
  picker->setMinuteInterval(5);
  EXPECT_EQ(picker->minuteInterval(), 5);
  for (int64_t refused : {0, 7, 45, 60, -5}) {
    picker->setMinuteInterval(refused);
    EXPECT_EQ(picker->minuteInterval(), 5) << refused;
  }
  picker->setMinuteInterval(30);
  EXPECT_EQ(picker->minuteInterval(), 30);

  picker->setCountDownDuration(1800);
  EXPECT_EQ(picker->countDownDuration(), 1800);
  picker->setCountDownDuration(100000);
  EXPECT_EQ(picker->countDownDuration(), UIDatePicker::kMaximumCountDownDuration);

  EXPECT_TRUE(picker->respondsToSelector("_setTextColor:"));
  EXPECT_FALSE(picker->respondsToSelector("setHighlightsToday:"));
  picker->_setTextColor(UIColor::whiteColor());
  EXPECT_TRUE(picker->_textColor()->isEqual(*UIColor::whiteColor()));
}

class SongsSource : public UIPickerViewDataSource, public UIPickerViewDelegate {
 public:
  int64_t numberOfComponentsInPickerView(UIPickerView*) override { return 1; }
  int64_t numberOfRowsInComponent(UIPickerView*, int64_t) override { return 99; }
  std::shared_ptr<UIView> viewForRow(UIPickerView*, int64_t row, int64_t, UIView*) override {
    auto label = UILabel::create(CGRectMake(0, 0, 100, 32));
    label->setText(std::to_string(row + 1));
    return label;
  }
};

TEST_F(UIControlTest, PickerSelectsWithinItsRowsAndShowsTheRowsInSight) {
  auto source = std::make_shared<SongsSource>();
  auto picker = UIPickerView::create(CGRectMake(0, 0, 320, 160));
  picker->setDataSource(source);
  picker->setDelegate(source);
  auto caption = UILabel::create();
  picker->addSubview(caption);
  EXPECT_EQ(picker->selectedRowInComponent(0), 0);

  picker->selectRow(9, 0, false);
  picker->layoutIfNeeded();
  EXPECT_EQ(picker->selectedRowInComponent(0), 9);
  auto* selected = dynamic_cast<UILabel*>(picker->viewForRow(9, 0));
  ASSERT_NE(selected, nullptr);
  EXPECT_EQ(selected->text(), "10");
  EXPECT_EQ(selected->convertPointToView({0, 0}, picker.get()), (CGPoint{110, 64}));
  EXPECT_NE(picker->viewForRow(7, 0), nullptr);
  EXPECT_EQ(picker->viewForRow(20, 0), nullptr);
  // The caption added by the owner stays in front of the rows.
  EXPECT_EQ(picker->subviews().back(), caption);

  picker->selectRow(500, 0, true);
  EXPECT_EQ(picker->selectedRowInComponent(0), 98);
  source.reset();
  EXPECT_EQ(picker->selectedRowInComponent(0), -1);
}

TEST_F(UIControlTest, StackViewFillsEquallyAndCentresAcross) {
  auto stack = UIStackView::create(CGRectMake(0, 250, 320, 50));
  stack->setAxis(UILayoutConstraintAxisHorizontal);
  stack->setDistribution(UIStackViewDistributionFillEqually);
  stack->setAlignment(UIStackViewAlignmentCenter);
  stack->setSpacing(10);
  auto back = UIButton::buttonWithType(UIButtonTypeSystem);
  auto confirm = UIButton::buttonWithType(UIButtonTypeSystem);
  auto hidden = UIButton::buttonWithType(UIButtonTypeSystem);
  back->setTitle("Back", UIControlStateNormal);
  confirm->setTitle("Start", UIControlStateNormal);
  hidden->setHidden(true);
  stack->addArrangedSubview(back);
  stack->addArrangedSubview(hidden);
  stack->addArrangedSubview(confirm);
  stack->layoutIfNeeded();

  // A 15-point system button title: 18 points of line and 6 above and below.
  back->titleLabel()->setFont(UIFont::systemFontOfSize(15));
  confirm->titleLabel()->setFont(UIFont::systemFontOfSize(15));
  stack->setNeedsLayout();
  stack->layoutIfNeeded();
  EXPECT_EQ(back->frame(), CGRectMake(0, 10, 155, 30));
  EXPECT_EQ(confirm->frame(), CGRectMake(165, 10, 155, 30));

  stack->setAlignment(UIStackViewAlignmentFill);
  stack->setDistribution(UIStackViewDistributionFill);
  stack->layoutIfNeeded();
  EXPECT_EQ(back->frame().size.height, 50);
  EXPECT_EQ(confirm->frame().origin.x, back->frame().size.width + 10);
  EXPECT_EQ(CGRectGetMaxX(confirm->frame()), 320);
}

}  // namespace
}  // namespace platform::uikit
