#include "sim/ViewTreePrinter.h"

#include "platform/runtime/Class.h"
#include "platform/uikit/UILabel.h"
#include "platform/uikit/UIView.h"
#include "sim/StateFormat.h"

namespace lunadoze::sim {
namespace {

using platform::uikit::UIView;

void printView(const UIView& view, int depth, std::string& text) {
  const auto frame = view.frame();
  text.append(2 * static_cast<size_t>(depth), ' ');
  text += view.isa()->name();
  for (double value : {frame.origin.x, frame.origin.y, frame.size.width, frame.size.height}) {
    text += ' ' + formatNumber(value);
  }
  text += view.isHidden() ? " hidden" : " visible";
  text += " alpha " + formatNumber(view.alpha());
  if (const auto* label = dynamic_cast<const platform::uikit::UILabel*>(&view))
    text += ' ' + inQuotes(label->text());
  text += '\n';
  for (const auto& subview : view.subviews()) printView(*subview, depth + 1, text);
}

}  // namespace

std::string printViewTree(const UIView& root) {
  std::string text;
  printView(root, 0, text);
  return text;
}

}  // namespace lunadoze::sim
