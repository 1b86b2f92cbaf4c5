#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/uikit/UIControl.h"

namespace platform::uikit {

inline constexpr int64_t UISegmentedControlNoSegment = -1;

// A row of titled segments, at most one selected.
class UISegmentedControl : public UIControl {
  RUNTIME_CLASS(UISegmentedControl)

 public:
  // [[UISegmentedControl alloc] initWithItems:titles].
  static std::shared_ptr<UISegmentedControl> initWithItems(std::vector<std::string> titles);

  int64_t numberOfSegments() const { return static_cast<int64_t>(titles_.size()); }
  // "" for an index outside the segments.
  std::string titleForSegmentAtIndex(int64_t segment) const;
  int64_t selectedSegmentIndex() const { return selectedSegmentIndex_; }
  // An index outside the segments selects none.
  void setSelectedSegmentIndex(int64_t segment);

 private:
  std::vector<std::string> titles_;
  int64_t selectedSegmentIndex_ = UISegmentedControlNoSegment;
};

}  // namespace platform::uikit
