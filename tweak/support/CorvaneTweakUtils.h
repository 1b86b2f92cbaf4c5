#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform::uikit {
class UIAlertController;
class UIViewController;
}  // namespace platform::uikit

namespace lunadoze {

// Alerts above everything on screen, and small string and number utilities.
class CorvaneTweakUtils {
 public:
  CorvaneTweakUtils() = delete;

  // Called with the title of the button that was tapped.
  using CompletionHandler = std::function<void(const std::string& buttonText)>;

  // An alert with one button that only closes it.
  static void showAlertWithTitle(const std::string& title, const std::string& message,
                                 const std::string& buttonText);
  // An alert with a button per text, in order. A tap closes the alert and then calls the
  // completion handler, when there is one, with that button's text.
  static void showAlertWithTitle(const std::string& title, const std::string& message,
                                 const std::vector<std::string>& buttonsText,
                                 const CompletionHandler& completionHandler);
  // Presents the alert in a new window above every other, on a later turn of the main run loop;
  // returns at once, so it may be called from any thread.
  static void showAlertControllerOverEverything(std::shared_ptr<platform::uikit::UIAlertController> alert);

  // The controller that the key window's root controller presents, through every level of
  // presentation; null without a key window or root controller.
  static std::shared_ptr<platform::uikit::UIViewController> topMostController();

  // Without whitespace and newlines at either end.
  static std::string trimmedString(std::string_view string);
  // YES when the string holds nothing but whitespace and newlines; NO for nil.
  static bool stringIsEmpty(const std::optional<std::string>& string);

  // A random integer from `from` to `to`, both included, in either order.
  static int32_t getRandomNumberBetween(int32_t from, int32_t to);
};

}  // namespace lunadoze
