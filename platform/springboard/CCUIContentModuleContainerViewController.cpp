#include "platform/springboard/CCUIContentModuleContainerViewController.h"

#include "platform/runtime/Runtime.h"
#include "platform/springboard/SpringBoardSelectors.h"

namespace platform::springboard {

runtime::Class* CCUIContentModuleContainerViewController::runtimeClass() {
  return runtime::objc_registerClass(
      "CCUIContentModuleContainerViewController", &UIViewController::runtimeClass, [](runtime::Class* cls) {
        runtime::class_addMethod(cls, selectors::setExpanded, [](runtime::id self, bool expanded) {
          runtime::downcast<CCUIContentModuleContainerViewController>(self)->expanded_ = expanded;
        });
      });
}

std::shared_ptr<CCUIContentModuleContainerViewController> CCUIContentModuleContainerViewController::create(
    std::string moduleIdentifier) {
  auto controller = CCUIContentModuleContainerViewController::alloc();
  controller->moduleIdentifier_ = std::move(moduleIdentifier);
  return controller;
}

void CCUIContentModuleContainerViewController::setExpanded(bool expanded) {
  runtime::send(this, selectors::setExpanded, expanded);
}

}  // namespace platform::springboard
