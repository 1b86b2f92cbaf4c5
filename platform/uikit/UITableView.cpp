#include "platform/uikit/UITableView.h"

#include "platform/runtime/Runtime.h"
#include "platform/uikit/UITableViewCell.h"

namespace platform::uikit {

runtime::Class* UITableView::runtimeClass() {
  return runtime::objc_registerClass("UITableView", &UIScrollView::runtimeClass, [](runtime::Class* cls) {
    runtime::class_addMethod(cls, selectors::layoutSubviews, [](runtime::id self) {
      runtime::sendSuper(UITableView::runtimeClass(), self, selectors::layoutSubviews);
      auto* table = runtime::downcast<UITableView>(self);
      if (!table->hasLoadedRows_) table->reloadData();
    });
  });
}

std::shared_ptr<UITableView> UITableView::create(CGRect frame) {
  auto view = UITableView::alloc();
  view->initWithFrame(frame);
  return view;
}

void UITableView::setDelegate(std::weak_ptr<UITableViewDelegate> delegate) {
  UIScrollView::setDelegate(delegate);
  delegate_ = std::move(delegate);
}

int64_t UITableView::numberOfSections() {
  auto source = dataSource();
  return source ? source->numberOfSectionsInTableView(this) : 0;
}

int64_t UITableView::numberOfRowsInSection(int64_t section) {
  auto source = dataSource();
  return source ? source->tableViewNumberOfRowsInSection(this, section) : 0;
}

void UITableView::reloadData() {
  hasLoadedRows_ = true;
  auto source = dataSource();
  if (source == nullptr) return;
  auto viewer = delegate();
  for (int64_t section = 0; section < numberOfSections(); ++section) {
    for (int64_t row = 0; row < numberOfRowsInSection(section); ++row) {
      auto indexPath = NSIndexPath::indexPathForRow(row, section);
      auto cell = source->tableViewCellForRowAtIndexPath(this, indexPath);
      if (cell != nullptr && viewer != nullptr) viewer->tableViewWillDisplayCell(this, cell.get(), indexPath);
    }
  }
}

void UITableView::setTableHeaderView(std::shared_ptr<UIView> view) {
  if (tableHeaderView_) tableHeaderView_->removeFromSuperview();
  tableHeaderView_ = std::move(view);
  if (!tableHeaderView_) return;
  CGRect frame = tableHeaderView_->frame();
  tableHeaderView_->setFrame(CGRectMake(0, 0, bounds().size.width, frame.size.height));
  addSubview(tableHeaderView_);
}

}  // namespace platform::uikit
