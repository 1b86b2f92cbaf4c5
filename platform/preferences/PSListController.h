#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <type_traits>
#include <vector>

#include "platform/foundation/PropertyList.h"
#include "platform/uikit/UITableView.h"
#include "platform/uikit/UIViewController.h"

namespace platform::foundation {
class NSBundle;
}

namespace platform::preferences {

class PSSpecifier;

// A page of the Settings app: a table whose rows come from a specifier list of a bundle. Each
// group item starts a section (items before the first group form section 0); every other item is
// a row. A row's value is read through readPreferenceValue: each time the table displays the row,
// and written through setPreferenceValue:specifier: when a person changes its control.
//
// Where a selector's first keyword names several messages, the C++ member carries the keyword that
// tells them apart (tableView:cellForRowAtIndexPath: is tableViewCellForRowAtIndexPath).
class PSListController : public uikit::UIViewController,
                         public uikit::UITableViewDataSource,
                         public uikit::UITableViewDelegate {
  RUNTIME_CLASS(PSListController)

 public:
  using Specifiers = std::vector<std::shared_ptr<PSSpecifier>>;

  // [[cls alloc] init] for a class known by its name only, as the Settings app makes a bundle's
  // principal class and a link's detail controller. Null when the class is no list controller
  // that registered itself through registerControllerClass.
  static std::shared_ptr<PSListController> instantiate(const runtime::Class* cls);
  // Lets instantiate make T; a subclass calls it when it registers its runtime class.
  template <typename T>
  static void registerControllerClass(const runtime::Class* cls) {
    static_assert(std::is_same_v<decltype(T::alloc()), std::shared_ptr<T>>, "T declares RUNTIME_CLASS");
    registerFactory(cls, [] { return std::static_pointer_cast<PSListController>(T::alloc()); });
  }

  // Runs once, right after the controller is made; an override runs the base's first.
  virtual void init() {}

  // The bundle whose specifier lists the controller reads.
  const std::shared_ptr<foundation::NSBundle>& bundle() const { return bundle_; }
  void setBundle(std::shared_ptr<foundation::NSBundle> bundle) { bundle_ = std::move(bundle); }

  // The table, which is the controller's view; null until the view loads.
  std::shared_ptr<uikit::UITableView> table() const { return table_.lock(); }

  // The page's rows: the stored list, empty while none is stored. Subclasses load theirs here.
  virtual const Specifiers& specifiers();
  // Forgets the stored list, asks specifiers for it again and reloads the table.
  virtual void reloadSpecifiers();
  // The link row that opened the page.
  const std::shared_ptr<PSSpecifier>& specifier() const { return specifier_; }
  virtual void setSpecifier(std::shared_ptr<PSSpecifier> specifier) { specifier_ = std::move(specifier); }

  // The specifiers of the bundle's "<name>.plist", their target set and their texts (label,
  // footer, segment titles) localized through the bundle's strings table "<name>". A list that
  // is missing or malformed gives none, and specifierLoadError says why; a good one clears it.
  Specifiers loadSpecifiersFromPlistName(const std::string& name, PSListController* target);
  const std::string& specifierLoadError() const { return specifierLoadError_; }

  // The value a row shows: here, its "default" property.
  virtual std::optional<foundation::PropertyList> readPreferenceValue(PSSpecifier* specifier);
  // A person changed a row's value. The list keeps no values of its own: subclasses store them.
  virtual void setPreferenceValue(const foundation::PropertyList& value, PSSpecifier* specifier);

  // reloadSpecifier:: the row's cell, when it has one, shows the value read for it anew.
  void reloadSpecifier(PSSpecifier& specifier);

  // The specifier of the row, or null when there is no such row.
  std::shared_ptr<PSSpecifier> specifierAtIndexPath(uikit::NSIndexPath indexPath);

  int64_t numberOfSectionsInTableView(uikit::UITableView* tableView) override;
  int64_t tableViewNumberOfRowsInSection(uikit::UITableView* tableView, int64_t section) override;
  // A section's header is its group's label, its footer the group's "footerText".
  std::string tableViewTitleForHeaderInSection(uikit::UITableView* tableView, int64_t section) override;
  std::string tableViewTitleForFooterInSection(uikit::UITableView* tableView, int64_t section) override;
  // The row's cell, for rows off screen as well: made on the first request and kept with the
  // row's specifier. Null when there is no such row.
  std::shared_ptr<uikit::UITableViewCell> tableViewCellForRowAtIndexPath(
      uikit::UITableView* tableView, uikit::NSIndexPath indexPath) override;
  // The displayed row shows the value it reads.
  void tableViewWillDisplayCell(uikit::UITableView* tableView, uikit::UITableViewCell* cell,
                                uikit::NSIndexPath indexPath) override;
  // A tap on a link row pushes the page it names: a new controller of its "detail" class. A tap on
  // a button row sends its "action" to its target, with the row's specifier.
  void tableViewDidSelectRowAtIndexPath(uikit::UITableView* tableView, uikit::NSIndexPath indexPath) override;

 protected:
  // The stored list (the framework's _specifiers); unset until a list is stored.
  std::optional<Specifiers> specifiers_;

 private:
  struct Section {
    std::shared_ptr<PSSpecifier> group;
    Specifiers rows;
  };

  static void registerFactory(const runtime::Class* cls,
                              std::function<std::shared_ptr<PSListController>()> make);
  std::vector<Section> sections();
  void performButtonAction(PSSpecifier& button);
  void localize(PSSpecifier& specifier, const std::string& table) const;

  std::shared_ptr<foundation::NSBundle> bundle_;
  std::weak_ptr<uikit::UITableView> table_;
  std::shared_ptr<PSSpecifier> specifier_;
  std::string specifierLoadError_;
};

}  // namespace platform::preferences
