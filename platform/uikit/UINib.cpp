#include "platform/uikit/UINib.h"

#include <map>

#include "platform/foundation/DeviceFileSystem.h"
#include "platform/foundation/NSBundle.h"
#include "platform/foundation/SystemLog.h"
#include "platform/runtime/Runtime.h"
#include "platform/uikit/UIButton.h"
#include "platform/uikit/UIControl.h"
#include "platform/uikit/UIDatePicker.h"
#include "platform/uikit/UIImageView.h"
#include "platform/uikit/UILabel.h"
#include "platform/uikit/UINibDecoder.h"
#include "platform/uikit/UIPickerView.h"
#include "platform/uikit/UIStackView.h"
#include "platform/uikit/UIView.h"

namespace platform::uikit {
namespace {

using Factories = std::map<std::string, UINib::Factory, std::less<>>;

Factories& factories() {
  static Factories table;
  return table;
}

// UIKit's own classes are known from the start, as they are on the device.
void registerUIKitClasses() {
  static const bool registered = [] {
    UINib::registerClass<UIView>();
    UINib::registerClass<UIControl>();
    UINib::registerClass<UIButton>();
    UINib::registerClass<UILabel>();
    UINib::registerClass<UIImageView>();
    UINib::registerClass<UIStackView>();
    UINib::registerClass<UIDatePicker>();
    UINib::registerClass<UIPickerView>();
    return true;
  }();
  (void)registered;
}

}  // namespace

runtime::Class* UINib::runtimeClass() {
  return runtime::objc_registerClass("UINib", &runtime::NSObject::runtimeClass);
}

void UINib::registerClass(std::string name, Factory factory) {
  factories().insert_or_assign(std::move(name), factory);
}

UINib::Factory UINib::factoryForClass(std::string_view name) {
  registerUIKitClasses();
  auto found = factories().find(name);
  return found == factories().end() ? nullptr : found->second;
}

UINib::UINib(foundation::PropertyList contents, std::string name)
    : contents_(std::move(contents)), name_(std::move(name)) {}

std::shared_ptr<UINib> UINib::nibWithNibName(std::string_view name, const foundation::NSBundle& bundle) {
  std::string devicePath = bundle.pathForResource(name, "nib");
  if (devicePath.empty()) return nullptr;
  auto path = foundation::DeviceFileSystem::resolve(devicePath);
  if (!path) return nullptr;
  auto contents = foundation::PropertyList::readFile(*path);
  if (!contents) {
    foundation::NSLog("UINib: " + contents.error());
    return nullptr;
  }
  return UINib::alloc(std::move(contents).value(), std::string(name) + ".nib");
}

foundation::Result<UINib::Objects> UINib::instantiateWithOwner(runtime::id owner) const {
  const foundation::PropertyList::Dictionary* root = contents_.dictionary();
  if (root == nullptr) return foundation::Error{name_ + ": is not a dictionary"};
  UINibDecoder decoder(*root, name_);
  Objects objects = decoder.instantiate(owner);
  if (decoder.error()) return foundation::Error{*decoder.error()};
  return objects;
}

UINib::Objects UINib::loadNibNamed(const foundation::NSBundle& bundle, std::string_view name,
                                   runtime::id owner) {
  auto nib = nibWithNibName(name, bundle);
  if (nib == nullptr) return {};
  auto objects = nib->instantiateWithOwner(owner);
  if (!objects) {
    foundation::NSLog("UINib: " + objects.error());
    return {};
  }
  return std::move(objects).value();
}

}  // namespace platform::uikit
