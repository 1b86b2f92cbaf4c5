#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/runtime/Runtime.h"
#include "platform/uikit/UIColor.h"
#include "platform/uikit/UIView.h"
#include "platform/uikit/UIViewController.h"
#include "platform/uikit/UIWindow.h"
#include "tests/platform/springboard/FreshProcessState.h"

namespace platform::uikit {
namespace {

using runtime::id;

std::vector<std::string> calls;

// A view whose touch area reaches 20 points beyond its edges, overriding through its table.
class WideTouchView : public UIView {
 public:
  static runtime::Class* runtimeClass() {
    return runtime::objc_registerClass("WideTouchView", &UIView::runtimeClass, [](runtime::Class* cls) {
      runtime::class_addMethod(cls, selectors::pointInside, [](id self, CGPoint point, UIEvent*) {
        return CGRectContainsPoint(CGRectInset(static_cast<UIView*>(self)->bounds(), -20, -20), point);
      });
    });
  }
  runtime::Class* isa() const override { return runtimeClass(); }
};

// A host view that records its layouts and lays out a subview the way a host does.
class RecordingView : public UIView {
 public:
  static runtime::Class* runtimeClass() {
    return runtime::objc_registerClass("RecordingView", &UIView::runtimeClass, [](runtime::Class* cls) {
      runtime::class_addMethod(cls, selectors::layoutSubviews, [](id self) {
        runtime::sendSuper(RecordingView::runtimeClass(), self, selectors::layoutSubviews);
        auto* view = static_cast<RecordingView*>(self);
        calls.push_back("layout " + view->name);
        if (view->onLayout) view->onLayout();
      });
    });
  }
  runtime::Class* isa() const override { return runtimeClass(); }

  static std::shared_ptr<RecordingView> create(std::string name, CGRect frame = CGRectZero) {
    auto view = std::make_shared<RecordingView>();
    view->name = std::move(name);
    view->initWithFrame(frame);
    return view;
  }

  std::string name;
  std::function<void()> onLayout;
};

class UIViewTest : public ::testing::Test {
 protected:
  springboard::FreshProcessState freshProcess_;

  void SetUp() override { calls.clear(); }
};

std::vector<UIView*> subviewsOf(const UIView& view) {
  std::vector<UIView*> subviews;
  for (const auto& subview : view.subviews()) subviews.push_back(subview.get());
  return subviews;
}

TEST_F(UIViewTest, AddSubviewAddsOrMovesToTheFrontAndTakesTheViewFromItsPreviousSuperview) {
  auto root = UIView::create();
  auto other = UIView::create();
  auto a = UIView::create();
  auto b = UIView::create();
  auto c = UIView::create();
  root->addSubview(a);
  root->addSubview(b);
  root->addSubview(c);
  root->addSubview(a);
  EXPECT_EQ(subviewsOf(*root), (std::vector<UIView*>{b.get(), c.get(), a.get()}));

  root->bringSubviewToFront(b.get());
  root->sendSubviewToBack(a.get());
  root->insertSubview(other, 1);
  EXPECT_EQ(subviewsOf(*root), (std::vector<UIView*>{a.get(), other.get(), c.get(), b.get()}));

  other->addSubview(c);
  EXPECT_EQ(c->superview(), other);
  EXPECT_EQ(subviewsOf(*root), (std::vector<UIView*>{a.get(), other.get(), b.get()}));

  b->removeFromSuperview();
  EXPECT_EQ(b->superview(), nullptr);
  EXPECT_EQ(subviewsOf(*root), (std::vector<UIView*>{a.get(), other.get()}));
}

TEST_F(UIViewTest, AViewCannotBeAddedToItselfOrBelowItself) {
  auto root = UIView::create();
  auto child = UIView::create();
  root->addSubview(child);
  child->addSubview(root);
  root->addSubview(root);
  EXPECT_EQ(root->superview(), nullptr);
  EXPECT_EQ(subviewsOf(*root), (std::vector<UIView*>{child.get()}));
}

TEST_F(UIViewTest, RemovingTheLastReferenceFromItsSuperviewLetsTheViewGo) {
  auto root = UIView::create();
  std::weak_ptr<UIView> child;
  {
    auto made = UIView::create();
    root->addSubview(made);
    child = made;
  }
  ASSERT_FALSE(child.expired());
  child.lock()->removeFromSuperview();
  EXPECT_TRUE(child.expired());
}

TEST_F(UIViewTest, HitTestFindsTheFrontMostVisibleInteractiveView) {
  auto root = UIView::create(CGRectMake(0, 0, 320, 300));
  auto back = UIView::create(CGRectMake(0, 0, 320, 300));
  auto front = UIView::create(CGRectMake(100, 100, 50, 50));
  root->addSubview(back);
  root->addSubview(front);

  EXPECT_EQ(root->hitTest({120, 120}, nullptr), front.get());
  EXPECT_EQ(root->hitTest({10, 10}, nullptr), back.get());
  EXPECT_EQ(root->hitTest({400, 10}, nullptr), nullptr);

  front->setHidden(true);
  EXPECT_EQ(root->hitTest({120, 120}, nullptr), back.get());
  front->setHidden(false);
  front->setAlpha(0.009);
  EXPECT_EQ(root->hitTest({120, 120}, nullptr), back.get());
  front->setAlpha(0.01);
  EXPECT_EQ(root->hitTest({120, 120}, nullptr), front.get());
  front->setUserInteractionEnabled(false);
  EXPECT_EQ(root->hitTest({120, 120}, nullptr), back.get());

  back->setUserInteractionEnabled(false);
  EXPECT_EQ(root->hitTest({120, 120}, nullptr), root.get());
}

TEST_F(UIViewTest, HitTestDoesNotReachSubviewsOutsideTheViewWhetherItClipsOrNot) {
  auto root = UIView::create(CGRectMake(0, 0, 320, 300));
  auto stack = UIView::create(CGRectMake(0, 150, 320, 90));
  auto hanging = UIView::create(CGRectMake(0, 90, 320, 40));
  root->addSubview(stack);
  stack->addSubview(hanging);
  stack->setClipsToBounds(false);
  // The button hangs below the stack view: inside the root, outside the stack view.
  EXPECT_EQ(root->hitTest({10, 250}, nullptr), root.get());
  EXPECT_EQ(hanging->convertPoint({10, 250}, root.get()), (CGPoint{10, 10}));
  EXPECT_EQ(hanging->hitTest(hanging->convertPoint({10, 250}, root.get()), nullptr), hanging.get());
}

TEST_F(UIViewTest, AnOverriddenPointInsideDecidesForEveryCallerOfHitTest) {
  auto root = UIView::create(CGRectMake(0, 0, 200, 200));
  auto button = std::make_shared<WideTouchView>();
  button->initWithFrame(CGRectMake(50, 50, 20, 20));
  root->addSubview(button);
  EXPECT_EQ(root->hitTest({30, 30}, nullptr), button.get());
  EXPECT_EQ(root->hitTest({89.9, 89.9}, nullptr), button.get());
  EXPECT_EQ(root->hitTest({90, 60}, nullptr), root.get());
}

TEST_F(UIViewTest, PointsAndRectsConvertBetweenViewsOfOneTree) {
  auto root = UIView::create(CGRectMake(0, 0, 320, 420));
  auto container = UIView::create(CGRectMake(10, 20, 300, 300));
  auto inner = UIView::create(CGRectMake(5, 150, 100, 40));
  auto sibling = UIView::create(CGRectMake(0, 300, 320, 120));
  root->addSubview(container);
  container->addSubview(inner);
  root->addSubview(sibling);

  EXPECT_EQ(inner->convertPoint({15, 170}, root.get()), (CGPoint{0, 0}));
  EXPECT_EQ(inner->convertPointToView({0, 0}, root.get()), (CGPoint{15, 170}));
  EXPECT_EQ(sibling->convertPoint({1, 2}, inner.get()), (CGPoint{16, -128}));
  EXPECT_EQ(inner->convertPoint({15, 170}, nullptr), (CGPoint{0, 0}));
  EXPECT_EQ(inner->convertRectToView(CGRectMake(1, 1, 10, 10), container.get()), CGRectMake(6, 151, 10, 10));

  container->setBounds(CGRectMake(0, 50, 300, 300));
  EXPECT_EQ(inner->convertPointToView({0, 0}, root.get()), (CGPoint{15, 120}));
}

TEST_F(UIViewTest, FlexibleSubviewsFollowTheSizeOfTheirSuperview) {
  auto button = UIView::create(CGRectMake(0, 0, 100, 40));
  auto content = UIView::create(button->bounds());
  auto pinned = UIView::create(CGRectMake(10, 10, 20, 20));
  auto rightAligned = UIView::create(CGRectMake(70, 10, 20, 20));
  content->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
  rightAligned->setAutoresizingMask(UIViewAutoresizingFlexibleLeftMargin);
  button->addSubview(content);
  button->addSubview(pinned);
  button->addSubview(rightAligned);

  button->setFrame(CGRectMake(0, 50, 320, 40));
  EXPECT_EQ(content->frame(), CGRectMake(0, 0, 320, 40));
  EXPECT_EQ(pinned->frame(), CGRectMake(10, 10, 20, 20));
  EXPECT_EQ(rightAligned->frame(), CGRectMake(290, 10, 20, 20));

  button->setFrame(CGRectMake(0, 50, 320, 90));
  EXPECT_EQ(content->frame(), CGRectMake(0, 0, 320, 90));
}

// A page laid out at its full size, collapsed to nothing and opened again: every view between
// flexible margins goes back to its place, even those the collapse pushed past the top.
TEST_F(UIViewTest, ViewsBetweenFlexibleMarginsComeBackWhenTheirSuperviewGrowsAgain) {
  auto page = UIView::create(CGRectMake(0, 0, 320, 300));
  const CGRect places[] = {CGRectMake(0, 60, 320, 24), CGRectMake(0, 92, 320, 60),
                           CGRectMake(0, 160, 320, 24)};
  std::vector<std::shared_ptr<UIView>> labels;
  for (const CGRect& place : places) {
    labels.push_back(UIView::create(place));
    labels.back()->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleTopMargin |
                                       UIViewAutoresizingFlexibleBottomMargin);
    page->addSubview(labels.back());
  }
  page->setFrame(CGRectMake(0, 0, 320, 0));
  EXPECT_LT(labels[0]->frame().origin.y, 0);
  page->setFrame(CGRectMake(0, 0, 320, 300));
  for (size_t i = 0; i < labels.size(); ++i) {
    EXPECT_NEAR(labels[i]->frame().origin.y, places[i].origin.y, 1e-9) << i;
    EXPECT_EQ(labels[i]->frame().size, places[i].size) << i;
  }
  // Taller, the margins share the growth in proportion and the order stays.
  page->setFrame(CGRectMake(0, 0, 320, 400));
  EXPECT_LT(labels[0]->frame().origin.y + 24, labels[1]->frame().origin.y);
  EXPECT_LT(labels[1]->frame().origin.y + 60, labels[2]->frame().origin.y);
}

TEST_F(UIViewTest, ALayoutPassLaysOutContainersBeforeTheViewsInsideThem) {
  auto root = RecordingView::create("root");
  auto container = RecordingView::create("container");
  auto stack = RecordingView::create("stack");
  auto hidden = RecordingView::create("hidden");
  hidden->setHidden(true);
  root->addSubview(container);
  container->addSubview(stack);
  root->addSubview(hidden);

  root->layoutIfNeeded();
  EXPECT_EQ(calls,
            (std::vector<std::string>{"layout root", "layout container", "layout stack", "layout hidden"}));

  calls.clear();
  root->layoutIfNeeded();
  EXPECT_TRUE(calls.empty());

  stack->setNeedsLayout();
  root->layoutIfNeeded();
  EXPECT_EQ(calls, (std::vector<std::string>{"layout stack"}));
}

TEST_F(UIViewTest, ViewsAddedDuringAPassAreLaidOutInIt) {
  auto root = RecordingView::create("root");
  auto container = RecordingView::create("container");
  auto stack = RecordingView::create("stack");
  root->addSubview(container);
  container->addSubview(stack);
  root->layoutIfNeeded();
  calls.clear();

  // The stack view's layout adds a panel to an ancestor and a button to itself.
  auto panel = RecordingView::create("panel");
  auto button = RecordingView::create("button");
  stack->onLayout = [&] {
    root->addSubview(panel);
    stack->addSubview(button);
  };
  stack->setNeedsLayout();
  root->layoutIfNeeded();
  EXPECT_EQ(calls, (std::vector<std::string>{"layout stack", "layout button", "layout panel"}));

  // Adding a subview marked the stack view again: it waits for the next pass.
  calls.clear();
  stack->onLayout = nullptr;
  root->layoutIfNeeded();
  EXPECT_EQ(calls, (std::vector<std::string>{"layout root", "layout stack"}));
}

TEST_F(UIViewTest, AViewMovedDuringAPassIsLaidOutOnceAndAReplacementIsLaidOutToo) {
  auto root = RecordingView::create("root");
  auto container = RecordingView::create("container");
  auto stack = RecordingView::create("stack");
  auto moved = RecordingView::create("moved");
  auto replaced = RecordingView::create("replaced");
  root->addSubview(container);
  container->addSubview(stack);
  container->addSubview(moved);
  root->addSubview(replaced);
  root->layoutIfNeeded();
  calls.clear();

  // The stack view's layout moves a marked sibling up to the root, and puts a new view where an
  // old one was (the old one destroyed: the new one may take its address).
  std::shared_ptr<RecordingView> replacement;
  stack->onLayout = [&] {
    root->addSubview(moved);
    replaced->removeFromSuperview();
    replaced.reset();
    replacement = RecordingView::create("replacement");
    root->addSubview(replacement);
  };
  moved->setNeedsLayout();
  stack->setNeedsLayout();
  root->layoutIfNeeded();
  EXPECT_EQ(calls, (std::vector<std::string>{"layout stack", "layout moved", "layout replacement"}));
}

TEST_F(UIViewTest, AHookOnAHostClassLayoutRunsForEveryLayoutAndThePreviousImplementationStillRuns) {
  static runtime::Selector<void()>::Imp previous;
  previous = nullptr;
  runtime::MSHookMessageEx(
      RecordingView::runtimeClass(), selectors::layoutSubviews,
      [](id self) {
        previous(self);
        calls.push_back("hook");
      },
      &previous);
  auto view = RecordingView::create("host");
  view->layoutIfNeeded();
  EXPECT_EQ(calls, (std::vector<std::string>{"layout host", "hook"}));
}

TEST_F(UIViewTest, AControllerHearsOfItsViewsLayout) {
  class Controller : public UIViewController {
   public:
    static runtime::Class* runtimeClass() {
      return runtime::objc_registerClass(
          "RecordingController", &UIViewController::runtimeClass, [](runtime::Class* cls) {
            runtime::class_addMethod(cls, selectors::viewDidLoad, [](id) { calls.push_back("did load"); });
            runtime::class_addMethod(cls, selectors::viewWillLayoutSubviews,
                                     [](id) { calls.push_back("will layout"); });
            runtime::class_addMethod(cls, selectors::viewDidLayoutSubviews,
                                     [](id) { calls.push_back("did layout"); });
          });
    }
    runtime::Class* isa() const override { return runtimeClass(); }
  };
  auto controller = std::make_shared<Controller>();
  auto root = UIView::create();
  root->addSubview(controller->view());
  root->layoutIfNeeded();
  EXPECT_EQ(calls, (std::vector<std::string>{"did load", "will layout", "did layout"}));
}

TEST_F(UIViewTest, TintIsInheritedUntilAViewHasItsOwn) {
  auto root = UIView::create();
  auto child = UIView::create();
  root->addSubview(child);
  EXPECT_TRUE(child->tintColor()->isEqual(*UIColor::systemBlueColor()));
  root->setTintColor(UIColor::whiteColor());
  EXPECT_TRUE(child->tintColor()->isEqual(*UIColor::whiteColor()));
  child->setTintColor(UIColor::redColor());
  EXPECT_TRUE(child->tintColor()->isEqual(*UIColor::redColor()));
}

}  // namespace
}  // namespace platform::uikit
