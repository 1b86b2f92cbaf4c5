#include "platform/uikit/UITableViewCell.h"

#include "platform/runtime/Runtime.h"
#include "platform/uikit/UILabel.h"

namespace platform::uikit {

namespace {
constexpr CGFloat kRowWidth = 320;
constexpr CGFloat kRowHeight = 44;
}  // namespace

runtime::Class* UITableViewCell::runtimeClass() {
  return runtime::objc_registerClass("UITableViewCell", &UIView::runtimeClass);
}

std::shared_ptr<UITableViewCell> UITableViewCell::create() {
  auto cell = UITableViewCell::alloc();
  cell->initWithFrame(CGRectMake(0, 0, kRowWidth, kRowHeight));
  return cell;
}

void UITableViewCell::initWithFrame(CGRect frame) {
  UIView::initWithFrame(frame);
  textLabel_ = UILabel::create(CGRectMake(15, 0, frame.size.width / 2, frame.size.height));
  detailTextLabel_ =
      UILabel::create(CGRectMake(frame.size.width / 2, 0, frame.size.width / 2 - 15, frame.size.height));
  addSubview(textLabel_);
  addSubview(detailTextLabel_);
}

void UITableViewCell::setAccessoryView(std::shared_ptr<UIView> view) {
  if (accessoryView_) accessoryView_->removeFromSuperview();
  accessoryView_ = std::move(view);
  if (accessoryView_) addSubview(accessoryView_);
}

}  // namespace platform::uikit
