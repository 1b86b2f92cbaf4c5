#include "platform/uikit/UIStackView.h"

#include <algorithm>

#include "platform/runtime/Runtime.h"
#include "platform/uikit/UINibDecoder.h"

namespace platform::uikit {
namespace {

// A view's length along the axis, or across it, that the stack view keeps when it does not
// stretch the view: the intrinsic one, else the current one.
CGFloat naturalLength(const UIView& view, bool horizontal) {
  CGSize intrinsic = view.intrinsicContentSize();
  CGFloat length = horizontal ? intrinsic.width : intrinsic.height;
  if (length != UIViewNoIntrinsicMetric) return length;
  return horizontal ? view.frame().size.width : view.frame().size.height;
}

}  // namespace

runtime::Class* UIStackView::runtimeClass() {
  return runtime::objc_registerClass("UIStackView", &UIView::runtimeClass, [](runtime::Class* cls) {
    runtime::class_addMethod(cls, selectors::layoutSubviews, [](runtime::id self) {
      runtime::sendSuper(UIStackView::runtimeClass(), self, selectors::layoutSubviews);
      runtime::downcast<UIStackView>(self)->layoutArrangedSubviews();
    });
  });
}

std::shared_ptr<UIStackView> UIStackView::create(CGRect frame) {
  auto stackView = UIStackView::alloc();
  stackView->initWithFrame(frame);
  return stackView;
}

void UIStackView::initWithCoder(UINibDecoder& coder) {
  UIView::initWithCoder(coder);
  axis_ = UILayoutConstraintAxis(coder.decodeIntegerForKey("axis", axis_));
  distribution_ = UIStackViewDistribution(coder.decodeIntegerForKey("distribution", distribution_));
  alignment_ = UIStackViewAlignment(coder.decodeIntegerForKey("alignment", alignment_));
  spacing_ = coder.decodeDoubleForKey("spacing", spacing_);
  for (const auto& subview : subviews()) arrangedSubviews_.push_back(subview);
}

void UIStackView::setAxis(UILayoutConstraintAxis axis) {
  axis_ = axis;
  setNeedsLayout();
}

void UIStackView::setDistribution(UIStackViewDistribution distribution) {
  distribution_ = distribution;
  setNeedsLayout();
}

void UIStackView::setAlignment(UIStackViewAlignment alignment) {
  alignment_ = alignment;
  setNeedsLayout();
}

void UIStackView::setSpacing(CGFloat spacing) {
  spacing_ = spacing;
  setNeedsLayout();
}

std::vector<std::shared_ptr<UIView>> UIStackView::arrangedSubviews() const {
  std::vector<std::shared_ptr<UIView>> views;
  for (const auto& arranged : arrangedSubviews_) {
    auto view = arranged.lock();
    if (view != nullptr && view->superview().get() == this) views.push_back(view);
  }
  return views;
}

void UIStackView::addArrangedSubview(const std::shared_ptr<UIView>& view) {
  if (view == nullptr) return;
  removeArrangedSubview(view.get());
  arrangedSubviews_.push_back(view);
  if (view->superview().get() != this) addSubview(view);
  setNeedsLayout();
}

void UIStackView::removeArrangedSubview(UIView* view) {
  std::erase_if(arrangedSubviews_, [view](const std::weak_ptr<UIView>& arranged) {
    auto current = arranged.lock();
    return current == nullptr || current.get() == view;
  });
  setNeedsLayout();
}

void UIStackView::layoutArrangedSubviews() {
  std::vector<std::shared_ptr<UIView>> views;
  for (const auto& view : arrangedSubviews()) {
    if (!view->isHidden()) views.push_back(view);
  }
  if (views.empty()) return;

  const bool horizontal = axis_ == UILayoutConstraintAxisHorizontal;
  const CGSize size = bounds().size;
  const CGFloat length = horizontal ? size.width : size.height;
  const CGFloat crossLength = horizontal ? size.height : size.width;
  const CGFloat available = std::max<CGFloat>(0, length - spacing_ * static_cast<CGFloat>(views.size() - 1));

  std::vector<CGFloat> lengths;
  if (distribution_ == UIStackViewDistributionFillEqually) {
    lengths.assign(views.size(), available / static_cast<CGFloat>(views.size()));
  } else {
    CGFloat used = 0;
    for (const auto& view : views) {
      lengths.push_back(naturalLength(*view, horizontal));
      used += lengths.back();
    }
    lengths.back() = std::max<CGFloat>(0, lengths.back() + available - used);
  }

  CGFloat position = 0;
  for (size_t i = 0; i < views.size(); ++i) {
    CGFloat cross =
        alignment_ == UIStackViewAlignmentFill ? crossLength : naturalLength(*views[i], !horizontal);
    CGFloat crossPosition = 0;
    if (alignment_ == UIStackViewAlignmentCenter) crossPosition = (crossLength - cross) / 2;
    if (alignment_ == UIStackViewAlignmentTrailing) crossPosition = crossLength - cross;
    views[i]->setFrame(horizontal ? CGRectMake(position, crossPosition, lengths[i], cross)
                                  : CGRectMake(crossPosition, position, cross, lengths[i]));
    position += lengths[i] + spacing_;
  }
}

}  // namespace platform::uikit
