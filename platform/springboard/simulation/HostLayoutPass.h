#pragma once

#include <initializer_list>

namespace platform::uikit {
class UIView;
}

namespace platform::springboard {

// The layout pass that SpringBoard runs over a view tree it shows. The host's own views are laid
// out on every pass, so that each places its parts afresh; any other view of the tree is laid out
// when it needs it, as UIKit does. A container goes before the views inside it; hidden views and
// views added during the pass are laid out too.
class HostLayoutPass {
 public:
  static void run(uikit::UIView& root, std::initializer_list<uikit::UIView*> hostViews);
};

}  // namespace platform::springboard
