#include "tweak/support/CorvaneTweakUtils.h"

#include <cstdlib>
#include <utility>

#include "platform/foundation/Dispatch.h"
#include "platform/foundation/NSCharacterSet.h"
#include "platform/uikit/UIAlertAction.h"
#include "platform/uikit/UIAlertController.h"
#include "platform/uikit/UIApplication.h"
#include "platform/uikit/UIColor.h"
#include "platform/uikit/UIScreen.h"
#include "platform/uikit/UIView.h"
#include "platform/uikit/UIViewController.h"
#include "platform/uikit/UIWindow.h"

namespace lunadoze {

using namespace platform::uikit;

void CorvaneTweakUtils::showAlertWithTitle(const std::string& title, const std::string& message,
                                           const std::string& buttonText) {
  auto alert = UIAlertController::alertControllerWithTitle(title, message, UIAlertControllerStyleAlert);
  alert->addAction(UIAlertAction::actionWithTitle(buttonText, UIAlertActionStyleDefault, nullptr));
  showAlertControllerOverEverything(alert);
}

void CorvaneTweakUtils::showAlertWithTitle(const std::string& title, const std::string& message,
                                           const std::vector<std::string>& buttonsText,
                                           const CompletionHandler& completionHandler) {
  auto alert = UIAlertController::alertControllerWithTitle(title, message, UIAlertControllerStyleAlert);
  for (const std::string& buttonText : buttonsText) {
    alert->addAction(UIAlertAction::actionWithTitle(buttonText, UIAlertActionStyleDefault,
                                                    [completionHandler](UIAlertAction* action) {
                                                      if (completionHandler)
                                                        completionHandler(action->title());
                                                    }));
  }
  showAlertControllerOverEverything(alert);
}

void CorvaneTweakUtils::showAlertControllerOverEverything(std::shared_ptr<UIAlertController> alert) {
  platform::foundation::dispatch_async_main([alert = std::move(alert)] {
    auto rootController = UIViewController::create();
    rootController->view()->setBackgroundColor(UIColor::clearColor());
    auto window = UIWindow::create(UIScreen::mainScreen().bounds());
    window->setRootViewController(rootController);
    window->setBackgroundColor(UIColor::clearColor());
    // Above the system's own alerts.
    window->setWindowLevel(UIWindowLevelAlert + 1.0);
    // A visible window is the application's to keep; nothing here holds it.
    window->makeKeyAndVisible();
    rootController->presentViewController(alert, true, nullptr);
  });
}

std::shared_ptr<UIViewController> CorvaneTweakUtils::topMostController() {
  auto keyWindow = UIApplication::sharedApplication().keyWindow();
  auto controller = keyWindow ? keyWindow->rootViewController() : nullptr;
  while (controller && controller->presentedViewController())
    controller = controller->presentedViewController();
  return controller;
}

std::string CorvaneTweakUtils::trimmedString(std::string_view string) {
  return platform::foundation::stringByTrimmingCharactersInSet(
      string, *platform::foundation::NSCharacterSet::whitespaceAndNewlineCharacterSet());
}

bool CorvaneTweakUtils::stringIsEmpty(const std::optional<std::string>& string) {
  // A message to nil answers NO.
  return string && trimmedString(*string).empty();
}

int32_t CorvaneTweakUtils::getRandomNumberBetween(int32_t from, int32_t to) {
  if (to < from) std::swap(from, to);
  const uint32_t draw = arc4random();
  // Unsigned arithmetic wraps as intended; a range of all 2^32 values has size 0 and takes the
  // draw as it is.
  const uint32_t size = static_cast<uint32_t>(to) - static_cast<uint32_t>(from) + 1u;
  if (size == 0) return static_cast<int32_t>(draw);
  return static_cast<int32_t>(static_cast<uint32_t>(from) + draw % size);
}

}  // namespace lunadoze
