#pragma once

#include <string>

namespace platform::uikit {
class UIView;
}

namespace lunadoze::sim {

// The view tree under `root` (the root included) as `tree` prints it: one view a line, indented
// two blanks per level, back to front, reading
//   CLASS X Y WIDTH HEIGHT visible|hidden alpha A ["TEXT"]
// with the frame in the superview's coordinates and the text of labels.
std::string printViewTree(const platform::uikit::UIView& root);

}  // namespace lunadoze::sim
