#pragma once

#include <memory>

#include "platform/uikit/UIView.h"

namespace platform::uikit {

class UILabel;

// A row of a table: a title, a detail text and, at its trailing end, an accessory view.
class UITableViewCell : public UIView {
  RUNTIME_CLASS(UITableViewCell)

 public:
  static std::shared_ptr<UITableViewCell> create();

  void initWithFrame(CGRect frame) override;

  const std::shared_ptr<UILabel>& textLabel() const { return textLabel_; }
  const std::shared_ptr<UILabel>& detailTextLabel() const { return detailTextLabel_; }
  const std::shared_ptr<UIView>& accessoryView() const { return accessoryView_; }
  void setAccessoryView(std::shared_ptr<UIView> view);

 private:
  std::shared_ptr<UILabel> textLabel_;
  std::shared_ptr<UILabel> detailTextLabel_;
  std::shared_ptr<UIView> accessoryView_;
};

}  // namespace platform::uikit
