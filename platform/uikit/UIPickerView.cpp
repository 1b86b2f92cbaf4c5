#include "platform/uikit/UIPickerView.h"

#include <algorithm>
#include <cmath>

#include "platform/runtime/Runtime.h"
#include "platform/uikit/UIColor.h"
#include "platform/uikit/UILabel.h"

namespace platform::uikit {

CGFloat UIPickerViewDelegate::rowHeightForComponent(UIPickerView*, int64_t) {
  return UIPickerView::kDefaultRowHeight;
}

std::shared_ptr<UIView> UIPickerViewDelegate::viewForRow(UIPickerView*, int64_t, int64_t, UIView*) {
  return nullptr;
}

std::optional<std::string> UIPickerViewDelegate::titleForRow(UIPickerView*, int64_t, int64_t) {
  return std::nullopt;
}

void UIPickerViewDelegate::didSelectRow(UIPickerView*, int64_t, int64_t) {}

runtime::Class* UIPickerView::runtimeClass() {
  return runtime::objc_registerClass("UIPickerView", &UIView::runtimeClass, [](runtime::Class* cls) {
    runtime::class_addMethod(cls, selectors::layoutSubviews, [](runtime::id self) {
      runtime::sendSuper(UIPickerView::runtimeClass(), self, selectors::layoutSubviews);
      runtime::downcast<UIPickerView>(self)->showRowsInSight();
    });
  });
}

std::shared_ptr<UIPickerView> UIPickerView::create(CGRect frame) {
  auto picker = UIPickerView::alloc();
  picker->initWithFrame(frame);
  return picker;
}

void UIPickerView::setDataSource(const std::shared_ptr<UIPickerViewDataSource>& dataSource) {
  dataSource_ = dataSource;
  reloadAllComponents();
}

void UIPickerView::setDelegate(const std::shared_ptr<UIPickerViewDelegate>& delegate) {
  delegate_ = delegate;
  reloadAllComponents();
}

int64_t UIPickerView::numberOfComponents() const {
  auto dataSource = dataSource_.lock();
  return dataSource != nullptr ? dataSource->numberOfComponentsInPickerView(const_cast<UIPickerView*>(this))
                               : 0;
}

int64_t UIPickerView::numberOfRowsInComponent(int64_t component) const {
  auto dataSource = dataSource_.lock();
  if (dataSource == nullptr || component < 0 || component >= numberOfComponents()) return 0;
  return dataSource->numberOfRowsInComponent(const_cast<UIPickerView*>(this), component);
}

void UIPickerView::reloadAllComponents() {
  int64_t components = numberOfComponents();
  selectedRows_.resize(static_cast<size_t>(components), 0);
  for (int64_t component = 0; component < components; ++component) {
    auto& row = selectedRows_[static_cast<size_t>(component)];
    row = std::clamp<int64_t>(row, 0, std::max<int64_t>(0, numberOfRowsInComponent(component) - 1));
  }
  setNeedsLayout();
}

void UIPickerView::selectRow(int64_t row, int64_t component, bool) {
  int64_t rows = numberOfRowsInComponent(component);
  if (rows == 0) return;
  if (selectedRows_.size() <= static_cast<size_t>(component))
    selectedRows_.resize(static_cast<size_t>(component) + 1);
  selectedRows_[static_cast<size_t>(component)] = std::clamp<int64_t>(row, 0, rows - 1);
  setNeedsLayout();
}

int64_t UIPickerView::selectedRowInComponent(int64_t component) const {
  int64_t rows = numberOfRowsInComponent(component);
  if (rows == 0) return -1;
  // The data source may have grown or shrunk since the last reload.
  if (selectedRows_.size() <= static_cast<size_t>(component)) return 0;
  return std::min(selectedRows_[static_cast<size_t>(component)], rows - 1);
}

UIView* UIPickerView::viewForRow(int64_t row, int64_t component) const {
  for (const auto& shown : shownRows_) {
    if (shown.row == row && shown.component == component) return shown.view.get();
  }
  return nullptr;
}

CGFloat UIPickerView::rowHeight(int64_t component) const {
  auto delegate = delegate_.lock();
  CGFloat height = delegate != nullptr
                       ? delegate->rowHeightForComponent(const_cast<UIPickerView*>(this), component)
                       : kDefaultRowHeight;
  return height > 0 ? height : kDefaultRowHeight;
}

void UIPickerView::showRowsInSight() {
  if (rowsView_ == nullptr) {
    rowsView_ = UIView::create();
    rowsView_->setUserInteractionEnabled(false);
  }
  // Behind whatever else the picker holds.
  if (auto subviews = this->subviews(); subviews.empty() || subviews.front() != rowsView_)
    insertSubview(rowsView_, 0);
  rowsView_->setFrame(bounds());
  for (const auto& shown : shownRows_) shown.view->removeFromSuperview();
  shownRows_.clear();

  auto delegate = delegate_.lock();
  const CGSize size = bounds().size;
  const int64_t components = numberOfComponents();
  for (int64_t component = 0; component < components; ++component) {
    const int64_t rows = numberOfRowsInComponent(component);
    if (rows == 0) continue;
    const CGFloat width = size.width / static_cast<CGFloat>(components);
    const CGFloat height = rowHeight(component);
    const int64_t selected = selectedRowInComponent(component);
    // The selected row's slot is centred; the others follow above and below while in sight.
    const CGFloat selectedTop = (size.height - height) / 2;
    const auto reach = static_cast<int64_t>(std::ceil(selectedTop / height));
    for (int64_t row = std::max<int64_t>(0, selected - reach); row <= std::min(rows - 1, selected + reach);
         ++row) {
      std::shared_ptr<UIView> view;
      if (delegate != nullptr) view = delegate->viewForRow(this, row, component, nullptr);
      if (view == nullptr) {
        auto label = UILabel::create(CGRectMake(0, 0, width, height));
        label->setTextAlignment(NSTextAlignmentCenter);
        if (delegate != nullptr) label->setText(delegate->titleForRow(this, row, component).value_or(""));
        view = label;
      }
      CGSize viewSize = view->frame().size;
      view->setFrame(CGRectMake(
          width * static_cast<CGFloat>(component) + (width - viewSize.width) / 2,
          selectedTop + static_cast<CGFloat>(row - selected) * height + (height - viewSize.height) / 2,
          viewSize.width, viewSize.height));
      rowsView_->addSubview(view);
      shownRows_.push_back({component, row, view});
    }
  }
}

}  // namespace platform::uikit
