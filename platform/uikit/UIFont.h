#pragma once

#include <memory>

#include "platform/runtime/NSObject.h"
#include "platform/uikit/CGGeometry.h"

namespace platform::uikit {

// UIFontWeight: the system's weights, from -1 (ultra light) to 1 (black).
using UIFontWeight = CGFloat;
inline constexpr UIFontWeight UIFontWeightLight = -0.4;
inline constexpr UIFontWeight UIFontWeightRegular = 0;
inline constexpr UIFontWeight UIFontWeightMedium = 0.23;
inline constexpr UIFontWeight UIFontWeightSemibold = 0.3;
inline constexpr UIFontWeight UIFontWeightBold = 0.4;

// The system font at a size and weight. There are no glyphs here: text is measured with the
// font's average metrics (see lineHeight and averageAdvance).
class UIFont : public runtime::NSObject {
  RUNTIME_CLASS_WITH_CONSTRUCTORS(UIFont)
  UIFont(CGFloat pointSize, UIFontWeight weight);

 public:
  static std::shared_ptr<UIFont> systemFontOfSize(CGFloat pointSize);
  static std::shared_ptr<UIFont> systemFontOfSize(CGFloat pointSize, UIFontWeight weight);
  static std::shared_ptr<UIFont> boldSystemFontOfSize(CGFloat pointSize);

  CGFloat pointSize() const { return pointSize_; }
  UIFontWeight weight() const { return weight_; }
  // The system font's line height is about 1.2 times its size.
  CGFloat lineHeight() const;
  // The width of an average character: half the size.
  CGFloat averageAdvance() const;

  bool isEqual(const UIFont& other) const;

 private:
  CGFloat pointSize_;
  UIFontWeight weight_;
};

}  // namespace platform::uikit
