#include "tweak/support/LocalizedText.h"

#include "platform/foundation/DeviceFileSystem.h"
#include "tweak/support/BundleHelper.h"

namespace lunadoze {

using platform::foundation::DeviceFileSystem;

const std::string& LocalizedText::text() {
  // A bundle, once opened under a device root, is the one that root gives back from then on.
  const std::filesystem::path& root = DeviceFileSystem::root();
  auto locale = platform::foundation::NSLocale::currentLocale();
  if (inBundle_ && root.native() == root_.native() && locale == locale_) return text_;
  // Without a bundle there is nothing to keep: one may be installed by the next call.
  inBundle_ = BundleHelper::getBundle() != nullptr;
  text_ = BundleHelper::getLocalizedStringFor(key_);
  root_ = root;
  locale_ = std::move(locale);
  return text_;
}

}  // namespace lunadoze
