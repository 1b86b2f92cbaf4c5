#include "platform/uikit/UISegmentedControl.h"

#include "platform/runtime/Runtime.h"

namespace platform::uikit {

runtime::Class* UISegmentedControl::runtimeClass() {
  return runtime::objc_registerClass("UISegmentedControl", &UIControl::runtimeClass);
}

std::shared_ptr<UISegmentedControl> UISegmentedControl::initWithItems(std::vector<std::string> titles) {
  auto control = UISegmentedControl::alloc();
  control->initWithFrame(CGRectZero);
  control->titles_ = std::move(titles);
  return control;
}

std::string UISegmentedControl::titleForSegmentAtIndex(int64_t segment) const {
  return segment >= 0 && segment < numberOfSegments() ? titles_[segment] : "";
}

void UISegmentedControl::setSelectedSegmentIndex(int64_t segment) {
  selectedSegmentIndex_ =
      segment >= 0 && segment < numberOfSegments() ? segment : UISegmentedControlNoSegment;
}

}  // namespace platform::uikit
