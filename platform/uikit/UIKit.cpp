#include "platform/uikit/UIKit.h"

#include "platform/uikit/NSLayoutConstraint.h"
#include "platform/uikit/UIAlertAction.h"
#include "platform/uikit/UIAlertController.h"
#include "platform/uikit/UIApplication.h"
#include "platform/uikit/UIBarButtonItem.h"
#include "platform/uikit/UIButton.h"
#include "platform/uikit/UIColor.h"
#include "platform/uikit/UIControl.h"
#include "platform/uikit/UIDatePicker.h"
#include "platform/uikit/UIEvent.h"
#include "platform/uikit/UIFont.h"
#include "platform/uikit/UIImage.h"
#include "platform/uikit/UIImageView.h"
#include "platform/uikit/UIImpactFeedbackGenerator.h"
#include "platform/uikit/UILabel.h"
#include "platform/uikit/UINavigationBar.h"
#include "platform/uikit/UINavigationController.h"
#include "platform/uikit/UINavigationItem.h"
#include "platform/uikit/UINib.h"
#include "platform/uikit/UIPickerView.h"
#include "platform/uikit/UIResponder.h"
#include "platform/uikit/UIScreen.h"
#include "platform/uikit/UIScrollView.h"
#include "platform/uikit/UISegmentedControl.h"
#include "platform/uikit/UISlider.h"
#include "platform/uikit/UIStackView.h"
#include "platform/uikit/UISwitch.h"
#include "platform/uikit/UITableView.h"
#include "platform/uikit/UITableViewCell.h"
#include "platform/uikit/UITextField.h"
#include "platform/uikit/UIView.h"
#include "platform/uikit/UIViewController.h"
#include "platform/uikit/UIWindow.h"

namespace platform::uikit {

void loadUIKit() {
  NSLayoutConstraint::runtimeClass();
  UIAlertAction::runtimeClass();
  UIAlertController::runtimeClass();
  UIApplication::runtimeClass();
  UIBarButtonItem::runtimeClass();
  UIButton::runtimeClass();
  UIColor::runtimeClass();
  UIControl::runtimeClass();
  UIDatePicker::runtimeClass();
  UIEvent::runtimeClass();
  UIFont::runtimeClass();
  UIImage::runtimeClass();
  UIImageView::runtimeClass();
  UIImpactFeedbackGenerator::runtimeClass();
  UILabel::runtimeClass();
  UINavigationBar::runtimeClass();
  UINavigationController::runtimeClass();
  UINavigationItem::runtimeClass();
  UINib::runtimeClass();
  UIPickerView::runtimeClass();
  UIResponder::runtimeClass();
  UIScreen::runtimeClass();
  UIScrollView::runtimeClass();
  UISegmentedControl::runtimeClass();
  UISlider::runtimeClass();
  UIStackView::runtimeClass();
  UISwitch::runtimeClass();
  UITableView::runtimeClass();
  UITableViewCell::runtimeClass();
  UITextField::runtimeClass();
  UIView::runtimeClass();
  UIViewController::runtimeClass();
  UIWindow::runtimeClass();
}

}  // namespace platform::uikit
