#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/runtime/NSObject.h"
#include "platform/uikit/CGGeometry.h"

namespace platform::uikit {

// Automatic draws as the image's context decides; AlwaysTemplate draws only the alpha channel,
// in the tint colour of the view that shows it.
enum class UIImageRenderingMode { Automatic = 0, AlwaysOriginal = 1, AlwaysTemplate = 2 };

// An image decoded from a PNG file. Immutable: a variant in another rendering mode is a new image.
class UIImage : public runtime::NSObject {
  RUNTIME_CLASS_WITH_CONSTRUCTORS(UIImage)

 public:
  using Pixels = std::vector<uint8_t>;

 protected:
  UIImage(CGSize size, UIImageRenderingMode renderingMode, std::shared_ptr<const Pixels> pixels = nullptr,
          std::string name = {})
      : size_(size), renderingMode_(renderingMode), pixels_(std::move(pixels)), name_(std::move(name)) {}

 public:
  // Reads and decodes the PNG at the device path, at a scale of 1; nil when the file is missing
  // or is no valid PNG. Nothing is cached: every call reads the file.
  static std::shared_ptr<UIImage> imageWithContentsOfFile(std::string_view path);

  // The name it was loaded by, the file's base name ("moonIcon" for ".../moonIcon.png"), as the
  // image's description shows it; empty for an image made from pixels. Variants keep it.
  const std::string& name() const { return name_; }

  // In points.
  CGSize size() const { return size_; }
  CGFloat scale() const { return 1; }
  UIImageRenderingMode renderingMode() const { return renderingMode_; }
  std::shared_ptr<UIImage> imageWithRenderingMode(UIImageRenderingMode mode) const;

  // The decoded pixels, row by row, 4 bytes each (red, green, blue, alpha, not premultiplied);
  // empty for an image made without any. Variants share them.
  const Pixels& pixels() const;

 private:
  CGSize size_;
  UIImageRenderingMode renderingMode_;
  std::shared_ptr<const Pixels> pixels_;
  std::string name_;
};

}  // namespace platform::uikit
