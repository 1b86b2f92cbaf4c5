#pragma once

#include <memory>
#include <optional>

#include "platform/uikit/NSLayoutConstraint.h"
#include "platform/uikit/UIButton.h"
#include "platform/uikit/UIFont.h"
#include "platform/uikit/UIImage.h"
#include "platform/uikit/UIImageView.h"
#include "platform/uikit/UILabel.h"

namespace lunadoze {

// The sleep button: a template icon followed by a text, laid out by the "ImageButton" interface
// file of the resource bundle. The icon can be hidden, the text then closing the gap. One tint
// colours the icon and the text; the button dims while highlighted or selected.
class LunadozeImageButton : public platform::uikit::UIButton {
  RUNTIME_CLASS(LunadozeImageButton)

 public:
  static constexpr platform::uikit::CGFloat kDimmedAlpha = 0.7;
  static constexpr platform::uikit::UILayoutPriority kDecidingPriority = 999;
  static constexpr platform::uikit::UILayoutPriority kYieldingPriority = 250;
  static constexpr platform::uikit::CGFloat kIconLabelGap = 6;

  // [[LunadozeImageButton alloc] initWithImage:font:].
  static std::shared_ptr<LunadozeImageButton> create(std::shared_ptr<platform::uikit::UIImage> icon,
                                                     std::shared_ptr<platform::uikit::UIFont> font);

  void initWithFrame(platform::uikit::CGRect frame) override;
  void initWithCoder(platform::uikit::UINibDecoder& coder) override;
  // Loads the interface file, which fills the outlets, and installs contentView over the button.
  void customInit();

  void setIconHidden(bool hidden);

  // setHighlighted:, setSelected: and setTintColor: are overridden in the method table.

  const std::shared_ptr<platform::uikit::UIView>& contentView() const { return contentView_; }
  void setContentView(std::shared_ptr<platform::uikit::UIView> view) { contentView_ = std::move(view); }
  std::shared_ptr<platform::uikit::UIImageView> iconImage() const { return iconImage_.lock(); }
  void setIconImage(const std::shared_ptr<platform::uikit::UIImageView>& view) {
    iconImage_ = view;
    iconHidden_.reset();
  }
  std::shared_ptr<platform::uikit::UILabel> textLabel() const { return textLabel_.lock(); }
  void setTextLabel(const std::shared_ptr<platform::uikit::UILabel>& label) { textLabel_ = label; }
  std::shared_ptr<platform::uikit::NSLayoutConstraint> iconAspectRatioConstraint() const {
    return iconAspectRatioConstraint_.lock();
  }
  void setIconAspectRatioConstraint(const std::shared_ptr<platform::uikit::NSLayoutConstraint>& constraint) {
    iconAspectRatioConstraint_ = constraint;
    iconHidden_.reset();
  }
  std::shared_ptr<platform::uikit::NSLayoutConstraint> iconWidthConstraint() const {
    return iconWidthConstraint_.lock();
  }
  void setIconWidthConstraint(const std::shared_ptr<platform::uikit::NSLayoutConstraint>& constraint) {
    iconWidthConstraint_ = constraint;
    iconHidden_.reset();
  }
  std::shared_ptr<platform::uikit::NSLayoutConstraint> labelLeadingConstraint() const {
    return labelLeadingConstraint_.lock();
  }
  void setLabelLeadingConstraint(const std::shared_ptr<platform::uikit::NSLayoutConstraint>& constraint) {
    labelLeadingConstraint_ = constraint;
    iconHidden_.reset();
  }

  bool setValueForOutlet(std::string_view name,
                         const std::shared_ptr<platform::runtime::NSObject>& object) override;

 private:
  std::shared_ptr<platform::uikit::UIView> contentView_;
  // The rest belongs to the tree under contentView.
  std::weak_ptr<platform::uikit::UIImageView> iconImage_;
  std::weak_ptr<platform::uikit::UILabel> textLabel_;
  std::weak_ptr<platform::uikit::NSLayoutConstraint> iconAspectRatioConstraint_;
  std::weak_ptr<platform::uikit::NSLayoutConstraint> iconWidthConstraint_;
  std::weak_ptr<platform::uikit::NSLayoutConstraint> labelLeadingConstraint_;
  // What setIconHidden last applied; none until it has been applied to the current outlets.
  std::optional<bool> iconHidden_;
};

}  // namespace lunadoze
