#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "platform/foundation/PropertyList.h"
#include "platform/foundation/Result.h"
#include "platform/runtime/NSObject.h"

// Interface files. An interface file "NAME.nib" of a bundle (at its top, or in its preferred
// localization's folder) is a property list (XML or binary)
// describing a tree of objects, the way a compiled nib does on the device:
//
//   {
//     owner   = { class = LunadozeImageButton;                 (optional: the owner must be one)
//                 outlets = { contentView = content; ... }; };  (outlet name = id of an object)
//     objects = ( OBJECT, ... );                                (the top-level objects, in order)
//   }
//
// OBJECT is a dictionary:
//   class        the class's runtime name (required); the class must be registered here
//   id           the name that outlets, actions and constraints use for it ("owner" is the owner)
//   frame        (x, y, width, height)
//   subviews     ( OBJECT, ... ), back to front
//   constraints  ( CONSTRAINT, ... ), owned by this view
//   outlets      { name = id; ... }: this object's outlets
//   actions      ( { selector = "toggleStateButtonClicked:"; target = owner; events = 64; }, ... ):
//                target-action pairs of this control (events are UIControlEvents)
//   and the properties its class reads, absent ones keeping the class's defaults:
//     UIView       alpha, hidden, clipsToBounds, userInteractionEnabled, autoresizingMask,
//                  contentMode, semanticContentAttribute, backgroundColor, tintColor
//     UIControl    enabled, selected, highlighted
//     UIButton     buttonType, title, titleColor (both for the normal state), font
//     UILabel      text, font, textColor, textAlignment, numberOfLines
//     UIStackView  axis, distribution, alignment, spacing (its subviews are its arranged views)
//     UIDatePicker datePickerMode, minuteInterval, countDownDuration
//   Colours are (red, green, blue, alpha) from 0 to 1, or "white", "black", "clear"; fonts a size
//   (the system font) or { size = 17; weight = 0.3; }.
//
// CONSTRAINT is a dictionary: id, firstItem and secondItem (ids), firstAttribute and
// secondAttribute ("left", "right", "top", "bottom", "leading", "trailing", "width", "height",
// "centerX", "centerY"), relation ("equal", "lessThanOrEqual", "greaterThanOrEqual"; default
// "equal"), multiplier (default 1), constant (default 0), priority (default 1000), active
// (default true).
//
// Loading makes every object through its class's factory (its initWithCoder), then makes the
// constraints and connects the outlets (through setValueForOutlet) and actions, and returns the
// top-level objects.
namespace platform::foundation {
class NSBundle;
}

namespace platform::uikit {

class UINibDecoder;

class UINib : public runtime::NSObject {
  RUNTIME_CLASS_WITH_CONSTRUCTORS(UINib)
  explicit UINib(foundation::PropertyList contents, std::string name);

 public:
  using Objects = std::vector<std::shared_ptr<runtime::NSObject>>;
  using Factory = std::shared_ptr<runtime::NSObject> (*)(UINibDecoder& coder);

  // Lets interface files name the class. UIKit's own classes are registered already.
  static void registerClass(std::string name, Factory factory);
  template <typename T>
  static void registerClass() {
    registerClass(T::runtimeClass()->name(), [](UINibDecoder& coder) -> std::shared_ptr<runtime::NSObject> {
      // A class that only inherits alloc() would be made as its superclass.
      static_assert(std::is_same_v<decltype(T::alloc()), std::shared_ptr<T>>, "T declares RUNTIME_CLASS");
      auto object = T::alloc();
      object->initWithCoder(coder);
      return object;
    });
  }

  // The factory registered for the class name, or null.
  static Factory factoryForClass(std::string_view name);

  // NSBundle's loadNibNamed:owner:options:: the top-level objects of the bundle's NAME.nib. A
  // missing file loads nothing; a file that cannot be loaded loads nothing either, and the reason
  // goes to the system log.
  static Objects loadNibNamed(const foundation::NSBundle& bundle, std::string_view name, runtime::id owner);

  // nibWithNibName:bundle:. Null when the bundle has no such file, or it is no property list.
  static std::shared_ptr<UINib> nibWithNibName(std::string_view name, const foundation::NSBundle& bundle);

  // instantiateWithOwner:options:. The error says what is wrong and where.
  foundation::Result<Objects> instantiateWithOwner(runtime::id owner) const;

 private:
  foundation::PropertyList contents_;
  std::string name_;
};

}  // namespace platform::uikit
