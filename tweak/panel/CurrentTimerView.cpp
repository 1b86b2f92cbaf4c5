#include "tweak/panel/CurrentTimerView.h"

#include <algorithm>

#include "platform/foundation/NSString.h"
#include "platform/runtime/Runtime.h"
#include "platform/uikit/UINib.h"
#include "tweak/core/Settings.h"
#include "tweak/support/BundleHelper.h"
#include "tweak/support/LocalizationHelper.h"

namespace lunadoze {

using platform::uikit::UIControlStateNormal;

platform::runtime::Class* CurrentTimerView::runtimeClass() {
  return platform::runtime::objc_registerClass("CurrentTimerView", &UIView::runtimeClass);
}

std::shared_ptr<CurrentTimerView> CurrentTimerView::create() {
  platform::uikit::UINib::registerClass<CurrentTimerView>();
  auto bundle = BundleHelper::getBundle();
  if (bundle == nullptr) return nullptr;
  // The file's top-level view takes the place of the receiver, which only owns the loading.
  auto receiver = CurrentTimerView::alloc();
  auto objects = platform::uikit::UINib::loadNibNamed(*bundle, receiver->isa()->name(), receiver.get());
  auto view = objects.empty() ? nullptr : std::dynamic_pointer_cast<CurrentTimerView>(objects.front());
  if (view == nullptr) return nullptr;
  if (auto button = view->backButton())
    button->setTitle(BundleHelper::getLocalizedStringFor("BACK"), UIControlStateNormal);
  if (auto button = view->cancelTimerButton()) {
    button->setTitle(BundleHelper::getLocalizedStringFor("CANCEL"), UIControlStateNormal);
  }
  return view;
}

void CurrentTimerView::setupViewWithMode(SnoozeMode mode) {
  auto timer = timerLabel();
  const std::string value = timer != nullptr ? timer->text() : std::string();
  const char* unit = nullptr;
  std::string extendTitle;
  switch (mode) {
    case SnoozeModeSongs:
      unit = platform::foundation::integerValue(value) == 1 ? "SONG" : "SONGS";
      extendTitle = BundleHelper::getLocalizedStringFor("EXTEND_ONE_SONG");
      break;
    case SnoozeModeTime: {
      // From one hour on the remaining time reads h:mm:ss.
      const bool hasHours = std::ranges::count(value, ':') >= 2;
      unit = hasHours ? "HOURS" : "MINUTES";
      extendTitle = LocalizationHelper::stringWithFormat(
          BundleHelper::getLocalizedStringFor("EXTEND_MINUTES"),
          LocalizationHelper::getLocalizedNumberStringFrom(extendMinutes));
      break;
    }
    default:
      return;
  }
  if (auto button = extendButton()) button->setTitle(extendTitle, UIControlStateNormal);
  if (auto title = titleLabel())
    title->setText(BundleHelper::getLocalizedStringFor("YOUR_MUSIC_WILL_STOP_IN"));
  if (auto subtitle = subtitleLabel()) subtitle->setText(BundleHelper::getLocalizedStringFor(unit));
}

void CurrentTimerView::hideBottomButtons(bool hide) {
  if (auto button = backButton()) button->setHidden(hide);
  if (auto button = cancelTimerButton()) button->setHidden(hide);
  if (auto button = extendButton()) button->setHidden(hide);
  if (auto constraint = bottomButtonHeightConstraint()) constraint->setConstant(hide ? 0 : kBottomBarHeight);
}

bool CurrentTimerView::setValueForOutlet(std::string_view name,
                                         const std::shared_ptr<platform::runtime::NSObject>& object) {
  if (name == "timerLabel") return connectOutlet(timerLabel_, object);
  if (name == "backButton") return connectOutlet(backButton_, object);
  if (name == "cancelTimerButton") return connectOutlet(cancelTimerButton_, object);
  if (name == "extendButton") return connectOutlet(extendButton_, object);
  if (name == "titleLabel") return connectOutlet(titleLabel_, object);
  if (name == "subtitleLabel") return connectOutlet(subtitleLabel_, object);
  if (name == "bottomButtonHeightConstraint") return connectOutlet(bottomButtonHeightConstraint_, object);
  return UIView::setValueForOutlet(name, object);
}

}  // namespace lunadoze
