#pragma once

#include <memory>
#include <vector>

#include "platform/uikit/UIView.h"

namespace platform::uikit {

enum UILayoutConstraintAxis : int64_t {
  UILayoutConstraintAxisHorizontal = 0,
  UILayoutConstraintAxisVertical = 1,
};

enum UIStackViewDistribution : int64_t {
  UIStackViewDistributionFill = 0,
  UIStackViewDistributionFillEqually = 1,
};

enum UIStackViewAlignment : int64_t {
  UIStackViewAlignmentFill = 0,
  UIStackViewAlignmentLeading = 1,
  UIStackViewAlignmentTop = UIStackViewAlignmentLeading,
  UIStackViewAlignmentCenter = 3,
  UIStackViewAlignmentTrailing = 4,
  UIStackViewAlignmentBottom = UIStackViewAlignmentTrailing,
};

// Lays out its visible arranged subviews in a row or a column. Along the axis, fill-equally gives
// each the same length; fill gives each its intrinsic length (else its current one) and the rest
// of the space to the last. Across the axis, fill stretches them; the other alignments keep
// their intrinsic size (else their current one) and place it.
class UIStackView : public UIView {
  RUNTIME_CLASS(UIStackView)

 public:
  static std::shared_ptr<UIStackView> create(CGRect frame = CGRectZero);

  void initWithCoder(UINibDecoder& coder) override;

  UILayoutConstraintAxis axis() const { return axis_; }
  void setAxis(UILayoutConstraintAxis axis);
  UIStackViewDistribution distribution() const { return distribution_; }
  void setDistribution(UIStackViewDistribution distribution);
  UIStackViewAlignment alignment() const { return alignment_; }
  void setAlignment(UIStackViewAlignment alignment);
  CGFloat spacing() const { return spacing_; }
  void setSpacing(CGFloat spacing);

  std::vector<std::shared_ptr<UIView>> arrangedSubviews() const;
  // Arranged last, and added as a subview when it is not one.
  void addArrangedSubview(const std::shared_ptr<UIView>& view);
  // No longer arranged; it stays a subview.
  void removeArrangedSubview(UIView* view);

 private:
  void layoutArrangedSubviews();

  UILayoutConstraintAxis axis_ = UILayoutConstraintAxisHorizontal;
  UIStackViewDistribution distribution_ = UIStackViewDistributionFill;
  UIStackViewAlignment alignment_ = UIStackViewAlignmentFill;
  CGFloat spacing_ = 0;
  // Weak: a view removed from the stack view's subviews is no longer arranged.
  std::vector<std::weak_ptr<UIView>> arrangedSubviews_;
};

}  // namespace platform::uikit
