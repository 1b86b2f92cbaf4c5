#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "platform/foundation/NSBundle.h"
#include "platform/uikit/UIImage.h"

namespace lunadoze {

// The tweak's resource bundle: its template images and its localized texts.
class BundleHelper {
 public:
  BundleHelper() = delete;

  // Opened from its fixed path on every call; nil when nothing is installed there.
  static std::shared_ptr<platform::foundation::NSBundle> getBundle();
  // The "<name>.png" of the bundle as a template image, so that it takes the tint of the view
  // that shows it; nil when there is no such file (or no bundle).
  static std::shared_ptr<platform::uikit::UIImage> getImageWithName(std::string_view name);
  // The text of `key` in the user's language, or the key itself when the table lacks it.
  // Without a bundle: "" (nil), so titles and labels stay empty.
  static std::string getLocalizedStringFor(std::string_view key);
};

}  // namespace lunadoze
