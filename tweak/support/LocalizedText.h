#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

#include "platform/foundation/NSLocale.h"

namespace lunadoze {

// One text of the tweak's bundle in the user's language, looked up again only when the device
// root (and so the bundle) or the locale that picks its localization is another one: layout
// passes show it every time, and a bundle keeps the tables it has read.
class LocalizedText {
 public:
  explicit LocalizedText(std::string_view key) : key_(key) {}

  // As BundleHelper::getLocalizedStringFor(key).
  const std::string& text();

 private:
  std::string_view key_;
  std::filesystem::path root_;
  // Whether text_ came from a bundle: without one, the next call looks again.
  bool inBundle_ = false;
  std::shared_ptr<platform::foundation::NSLocale> locale_;
  std::string text_;
};

}  // namespace lunadoze
