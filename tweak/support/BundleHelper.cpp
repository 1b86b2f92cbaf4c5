#include "tweak/support/BundleHelper.h"

namespace lunadoze {

using platform::foundation::NSBundle;
using platform::uikit::UIImage;
using platform::uikit::UIImageRenderingMode;

namespace {

constexpr std::string_view kBundlePath = "/Library/Application Support/LunadozeBundle.bundle";

}  // namespace

std::shared_ptr<NSBundle> BundleHelper::getBundle() {
  return NSBundle::initWithPath(kBundlePath);
}

std::shared_ptr<UIImage> BundleHelper::getImageWithName(std::string_view name) {
  // A nil bundle gives a nil path, and a nil path a nil image.
  auto bundle = getBundle();
  std::string path = bundle ? bundle->pathForResource(name, "png") : std::string();
  auto image = UIImage::imageWithContentsOfFile(path);
  return image ? image->imageWithRenderingMode(UIImageRenderingMode::AlwaysTemplate) : nullptr;
}

std::string BundleHelper::getLocalizedStringFor(std::string_view key) {
  // The key is also the fallback value, so a key missing from the table comes back as it is.
  auto bundle = getBundle();
  return bundle ? bundle->localizedStringForKey(key, key, "") : std::string();
}

}  // namespace lunadoze
