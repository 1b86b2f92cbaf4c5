#include "platform/uikit/UIImage.h"

#include <png.h>

#include <filesystem>

#include "platform/foundation/DeviceFileSystem.h"
#include "platform/runtime/Runtime.h"

namespace platform::uikit {

runtime::Class* UIImage::runtimeClass() {
  return runtime::objc_registerClass("UIImage", &runtime::NSObject::runtimeClass);
}

std::shared_ptr<UIImage> UIImage::imageWithContentsOfFile(std::string_view path) {
  auto host = foundation::DeviceFileSystem::resolve(path);
  if (!host) return nullptr;
  png_image png{};
  png.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&png, host->c_str())) return nullptr;
  // A header may claim any size; an icon file has no business asking for more than this.
  constexpr png_uint_32 kMaxSide = 4096;
  if (png.width > kMaxSide || png.height > kMaxSide) {
    png_image_free(&png);
    return nullptr;
  }
  // Decoding the whole image checks every chunk and the compressed data, not just the header.
  png.format = PNG_FORMAT_RGBA;
  auto pixels = std::make_shared<Pixels>(PNG_IMAGE_SIZE(png));
  bool decoded = png_image_finish_read(&png, nullptr, pixels->data(), 0, nullptr) != 0;
  png_image_free(&png);
  if (!decoded) return nullptr;
  return UIImage::alloc(CGSizeMake(png.width, png.height), UIImageRenderingMode::Automatic, std::move(pixels),
                        std::filesystem::path(path).stem().string());
}

std::shared_ptr<UIImage> UIImage::imageWithRenderingMode(UIImageRenderingMode mode) const {
  return UIImage::alloc(size_, mode, pixels_, name_);
}

const UIImage::Pixels& UIImage::pixels() const {
  static const Pixels kNone;
  return pixels_ ? *pixels_ : kNone;
}

}  // namespace platform::uikit
