#include "sim/ViewTreePrinter.h"

#include <nlohmann/json.hpp>

#include "platform/runtime/Class.h"
#include "platform/uikit/UIImage.h"
#include "platform/uikit/UIImageView.h"
#include "platform/uikit/UILabel.h"
#include "platform/uikit/UIView.h"
#include "sim/StateFormat.h"

namespace lunadoze::sim {
namespace {

using platform::uikit::CGRect;
using platform::uikit::UIView;

bool isShown(const UIView& view) {
  return !view.isHidden() && view.alpha() > 0;
}

// The frame in the coordinates of the top of its hierarchy, the screen: each superview's origin
// added, less what it is scrolled by.
CGRect screenFrame(const UIView& view) {
  CGRect frame = view.frame();
  for (auto superview = view.superview(); superview != nullptr; superview = superview->superview()) {
    frame.origin.x += superview->frame().origin.x - superview->bounds().origin.x;
    frame.origin.y += superview->frame().origin.y - superview->bounds().origin.y;
  }
  return frame;
}

CGRect frameOf(const UIView& view, const ViewTreeOptions& options) {
  return options.visibleOnly ? screenFrame(view) : view.frame();
}

std::string tagOf(const UIView& view, const ViewTreeOptions& options) {
  auto tag = options.tags.find(&view);
  return tag == options.tags.end() ? "" : tag->second;
}

// The name of the image an image view shows, for what is on screen only: "" otherwise.
std::string imageNameOf(const UIView& view, const ViewTreeOptions& options) {
  if (!options.visibleOnly) return "";
  const auto* imageView = dynamic_cast<const platform::uikit::UIImageView*>(&view);
  if (imageView == nullptr || imageView->image() == nullptr) return "";
  return imageView->image()->name();
}

void printView(const UIView& view, int depth, const ViewTreeOptions& options, std::string& text) {
  if (options.visibleOnly && !isShown(view)) return;
  const auto frame = frameOf(view, options);
  text.append(2 * static_cast<size_t>(depth), ' ');
  text += view.isa()->name();
  for (double value : {frame.origin.x, frame.origin.y, frame.size.width, frame.size.height}) {
    text += ' ' + formatNumber(value);
  }
  text += view.isHidden() ? " hidden" : " visible";
  text += " alpha " + formatNumber(view.alpha());
  if (const auto* label = dynamic_cast<const platform::uikit::UILabel*>(&view))
    text += ' ' + inQuotes(label->text());
  if (auto tag = tagOf(view, options); !tag.empty()) text += " [" + tag + "]";
  if (auto image = imageNameOf(view, options); !image.empty()) text += " [image " + image + "]";
  text += '\n';
  for (const auto& subview : view.subviews()) printView(*subview, depth + 1, options, text);
}

nlohmann::ordered_json viewJson(const UIView& view, const ViewTreeOptions& options) {
  const auto frame = frameOf(view, options);
  nlohmann::ordered_json object{
      {"class", view.isa()->name()},
      {"frame", {frame.origin.x, frame.origin.y, frame.size.width, frame.size.height}},
      {"hidden", view.isHidden()},
      {"alpha", view.alpha()},
  };
  if (const auto* label = dynamic_cast<const platform::uikit::UILabel*>(&view))
    object["text"] = label->text();
  if (auto tag = tagOf(view, options); !tag.empty()) object["tag"] = tag;
  if (auto image = imageNameOf(view, options); !image.empty()) object["image"] = image;
  nlohmann::ordered_json subviews = nlohmann::ordered_json::array();
  for (const auto& subview : view.subviews()) {
    if (!options.visibleOnly || isShown(*subview)) subviews.push_back(viewJson(*subview, options));
  }
  object["subviews"] = std::move(subviews);
  return object;
}

}  // namespace

std::string printViewTree(const UIView& root, const ViewTreeOptions& options) {
  if (options.json) {
    if (options.visibleOnly && !isShown(root)) return "null\n";
    return viewJson(root, options).dump() + '\n';
  }
  std::string text;
  printView(root, 0, options, text);
  return text;
}

}  // namespace lunadoze::sim
