#pragma once

#include <map>
#include <string>

namespace platform::uikit {
class UIView;
}

namespace lunadoze::sim {

// How `tree` prints: every view with its frame in the superview's coordinates, or only what is on
// screen (no hidden or transparent view, nor anything inside one) with frames in the screen's
// coordinates, each control tagged with the name `tap` takes and each image view with its image's
// name.
struct ViewTreeOptions {
  bool visibleOnly = false;
  bool json = false;
  // The tags of views, by view: "tap sleep".
  std::map<const platform::uikit::UIView*, std::string> tags;
};

// The view tree under `root` (the root included) as `tree` prints it: one view a line, indented
// two blanks per level, back to front, reading
//   CLASS X Y WIDTH HEIGHT visible|hidden alpha A ["TEXT"] [[TAG]] [[image NAME]]
// with the text of labels; or, as JSON, one object per view with its subviews.
std::string printViewTree(const platform::uikit::UIView& root, const ViewTreeOptions& options = {});

}  // namespace lunadoze::sim
