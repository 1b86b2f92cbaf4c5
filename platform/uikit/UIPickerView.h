#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/uikit/UIView.h"

namespace platform::uikit {

class UIPickerView;

// Every method of the two picker protocols has the first keyword pickerView, so their C++ names
// take the keyword that tells them apart: pickerView:numberOfRowsInComponent: is
// numberOfRowsInComponent(pickerView, component).

// The picker's components and rows.
class UIPickerViewDataSource {
 public:
  virtual ~UIPickerViewDataSource() = default;
  virtual int64_t numberOfComponentsInPickerView(UIPickerView* pickerView) = 0;
  virtual int64_t numberOfRowsInComponent(UIPickerView* pickerView, int64_t component) = 0;
};

// How rows look and what a selection does. Each method is optional: the defaults answer as the
// picker does for a delegate without it.
class UIPickerViewDelegate {
 public:
  virtual ~UIPickerViewDelegate() = default;
  virtual CGFloat rowHeightForComponent(UIPickerView* pickerView, int64_t component);
  // The view that shows the row, or null to show the row's title instead. The picker never offers
  // a view for reuse: `reusingView` is null.
  virtual std::shared_ptr<UIView> viewForRow(UIPickerView* pickerView, int64_t row, int64_t component,
                                             UIView* reusingView);
  virtual std::optional<std::string> titleForRow(UIPickerView* pickerView, int64_t row, int64_t component);
  // The person selected the row (a selection made in code does not tell the delegate).
  virtual void didSelectRow(UIPickerView* pickerView, int64_t row, int64_t component);
};

// Wheels of rows, one per component, with a selected row each. At each layout the picker asks
// its delegate for the views of the rows in sight (the selected one in the middle) and shows
// them behind any subviews of its own.
class UIPickerView : public UIView {
  RUNTIME_CLASS(UIPickerView)

 public:
  static constexpr CGFloat kDefaultRowHeight = 32;

  static std::shared_ptr<UIPickerView> create(CGRect frame = CGRectZero);

  // Both weak, as on the device: the data source and delegate usually own the picker.
  std::shared_ptr<UIPickerViewDataSource> dataSource() const { return dataSource_.lock(); }
  void setDataSource(const std::shared_ptr<UIPickerViewDataSource>& dataSource);
  std::shared_ptr<UIPickerViewDelegate> delegate() const { return delegate_.lock(); }
  void setDelegate(const std::shared_ptr<UIPickerViewDelegate>& delegate);
  bool showsSelectionIndicator() const { return showsSelectionIndicator_; }
  void setShowsSelectionIndicator(bool shows) { showsSelectionIndicator_ = shows; }

  int64_t numberOfComponents() const;
  int64_t numberOfRowsInComponent(int64_t component) const;
  void reloadAllComponents();

  // Clamped to the component's rows. Animated or not, the selection is made at once.
  void selectRow(int64_t row, int64_t component, bool animated);
  // -1 when the component has no rows.
  int64_t selectedRowInComponent(int64_t component) const;
  // The view showing the row while it is in sight, else null.
  UIView* viewForRow(int64_t row, int64_t component) const;

 private:
  struct ShownRow {
    int64_t component;
    int64_t row;
    std::shared_ptr<UIView> view;
  };

  void showRowsInSight();
  CGFloat rowHeight(int64_t component) const;

  std::weak_ptr<UIPickerViewDataSource> dataSource_;
  std::weak_ptr<UIPickerViewDelegate> delegate_;
  bool showsSelectionIndicator_ = false;
  std::vector<int64_t> selectedRows_;
  std::shared_ptr<UIView> rowsView_;
  std::vector<ShownRow> shownRows_;
};

}  // namespace platform::uikit
