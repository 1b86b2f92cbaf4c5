#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "platform/foundation/DeviceFileSystem.h"
#include "platform/foundation/NSBundle.h"
#include "platform/foundation/PropertyList.h"
#include "platform/foundation/SystemLog.h"
#include "platform/runtime/Runtime.h"
#include "platform/uikit/NSLayoutConstraint.h"
#include "platform/uikit/UIButton.h"
#include "platform/uikit/UIColor.h"
#include "platform/uikit/UIFont.h"
#include "platform/uikit/UIImageView.h"
#include "platform/uikit/UILabel.h"
#include "platform/uikit/UINib.h"
#include "platform/uikit/UINibDecoder.h"
#include "tests/platform/foundation/TemporaryDirectory.h"

namespace platform::uikit {
namespace {

using foundation::PropertyList;
using runtime::id;
using Array = PropertyList::Array;
using Dictionary = PropertyList::Dictionary;

std::vector<std::string> calls;

// The file's owner: a button whose look comes from the file, as an image button's does.
class OwnerButton : public UIButton {
 public:
  static runtime::Class* runtimeClass() {
    return runtime::objc_registerClass("OwnerButton", &UIButton::runtimeClass, [](runtime::Class* cls) {
      runtime::class_addMethod(cls, runtime::Selector<void(id)>{"toggle:"},
                               [](id, id) { calls.push_back("owner toggle"); });
    });
  }
  runtime::Class* isa() const override { return runtimeClass(); }

  bool setValueForOutlet(std::string_view name, const std::shared_ptr<runtime::NSObject>& object) override {
    if (name == "contentView") return connectOutlet(contentView, object);
    if (name == "textLabel") return connectOutlet(textLabel, object);
    if (name == "iconImage") return connectOutlet(iconImage, object);
    if (name == "iconWidthConstraint") return connectOutlet(iconWidthConstraint, object);
    return UIButton::setValueForOutlet(name, object);
  }

  std::shared_ptr<UIView> contentView;
  std::weak_ptr<UILabel> textLabel;
  std::weak_ptr<UIImageView> iconImage;
  std::weak_ptr<NSLayoutConstraint> iconWidthConstraint;
};

// A control made by the file that wires its own action when decoded, as a checkbox does.
class SelfWiredButton : public UIButton {
  RUNTIME_CLASS(SelfWiredButton)

 public:
  void initWithCoder(UINibDecoder& coder) override {
    UIButton::initWithCoder(coder);
    addTarget(this, "selfTapped:", UIControlEventTouchUpInside);
  }
};

runtime::Class* SelfWiredButton::runtimeClass() {
  return runtime::objc_registerClass("SelfWiredButton", &UIButton::runtimeClass, [](runtime::Class* cls) {
    runtime::class_addMethod(cls, runtime::Selector<void(id)>{"selfTapped:"},
                             [](id, id) { calls.push_back("self tapped"); });
  });
}

// A top-level view with outlets of its own, as a page loaded from a file is.
class PageView : public UIView {
  RUNTIME_CLASS(PageView)

 public:
  bool setValueForOutlet(std::string_view name, const std::shared_ptr<runtime::NSObject>& object) override {
    if (name == "toggle") return connectOutlet(toggle, object);
    return UIView::setValueForOutlet(name, object);
  }

  std::weak_ptr<UIButton> toggle;
};

runtime::Class* PageView::runtimeClass() {
  return runtime::objc_registerClass("PageView", &UIView::runtimeClass);
}

class UINibTest : public ::testing::Test {
 protected:
  static constexpr const char* kBundlePath = "/Library/Application Support/Test.bundle";

  void SetUp() override {
    runtime::objc_disposeAllClasses();
    foundation::DeviceFileSystem::setRoot(device.path());
    foundation::SystemLog::clear();
    UINib::registerClass<SelfWiredButton>();
    UINib::registerClass<PageView>();
    calls.clear();
  }

  std::shared_ptr<foundation::NSBundle> bundleWith(const std::string& name, const PropertyList& contents) {
    auto directory = *foundation::DeviceFileSystem::resolve(kBundlePath);
    std::filesystem::create_directories(directory);
    std::ofstream(directory / (name + ".nib")) << contents.toXml();
    return foundation::NSBundle::initWithPath(kBundlePath);
  }

  // The image button's file: a content view holding an icon, a label and a toggle.
  static PropertyList imageButtonFile() {
    Dictionary icon{{"class", "UIImageView"}, {"id", "icon"}, {"frame", Array{0, 8, 24, 24}}};
    Dictionary label{{"class", "UILabel"},
                     {"id", "label"},
                     {"frame", Array{30, 0, 290, 40}},
                     {"text", "Sleep"},
                     {"font", Dictionary{{"size", 17}, {"weight", 0.3}}},
                     {"textColor", "white"}};
    Dictionary toggle{
        {"class", "SelfWiredButton"},
        {"id", "toggle"},
        {"title", "Flip"},
        {"actions", Array{Dictionary{{"selector", "toggle:"}, {"target", "owner"}, {"events", 64}}}}};
    Dictionary width{{"id", "iconWidth"},
                     {"firstItem", "icon"},
                     {"firstAttribute", "width"},
                     {"constant", 24},
                     {"priority", 250}};
    Dictionary gap{{"firstItem", "label"},
                   {"firstAttribute", "leading"},
                   {"secondItem", "icon"},
                   {"secondAttribute", "trailing"},
                   {"constant", 6.0}};
    Dictionary content{{"class", "PageView"},
                       {"id", "content"},
                       {"frame", Array{0, 0, 320, 40}},
                       {"alpha", 0.85},
                       {"autoresizingMask", 18},
                       {"subviews", Array{icon, label, toggle}},
                       {"constraints", Array{width, gap}},
                       {"outlets", Dictionary{{"toggle", "toggle"}}}};
    Dictionary owner{{"class", "OwnerButton"},
                     {"outlets", Dictionary{{"contentView", "content"},
                                            {"textLabel", "label"},
                                            {"iconImage", "icon"},
                                            {"iconWidthConstraint", "iconWidth"}}}};
    return Dictionary{{"owner", owner}, {"objects", Array{content}}};
  }

  static std::string errorOf(const PropertyList& contents, id owner) {
    auto objects = UINib::alloc(contents, "Broken.nib")->instantiateWithOwner(owner);
    return objects ? "" : objects.error();
  }

  foundation::TemporaryDirectory device;
};

TEST_F(UINibTest, LoadsTheObjectTreeAndConnectsOutletsActionsAndConstraints) {
  auto bundle = bundleWith("ImageButton", imageButtonFile());
  auto owner = std::make_shared<OwnerButton>();
  owner->initWithFrame(CGRectZero);
  auto objects = UINib::loadNibNamed(*bundle, "ImageButton", owner.get());

  ASSERT_EQ(objects.size(), 1u);
  auto page = std::dynamic_pointer_cast<PageView>(objects[0]);
  ASSERT_NE(page, nullptr);
  EXPECT_EQ(owner->contentView, page);
  EXPECT_EQ(page->frame(), CGRectMake(0, 0, 320, 40));
  EXPECT_EQ(page->alpha(), 0.85);
  EXPECT_EQ(page->autoresizingMask(), UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
  ASSERT_EQ(page->subviews().size(), 3u);

  auto label = owner->textLabel.lock();
  ASSERT_NE(label, nullptr);
  EXPECT_EQ(label->superview(), page);
  EXPECT_EQ(label->text(), "Sleep");
  EXPECT_EQ(label->font()->pointSize(), 17);
  EXPECT_EQ(label->font()->weight(), UIFontWeightSemibold);
  EXPECT_TRUE(label->textColor()->isEqual(*UIColor::whiteColor()));
  EXPECT_EQ(owner->iconImage.lock(), page->subviews()[0]);

  auto width = owner->iconWidthConstraint.lock();
  ASSERT_NE(width, nullptr);
  EXPECT_EQ(width->firstItem(), owner->iconImage.lock());
  EXPECT_EQ(width->firstAttribute(), NSLayoutAttributeWidth);
  EXPECT_EQ(width->constant(), 24);
  EXPECT_EQ(width->priority(), 250);
  auto constraints = page->constraints();
  ASSERT_EQ(constraints.size(), 2u);
  EXPECT_EQ(constraints[1]->secondItem(), owner->iconImage.lock());
  EXPECT_EQ(constraints[1]->secondAttribute(), NSLayoutAttributeTrailing);
  EXPECT_EQ(constraints[1]->constant(), 6);
  EXPECT_EQ(constraints[1]->priority(), UILayoutPriorityRequired);

  auto toggle = page->toggle.lock();
  ASSERT_NE(toggle, nullptr);
  EXPECT_EQ(toggle->currentTitle(), "Flip");
  toggle->sendActionsForControlEvents(UIControlEventTouchUpInside);
  EXPECT_EQ(calls, (std::vector<std::string>{"self tapped", "owner toggle"}));
}

TEST_F(UINibTest, AMissingFileLoadsNothing) {
  auto bundle = bundleWith("ImageButton", imageButtonFile());
  auto owner = std::make_shared<OwnerButton>();
  EXPECT_TRUE(UINib::loadNibNamed(*bundle, "CurrentTimerView", owner.get()).empty());
  EXPECT_EQ(UINib::nibWithNibName("CurrentTimerView", *bundle), nullptr);
  EXPECT_EQ(owner->contentView, nullptr);
  EXPECT_TRUE(foundation::SystemLog::lines().empty());
}

TEST_F(UINibTest, ABrokenFileLoadsNothingAndSaysWhatIsWrongWhere) {
  auto owner = std::make_shared<OwnerButton>();
  owner->initWithFrame(CGRectZero);

  auto withContent = [](const Dictionary& content, const Dictionary& ownerOutlets = {}) {
    return PropertyList(
        Dictionary{{"owner", Dictionary{{"outlets", ownerOutlets}}}, {"objects", Array{content}}});
  };
  EXPECT_EQ(errorOf(withContent({{"class", "UIView"}, {"alpha", "opaque"}}), owner.get()),
            "Broken.nib.objects[0] (UIView): alpha is not a number");
  EXPECT_EQ(
      errorOf(withContent({{"class", "UIView"}, {"subviews", Array{Dictionary{{"class", "MPVolumeView"}}}}}),
              owner.get()),
      "Broken.nib.objects[0] (UIView).subviews[0]: class names MPVolumeView, which is not registered");
  EXPECT_EQ(errorOf(withContent({{"class", "UIView"}, {"id", "content"}}, {{"contentView", "missing"}}),
                    owner.get()),
            "Broken.nib: owner: contentView names missing, which no object has");
  EXPECT_EQ(
      errorOf(withContent({{"class", "UIView"}, {"id", "content"}}, {{"textLabel", "content"}}), owner.get()),
      "Broken.nib: owner: outlets name textLabel, which OwnerButton has no slot for a UIView");
  EXPECT_EQ(
      errorOf(withContent({{"class", "UILabel"}, {"id", "content"}}, {{"contentView", "content"}}), nullptr),
      "Broken.nib: owner: outlets belong to the owner, and there is none");
  EXPECT_EQ(errorOf(PropertyList(Array{}), owner.get()), "Broken.nib: is not a dictionary");
  EXPECT_EQ(owner->contentView, nullptr);

  auto bundle = bundleWith("ImageButton", withContent({{"class", "UIView"}, {"frame", Array{0, 0}}}));
  EXPECT_TRUE(UINib::loadNibNamed(*bundle, "ImageButton", owner.get()).empty());
  EXPECT_EQ(foundation::SystemLog::lines(),
            (std::vector<std::string>{"UINib: ImageButton.nib.objects[0] (UIView): frame is not (x, y, "
                                      "width, height)"}));
}

TEST_F(UINibTest, TheOwnerMustBeOfTheClassTheFileNames) {
  auto contents = imageButtonFile();
  auto wrongOwner = UIButton::buttonWithType(UIButtonTypeCustom);
  EXPECT_EQ(errorOf(contents, wrongOwner.get()), "Broken.nib: owner must be a OwnerButton");
}

TEST_F(UINibTest, FramesAndColoursTakeExactlyFourNumbers) {
  auto load = [](const Dictionary& content) {
    return UINib::alloc(PropertyList(Dictionary{{"objects", Array{content}}}), "Broken.nib")
        ->instantiateWithOwner(nullptr);
  };
  auto loaded =
      load({{"class", "UIView"}, {"frame", Array{1, 2.5, 30, 40}}, {"backgroundColor", Array{1, 0.5, 0, 1}}});
  ASSERT_TRUE(loaded);
  auto view = std::dynamic_pointer_cast<UIView>(loaded->front());
  ASSERT_NE(view, nullptr);
  EXPECT_EQ(view->frame(), CGRectMake(1, 2.5, 30, 40));
  EXPECT_DOUBLE_EQ(view->backgroundColor()->green(), 0.5);

  for (const Array& numbers : {Array{0, 0, 10}, Array{0, 0, 10, 10, 1}, Array{0, 0, "wide", 10}}) {
    EXPECT_EQ(load({{"class", "UIView"}, {"frame", numbers}}).error(),
              "Broken.nib.objects[0] (UIView): frame is not (x, y, width, height)");
    EXPECT_EQ(load({{"class", "UIView"}, {"backgroundColor", numbers}}).error(),
              "Broken.nib.objects[0] (UIView): backgroundColor is not a colour: (red, green, blue, alpha) or "
              "white, black, clear");
  }
}

}  // namespace
}  // namespace platform::uikit
