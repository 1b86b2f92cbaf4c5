#include "tweak/panel/LunadozeImageButton.h"

#include "platform/runtime/Runtime.h"
#include "platform/uikit/UIColor.h"
#include "platform/uikit/UINib.h"
#include "tweak/support/BundleHelper.h"

namespace lunadoze {

using platform::runtime::id;
using platform::uikit::UIColor;
namespace selectors = platform::uikit::selectors;

platform::runtime::Class* LunadozeImageButton::runtimeClass() {
  return platform::runtime::objc_registerClass(
      "LunadozeImageButton", &UIButton::runtimeClass, [](platform::runtime::Class* cls) {
        platform::runtime::class_addMethod(cls, selectors::setHighlighted, [](id self, bool highlighted) {
          platform::runtime::sendSuper(runtimeClass(), self, selectors::setHighlighted, highlighted);
          platform::runtime::downcast<LunadozeImageButton>(self)->setAlpha(highlighted ? kDimmedAlpha : 1.0);
        });
        platform::runtime::class_addMethod(cls, selectors::setSelected, [](id self, bool selected) {
          platform::runtime::sendSuper(runtimeClass(), self, selectors::setSelected, selected);
          platform::runtime::downcast<LunadozeImageButton>(self)->setAlpha(selected ? kDimmedAlpha : 1.0);
        });
        platform::runtime::class_addMethod(
            cls, selectors::setTintColor, [](id self, std::shared_ptr<UIColor> color) {
              platform::runtime::sendSuper(runtimeClass(), self, selectors::setTintColor, color);
              auto* button = platform::runtime::downcast<LunadozeImageButton>(self);
              if (auto label = button->textLabel()) label->setTextColor(color);
              if (auto icon = button->iconImage()) icon->setTintColor(color);
              button->setTitleColor(std::move(color), platform::uikit::UIControlStateNormal);
            });
      });
}

std::shared_ptr<LunadozeImageButton> LunadozeImageButton::create(
    std::shared_ptr<platform::uikit::UIImage> icon, std::shared_ptr<platform::uikit::UIFont> font) {
  auto button = LunadozeImageButton::alloc();
  button->initWithFrame(platform::uikit::CGRectZero);
  if (auto iconImage = button->iconImage()) iconImage->setImage(std::move(icon));
  if (auto label = button->textLabel()) label->setFont(std::move(font));
  return button;
}

void LunadozeImageButton::initWithFrame(platform::uikit::CGRect frame) {
  UIButton::initWithFrame(frame);
  customInit();
}

void LunadozeImageButton::initWithCoder(platform::uikit::UINibDecoder& coder) {
  UIButton::initWithCoder(coder);
  customInit();
}

void LunadozeImageButton::customInit() {
  // The interface file names its owner's class, which the runtime must know before it is read.
  runtimeClass();
  if (auto bundle = BundleHelper::getBundle())
    platform::uikit::UINib::loadNibNamed(*bundle, "ImageButton", this);
  // Without the interface file the button stays a plain button: every outlet is nil.
  if (contentView_ == nullptr) return;
  addSubview(contentView_);
  contentView_->setFrame(bounds());
  contentView_->setAutoresizingMask(platform::uikit::UIViewAutoresizingFlexibleWidth |
                                    platform::uikit::UIViewAutoresizingFlexibleHeight);
}

void LunadozeImageButton::setIconHidden(bool hidden) {
  // Layout passes say it every time; only this method moves the icon and its constraints.
  if (iconHidden_ == hidden) return;
  iconHidden_ = hidden;
  if (auto icon = iconImage()) icon->setHidden(hidden);
  if (auto constraint = iconAspectRatioConstraint()) {
    constraint->setPriority(hidden ? kYieldingPriority : kDecidingPriority);
  }
  if (auto constraint = iconWidthConstraint())
    constraint->setPriority(hidden ? kDecidingPriority : kYieldingPriority);
  if (auto constraint = labelLeadingConstraint()) constraint->setConstant(hidden ? 0 : kIconLabelGap);
}

bool LunadozeImageButton::setValueForOutlet(std::string_view name,
                                            const std::shared_ptr<platform::runtime::NSObject>& object) {
  // An icon or a constraint connected anew has not been told yet.
  iconHidden_.reset();
  if (name == "contentView") return connectOutlet(contentView_, object);
  if (name == "iconImage") return connectOutlet(iconImage_, object);
  if (name == "textLabel") return connectOutlet(textLabel_, object);
  if (name == "iconAspectRatioConstraint") return connectOutlet(iconAspectRatioConstraint_, object);
  if (name == "iconWidthConstraint") return connectOutlet(iconWidthConstraint_, object);
  if (name == "labelLeadingConstraint") return connectOutlet(labelLeadingConstraint_, object);
  return UIButton::setValueForOutlet(name, object);
}

}  // namespace lunadoze
