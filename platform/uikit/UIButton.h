#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>

#include "platform/uikit/UIControl.h"

namespace platform::uikit {

class UIColor;
class UIImage;
class UIImageView;
class UILabel;

enum UIButtonType : int64_t {
  UIButtonTypeCustom = 0,
  UIButtonTypeSystem = 1,
};

// A control with a title and an image per control state. A state without its own title, title
// colour or image shows the normal state's. The title is shown by titleLabel and the image by
// imageView, both subviews of the button, side by side in its middle; a system button draws its
// title in its tint colour unless it has a title colour.
class UIButton : public UIControl {
  RUNTIME_CLASS(UIButton)

 public:
  static std::shared_ptr<UIButton> buttonWithType(UIButtonType type);
  // A custom button.
  static std::shared_ptr<UIButton> create(CGRect frame = CGRectZero);

  void initWithFrame(CGRect frame) override;
  void initWithCoder(UINibDecoder& coder) override;

  UIButtonType buttonType() const { return buttonType_; }

  void setTitle(std::optional<std::string> title, UIControlState state);
  std::optional<std::string> titleForState(UIControlState state) const;
  void setTitleColor(std::shared_ptr<UIColor> color, UIControlState state);
  std::shared_ptr<UIColor> titleColorForState(UIControlState state) const;
  void setImage(std::shared_ptr<UIImage> image, UIControlState state);
  std::shared_ptr<UIImage> imageForState(UIControlState state) const;

  std::optional<std::string> currentTitle() const { return titleForState(state()); }
  std::shared_ptr<UIColor> currentTitleColor() const;
  std::shared_ptr<UIImage> currentImage() const { return imageForState(state()); }

  const std::shared_ptr<UILabel>& titleLabel() const { return titleLabel_; }
  const std::shared_ptr<UIImageView>& imageView() const { return imageView_; }

  // The title's size with the system button's margins.
  CGSize intrinsicContentSize() const override;

 protected:
  void stateDidChange() override;
  void tintColorDidChange() override;

 private:
  // Creates the title label and the image view when they are not there yet.
  void makeContentViews();
  // Shows the current state's title, colour and image.
  void updateContent();
  void layoutContent();

  UIButtonType buttonType_ = UIButtonTypeCustom;
  std::map<UIControlState, std::string> titles_;
  std::map<UIControlState, std::shared_ptr<UIColor>> titleColors_;
  std::map<UIControlState, std::shared_ptr<UIImage>> images_;
  std::shared_ptr<UILabel> titleLabel_;
  std::shared_ptr<UIImageView> imageView_;
};

}  // namespace platform::uikit
