#include "platform/preferences/HBRootListController.h"

#include "platform/preferences/HBAppearanceSettings.h"
#include "platform/runtime/Runtime.h"
#include "platform/uikit/UINavigationBar.h"
#include "platform/uikit/UINavigationController.h"

namespace platform::preferences {

runtime::Class* HBRootListController::runtimeClass() {
  return runtime::objc_registerClass(
      "HBRootListController", &PSListController::runtimeClass, [](runtime::Class* cls) {
        registerControllerClass<HBRootListController>(cls);
        runtime::class_addMethod(cls, uikit::selectors::viewWillAppear, [](runtime::id self, bool animated) {
          runtime::sendSuper(HBRootListController::runtimeClass(), self, uikit::selectors::viewWillAppear,
                             animated);
          runtime::downcast<HBRootListController>(self)->applyAppearanceSettings();
        });
      });
}

void HBRootListController::hb_setAppearanceSettings(std::shared_ptr<HBAppearanceSettings> settings) {
  appearanceSettings_ = std::move(settings);
  if (isViewLoaded()) applyAppearanceSettings();
}

void HBRootListController::applyAppearanceSettings() {
  const auto& settings = appearanceSettings_;
  if (settings == nullptr) return;
  if (auto table = this->table()) {
    if (settings->tintColor()) table->setTintColor(settings->tintColor());
    if (settings->tableViewCellSeparatorColor())
      table->setSeparatorColor(settings->tableViewCellSeparatorColor());
  }
  auto navigation = navigationController();
  if (navigation == nullptr) return;
  const auto& bar = navigation->navigationBar();
  if (settings->navigationBarBackgroundColor())
    bar->setBarTintColor(settings->navigationBarBackgroundColor());
  if (settings->navigationBarTintColor()) bar->setTintColor(settings->navigationBarTintColor());
  if (settings->navigationBarTitleColor()) bar->setTitleTextColor(settings->navigationBarTitleColor());
}

}  // namespace platform::preferences
