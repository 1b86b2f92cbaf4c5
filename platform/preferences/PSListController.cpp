#include "platform/preferences/PSListController.h"

#include <map>

#include "platform/foundation/DeviceFileSystem.h"
#include "platform/foundation/NSBundle.h"
#include "platform/foundation/SystemLog.h"
#include "platform/preferences/PSSpecifier.h"
#include "platform/preferences/PSTableCell.h"
#include "platform/runtime/Runtime.h"
#include "platform/uikit/UINavigationController.h"
#include "platform/uikit/UIScreen.h"

namespace platform::preferences {

using foundation::PropertyList;
using runtime::id;

namespace {

using Factory = std::function<std::shared_ptr<PSListController>()>;

std::map<std::string, Factory, std::less<>>& factories() {
  static std::map<std::string, Factory, std::less<>> table;
  return table;
}

// The list's items, or what keeps them from being read.
foundation::Result<PSListController::Specifiers> parseSpecifierList(const PropertyList& plist) {
  const PropertyList* items = plist["items"];
  if (items == nullptr || !items->array()) return foundation::Error{"it has no \"items\" array"};
  PSListController::Specifiers specifiers;
  for (size_t index = 0; index < items->array()->size(); ++index) {
    auto specifier = PSSpecifier::specifierWithItem((*items->array())[index]);
    if (!specifier) return foundation::Error{"item " + std::to_string(index) + " " + specifier.error()};
    specifiers.push_back(std::move(specifier).value());
  }
  return specifiers;
}

}  // namespace

runtime::Class* PSListController::runtimeClass() {
  return runtime::objc_registerClass(
      "PSListController", &uikit::UIViewController::runtimeClass, [](runtime::Class* cls) {
        registerControllerClass<PSListController>(cls);
        runtime::class_addMethod(cls, uikit::selectors::loadView, [](id self) {
          auto* controller = runtime::downcast<PSListController>(self);
          auto table = uikit::UITableView::create(uikit::UIScreen::mainScreen().bounds());
          auto owner = controller->retained<PSListController>();
          table->setDataSource(owner);
          table->setDelegate(owner);
          controller->table_ = table;
          controller->setView(table);
        });
      });
}

void PSListController::registerFactory(const runtime::Class* cls, Factory make) {
  factories().insert_or_assign(cls->name(), std::move(make));
}

std::shared_ptr<PSListController> PSListController::instantiate(const runtime::Class* cls) {
  if (cls == nullptr) return nullptr;
  auto found = factories().find(cls->name());
  if (found == factories().end()) return nullptr;
  auto controller = found->second();
  controller->init();
  return controller;
}

const PSListController::Specifiers& PSListController::specifiers() {
  static const Specifiers none;
  return specifiers_ ? *specifiers_ : none;
}

void PSListController::reloadSpecifiers() {
  specifiers_.reset();
  specifiers();
  if (auto table = this->table()) table->reloadData();
}

PSListController::Specifiers PSListController::loadSpecifiersFromPlistName(const std::string& name,
                                                                           PSListController* target) {
  std::string path = bundle_ ? bundle_->pathForResource(name, "plist") : "";
  if (path.empty()) {
    specifierLoadError_ = "no specifier list \"" + name + ".plist\"" +
                          (bundle_ ? " in " + bundle_->bundlePath() : std::string(" (no bundle)"));
    foundation::NSLog(specifierLoadError_);
    return {};
  }
  auto host = foundation::DeviceFileSystem::resolve(path);
  auto plist = host ? PropertyList::readFile(*host) : foundation::Error{"outside the device"};
  auto specifiers = plist ? parseSpecifierList(*plist) : foundation::Error{plist.error()};
  if (!specifiers) {
    specifierLoadError_ = "the specifier list " + path + " cannot be read: " + specifiers.error();
    foundation::NSLog(specifierLoadError_);
    return {};
  }
  specifierLoadError_.clear();
  auto owner = target != nullptr ? target->retained<PSListController>() : nullptr;
  for (const auto& specifier : *specifiers) {
    specifier->setTarget(owner);
    localize(*specifier, name);
  }
  return std::move(specifiers).value();
}

std::optional<PropertyList> PSListController::readPreferenceValue(PSSpecifier* specifier) {
  return specifier != nullptr ? specifier->propertyForKey("default") : std::nullopt;
}

void PSListController::setPreferenceValue(const PropertyList&, PSSpecifier*) {}

void PSListController::reloadSpecifier(PSSpecifier& specifier) {
  if (specifier.cell_ != nullptr)
    specifier.cell_->refreshCellContentsWithSpecifier(specifier.retained<PSSpecifier>());
}

std::vector<PSListController::Section> PSListController::sections() {
  std::vector<Section> sections;
  for (const auto& specifier : specifiers()) {
    if (specifier->cellType() == PSGroupCell) {
      sections.push_back({specifier, {}});
      continue;
    }
    if (sections.empty()) sections.push_back({nullptr, {}});
    sections.back().rows.push_back(specifier);
  }
  return sections;
}

std::shared_ptr<PSSpecifier> PSListController::specifierAtIndexPath(uikit::NSIndexPath indexPath) {
  auto all = sections();
  if (indexPath.section < 0 || indexPath.section >= static_cast<int64_t>(all.size())) return nullptr;
  const auto& rows = all[indexPath.section].rows;
  if (indexPath.row < 0 || indexPath.row >= static_cast<int64_t>(rows.size())) return nullptr;
  return rows[indexPath.row];
}

int64_t PSListController::numberOfSectionsInTableView(uikit::UITableView*) {
  return static_cast<int64_t>(sections().size());
}

std::string PSListController::tableViewTitleForHeaderInSection(uikit::UITableView*, int64_t section) {
  auto all = sections();
  if (section < 0 || section >= static_cast<int64_t>(all.size()) || all[section].group == nullptr) return {};
  return all[section].group->name();
}

std::string PSListController::tableViewTitleForFooterInSection(uikit::UITableView*, int64_t section) {
  auto all = sections();
  if (section < 0 || section >= static_cast<int64_t>(all.size()) || all[section].group == nullptr) return {};
  auto footer = all[section].group->propertyForKey("footerText");
  return footer && footer->string() ? *footer->string() : "";
}

int64_t PSListController::tableViewNumberOfRowsInSection(uikit::UITableView*, int64_t section) {
  auto all = sections();
  return section >= 0 && section < static_cast<int64_t>(all.size())
             ? static_cast<int64_t>(all[section].rows.size())
             : 0;
}

std::shared_ptr<uikit::UITableViewCell> PSListController::tableViewCellForRowAtIndexPath(
    uikit::UITableView*, uikit::NSIndexPath indexPath) {
  auto specifier = specifierAtIndexPath(indexPath);
  if (specifier == nullptr) return nullptr;
  if (specifier->cell_ == nullptr) specifier->cell_ = PSTableCell::cellForSpecifier(specifier);
  return specifier->cell_;
}

void PSListController::tableViewWillDisplayCell(uikit::UITableView*, uikit::UITableViewCell* cell,
                                                uikit::NSIndexPath indexPath) {
  auto specifier = specifierAtIndexPath(indexPath);
  auto* row = dynamic_cast<PSTableCell*>(cell);
  if (specifier != nullptr && row != nullptr) row->refreshCellContentsWithSpecifier(specifier);
}

void PSListController::tableViewDidSelectRowAtIndexPath(uikit::UITableView*, uikit::NSIndexPath indexPath) {
  auto link = specifierAtIndexPath(indexPath);
  if (link != nullptr && link->cellType() == PSButtonCell) return performButtonAction(*link);
  if (link == nullptr || link->cellType() != PSLinkCell) return;
  auto detail = link->propertyForKey("detail");
  std::string className = detail && detail->string() ? *detail->string() : "";
  auto controller = instantiate(runtime::NSClassFromString(className));
  if (controller == nullptr) {
    foundation::NSLog("PSListController: no list controller class \"" + className + "\" for " + link->name());
    return;
  }
  controller->setBundle(bundle_);
  controller->setSpecifier(link);
  if (auto navigation = navigationController()) navigation->pushViewController(controller, true);
}

void PSListController::localize(PSSpecifier& specifier, const std::string& table) const {
  // The list's texts are the keys of the strings table named after it; a missing key shows as
  // written in the list.
  auto translate = [&](const PropertyList& text) -> PropertyList {
    return text.string() ? PropertyList(bundle_->localizedStringForKey(*text.string(), *text.string(), table))
                         : text;
  };
  for (const char* key : {"label", "footerText"}) {
    if (auto text = specifier.propertyForKey(key)) specifier.setProperty(translate(*text), key);
  }
  if (auto titles = specifier.propertyForKey("validTitles"); titles && titles->array()) {
    PropertyList::Array translated;
    for (const auto& title : *titles->array()) translated.push_back(translate(title));
    specifier.setProperty(std::move(translated), "validTitles");
  }
}

void PSListController::performButtonAction(PSSpecifier& button) {
  auto action = button.propertyForKey("action");
  std::string selector = action && action->string() ? *action->string() : "";
  auto target = button.target();
  // A list names its actions as text, so a wrong name is logged instead of ending the app.
  if (target == nullptr || selector.empty() || !target->respondsToSelector(selector)) {
    foundation::NSLog("PSListController: nothing answers \"" + selector + "\" for " + button.name());
    return;
  }
  runtime::performSelector(target.get(), selector, &button);
}

}  // namespace platform::preferences
