#include "platform/springboard/simulation/HostLayoutPass.h"

#include "platform/uikit/UIView.h"

namespace platform::springboard {

void HostLayoutPass::run(uikit::UIView& root, std::initializer_list<uikit::UIView*> hostViews) {
  for (uikit::UIView* view : hostViews) view->setNeedsLayout();
  root.layoutIfNeeded();
}

}  // namespace platform::springboard
