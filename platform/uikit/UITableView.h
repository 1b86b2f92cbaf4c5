#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/uikit/NSIndexPath.h"
#include "platform/uikit/UIScrollView.h"

namespace platform::uikit {

class UIColor;
class UITableView;
class UITableViewCell;

// Where a selector's first keyword names several messages, the C++ member carries the keyword
// that tells them apart: tableView:cellForRowAtIndexPath: is tableViewCellForRowAtIndexPath.
class UITableViewDataSource {
 public:
  virtual ~UITableViewDataSource() = default;
  virtual int64_t numberOfSectionsInTableView(UITableView*) { return 1; }
  virtual int64_t tableViewNumberOfRowsInSection(UITableView* tableView, int64_t section) = 0;
  // The cell of the row; null when there is no such row.
  virtual std::shared_ptr<UITableViewCell> tableViewCellForRowAtIndexPath(UITableView* tableView,
                                                                          NSIndexPath indexPath) = 0;
  // tableView:titleForHeaderInSection: and tableView:titleForFooterInSection:; empty for none.
  virtual std::string tableViewTitleForHeaderInSection(UITableView*, int64_t) { return {}; }
  virtual std::string tableViewTitleForFooterInSection(UITableView*, int64_t) { return {}; }
};

class UITableViewDelegate : public UIScrollViewDelegate {
 public:
  static constexpr CGFloat kDefaultSectionHeaderHeight = 28;

  virtual CGFloat tableViewHeightForHeaderInSection(UITableView*, int64_t) {
    return kDefaultSectionHeaderHeight;
  }
  // The cell is about to show the row.
  virtual void tableViewWillDisplayCell(UITableView*, UITableViewCell*, NSIndexPath) {}
  // A person tapped the row.
  virtual void tableViewDidSelectRowAtIndexPath(UITableView*, NSIndexPath) {}
};

// A list of rows in sections, asked of its data source. The simulated screen is tall enough for
// every row: loading the rows (at the table's first layout, or on reloadData) asks the data source
// for each row's cell in order and tells the delegate that each will be displayed.
class UITableView : public UIScrollView {
  RUNTIME_CLASS(UITableView)

 public:
  static std::shared_ptr<UITableView> create(CGRect frame = CGRectZero);

  // Both held weakly; both must be owned by a shared_ptr. The delegate is the scroll view's too.
  std::shared_ptr<UITableViewDataSource> dataSource() const { return dataSource_.lock(); }
  void setDataSource(std::weak_ptr<UITableViewDataSource> dataSource) { dataSource_ = std::move(dataSource); }
  std::shared_ptr<UITableViewDelegate> delegate() const { return delegate_.lock(); }
  void setDelegate(std::weak_ptr<UITableViewDelegate> delegate);

  int64_t numberOfSections();
  int64_t numberOfRowsInSection(int64_t section);
  void reloadData();

  // The view above the first section; it takes the table's width.
  const std::shared_ptr<UIView>& tableHeaderView() const { return tableHeaderView_; }
  void setTableHeaderView(std::shared_ptr<UIView> view);
  const std::shared_ptr<UIColor>& separatorColor() const { return separatorColor_; }
  void setSeparatorColor(std::shared_ptr<UIColor> color) { separatorColor_ = std::move(color); }

 private:
  std::weak_ptr<UITableViewDataSource> dataSource_;
  std::weak_ptr<UITableViewDelegate> delegate_;
  std::shared_ptr<UIView> tableHeaderView_;
  std::shared_ptr<UIColor> separatorColor_;
  bool hasLoadedRows_ = false;
};

}  // namespace platform::uikit
