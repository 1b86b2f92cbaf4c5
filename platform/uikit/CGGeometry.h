#pragma once

#include <algorithm>

// CoreGraphics geometry: points, sizes and rectangles in points, with the helpers UIKit code uses.
namespace platform::uikit {

using CGFloat = double;

struct CGPoint {
  CGFloat x = 0;
  CGFloat y = 0;
  bool operator==(const CGPoint&) const = default;
};

struct CGSize {
  CGFloat width = 0;
  CGFloat height = 0;
  bool operator==(const CGSize&) const = default;
};

struct CGRect {
  CGPoint origin;
  CGSize size;
  bool operator==(const CGRect&) const = default;
};

inline constexpr CGPoint CGPointZero{};
inline constexpr CGSize CGSizeZero{};
inline constexpr CGRect CGRectZero{};

constexpr CGPoint CGPointMake(CGFloat x, CGFloat y) {
  return {x, y};
}
constexpr CGSize CGSizeMake(CGFloat width, CGFloat height) {
  return {width, height};
}
constexpr CGRect CGRectMake(CGFloat x, CGFloat y, CGFloat width, CGFloat height) {
  return {{x, y}, {width, height}};
}

// The edges of a rectangle whose size may be negative, as CoreGraphics reads it.
constexpr CGFloat CGRectGetMinX(CGRect rect) {
  return std::min(rect.origin.x, rect.origin.x + rect.size.width);
}
constexpr CGFloat CGRectGetMaxX(CGRect rect) {
  return std::max(rect.origin.x, rect.origin.x + rect.size.width);
}
constexpr CGFloat CGRectGetMinY(CGRect rect) {
  return std::min(rect.origin.y, rect.origin.y + rect.size.height);
}
constexpr CGFloat CGRectGetMaxY(CGRect rect) {
  return std::max(rect.origin.y, rect.origin.y + rect.size.height);
}
constexpr CGFloat CGRectGetMidX(CGRect rect) {
  return rect.origin.x + rect.size.width / 2;
}
constexpr CGFloat CGRectGetMidY(CGRect rect) {
  return rect.origin.y + rect.size.height / 2;
}
constexpr CGFloat CGRectGetWidth(CGRect rect) {
  return CGRectGetMaxX(rect) - CGRectGetMinX(rect);
}
constexpr CGFloat CGRectGetHeight(CGRect rect) {
  return CGRectGetMaxY(rect) - CGRectGetMinY(rect);
}

constexpr bool CGPointEqualToPoint(CGPoint a, CGPoint b) {
  return a == b;
}
constexpr bool CGSizeEqualToSize(CGSize a, CGSize b) {
  return a == b;
}
constexpr bool CGRectEqualToRect(CGRect a, CGRect b) {
  return a == b;
}
constexpr bool CGRectIsEmpty(CGRect rect) {
  return rect.size.width == 0 || rect.size.height == 0;
}

// Minimum edges are inside, maximum edges outside, so rectangles that share an edge never both
// contain a point of it.
constexpr bool CGRectContainsPoint(CGRect rect, CGPoint point) {
  return point.x >= CGRectGetMinX(rect) && point.x < CGRectGetMaxX(rect) && point.y >= CGRectGetMinY(rect) &&
         point.y < CGRectGetMaxY(rect);
}

constexpr CGRect CGRectOffset(CGRect rect, CGFloat dx, CGFloat dy) {
  return {{rect.origin.x + dx, rect.origin.y + dy}, rect.size};
}
// Positive insets shrink the rectangle, negative ones grow it.
constexpr CGRect CGRectInset(CGRect rect, CGFloat dx, CGFloat dy) {
  return {{rect.origin.x + dx, rect.origin.y + dy}, {rect.size.width - 2 * dx, rect.size.height - 2 * dy}};
}

}  // namespace platform::uikit
