#include "tweak/panel/ChooseSnoozeTimeView.h"

#include <algorithm>

#include "platform/foundation/NSString.h"
#include "platform/runtime/Runtime.h"
#include "platform/uikit/UIColor.h"
#include "platform/uikit/UIFont.h"
#include "tweak/support/BundleHelper.h"
#include "tweak/support/LocalizationHelper.h"

namespace lunadoze {

using platform::runtime::id;
using platform::uikit::CGFloat;
using platform::uikit::CGRect;
using platform::uikit::CGRectMake;
using platform::uikit::UIButton;
using platform::uikit::UIColor;
using platform::uikit::UIControlEventTouchUpInside;
using platform::uikit::UIControlStateNormal;
using platform::uikit::UIFont;
using platform::uikit::UILabel;
using platform::uikit::UIPickerView;
using platform::uikit::UIView;
namespace selectors = platform::uikit::selectors;

namespace {

constexpr platform::runtime::Selector<void()> toggleModesSelector{"toggleModes"};
// A private date-picker message that not every system has.
constexpr platform::runtime::Selector<void(bool)> setHighlightsToday{"setHighlightsToday:"};

constexpr auto kCrossDissolve = platform::uikit::UIViewAnimationOptionTransitionCrossDissolve;
constexpr CGFloat kCornerButtonInset = 15;
constexpr CGFloat kCornerButtonSize = 20;
constexpr CGFloat kSeparatorHeight = 0.5;
constexpr CGFloat kSeparatorAlpha = 0.35;
constexpr CGFloat kButtonFontSize = 15;
// The "SONG"/"SONGS" caption starts just left of the songs picker's centre and runs right of it,
// beside the selected number.
constexpr CGFloat kCaptionWidth = 120;
constexpr CGFloat kCaptionHeight = 32;
constexpr CGFloat kCaptionLeftOfCentre = 14;
constexpr CGFloat kCaptionAboveCentre = 15;
// Before the first layout the caption's offset follows its text's length.
constexpr CGFloat kCaptionOffsetPerCharacter = 2;
constexpr CGFloat kCaptionFontSize = 17;
// A song row holds its number right-aligned in its first points, and is narrower than half the
// view, which keeps the number left of the caption.
constexpr CGFloat kSongNumberWidth = 30;
constexpr CGFloat kSongRowNarrowing = 55;
constexpr CGFloat kSongNumberFontSize = 23.5;

}  // namespace

platform::runtime::Class* ChooseSnoozeTimeView::runtimeClass() {
  return platform::runtime::objc_registerClass(
      "ChooseSnoozeTimeView", &UIView::runtimeClass, [](platform::runtime::Class* cls) {
        platform::runtime::class_addMethod(cls, selectors::layoutSubviews, [](id self) {
          platform::runtime::sendSuper(runtimeClass(), self, selectors::layoutSubviews);
          platform::runtime::downcast<ChooseSnoozeTimeView>(self)->layoutParts();
        });
        platform::runtime::class_addMethod(cls, toggleModesSelector, [](id self) {
          platform::runtime::downcast<ChooseSnoozeTimeView>(self)->toggleModes();
        });
      });
}

std::shared_ptr<ChooseSnoozeTimeView> ChooseSnoozeTimeView::create(CGRect frame) {
  auto view = ChooseSnoozeTimeView::alloc();
  view->initWithFrame(frame);
  return view;
}

void ChooseSnoozeTimeView::initWithFrame(CGRect frame) {
  UIView::initWithFrame(frame);
  setupView();
}

void ChooseSnoozeTimeView::setupView() {
  addTimeSelectorPickerView();
  addNbSongsSelectorPickerView();
  nbSongsPickerView_->setHidden(true);
  addButtons();
  addToggleModesButton();
  addSettingsButton();
  addBottomSeparator();
}

void ChooseSnoozeTimeView::addTimeSelectorPickerView() {
  const CGRect own = frame();
  timeSelectorPickerView_ = platform::uikit::UIDatePicker::create(
      CGRectMake(0, 0, own.size.width, own.size.height - kBottomBarHeight));
  timeSelectorPickerView_->setDatePickerMode(platform::uikit::UIDatePickerModeCountDownTimer);
  timeSelectorPickerView_->_setTextColor(UIColor::whiteColor());
  if (timeSelectorPickerView_->respondsToSelector(setHighlightsToday)) {
    platform::runtime::send(timeSelectorPickerView_.get(), setHighlightsToday, false);
  }
  addSubview(timeSelectorPickerView_);
}

void ChooseSnoozeTimeView::addNbSongsSelectorPickerView() {
  const CGRect own = frame();
  nbSongsPickerView_ =
      UIPickerView::create(CGRectMake(0, 0, own.size.width, own.size.height - kBottomBarHeight));
  auto self = retained<ChooseSnoozeTimeView>();
  nbSongsPickerView_->setDelegate(self);
  nbSongsPickerView_->setDataSource(self);
  nbSongsPickerView_->setShowsSelectionIndicator(true);
  nbSongsPickerView_->selectRow(0, 0, false);
  addSubview(nbSongsPickerView_);

  musicLocalizedlabelText_ = BundleHelper::getLocalizedStringFor("SONG");
  const CGRect picker = nbSongsPickerView_->frame();
  // Centred on the text's length, until the first layout places it for good.
  const auto textLength = static_cast<CGFloat>(platform::foundation::length(musicLocalizedlabelText_));
  musicLabel_ = UILabel::create(CGRectMake(picker.size.width * 0.5 - kCaptionOffsetPerCharacter * textLength,
                                           picker.size.height * 0.5 - kCaptionAboveCentre, kCaptionWidth,
                                           kCaptionHeight));
  musicLabel_->setText(musicLocalizedlabelText_);
  musicLabel_->setFont(UIFont::systemFontOfSize(kCaptionFontSize, platform::uikit::UIFontWeightSemibold));
  musicLabel_->setTextColor(UIColor::whiteColor());
  musicLabel_->setSemanticContentAttribute(platform::uikit::UISemanticContentAttributeForceLeftToRight);
  nbSongsPickerView_->addSubview(musicLabel_);
}

void ChooseSnoozeTimeView::addButtons() {
  const CGRect own = frame();
  bottomButtonsStackView_ = platform::uikit::UIStackView::create(
      CGRectMake(0, own.size.height - kBottomBarHeight, own.size.width, kBottomBarHeight));
  bottomButtonsStackView_->setAxis(platform::uikit::UILayoutConstraintAxisHorizontal);
  bottomButtonsStackView_->setDistribution(platform::uikit::UIStackViewDistributionFillEqually);
  bottomButtonsStackView_->setAlignment(platform::uikit::UIStackViewAlignmentCenter);
  bottomButtonsStackView_->setSpacing(0);

  auto makeButton = [](const char* titleKey) {
    auto button = UIButton::buttonWithType(platform::uikit::UIButtonTypeSystem);
    button->setTitle(BundleHelper::getLocalizedStringFor(titleKey), UIControlStateNormal);
    button->titleLabel()->setFont(UIFont::systemFontOfSize(kButtonFontSize));
    button->setTintColor(UIColor::whiteColor());
    return button;
  };
  leftButton_ = makeButton("BACK");
  rightButton_ = makeButton("CONFIRM");
  bottomButtonsStackView_->addArrangedSubview(leftButton_);
  bottomButtonsStackView_->addArrangedSubview(rightButton_);
  addSubview(bottomButtonsStackView_);
}

void ChooseSnoozeTimeView::addToggleModesButton() {
  topRightCornerButton_ = ButtonWithIncreasedTouchArea::create();
  topRightCornerButton_->setImage(BundleHelper::getImageWithName("nbSongsIcon"), UIControlStateNormal);
  topRightCornerButton_->setTintColor(UIColor::whiteColor());
  topRightCornerButton_->addTarget(this, toggleModesSelector, UIControlEventTouchUpInside);
  addSubview(topRightCornerButton_);
}

void ChooseSnoozeTimeView::addSettingsButton() {
  topLeftCornerButton_ = ButtonWithIncreasedTouchArea::create();
  topLeftCornerButton_->setImage(BundleHelper::getImageWithName("settingsIcon"), UIControlStateNormal);
  topLeftCornerButton_->setTintColor(UIColor::whiteColor());
  topLeftCornerButton_->setFrame(
      CGRectMake(kCornerButtonInset, kCornerButtonInset, kCornerButtonSize, kCornerButtonSize));
  addSubview(topLeftCornerButton_);
}

void ChooseSnoozeTimeView::addBottomSeparator() {
  const CGRect own = frame();
  bottomSeparator_ =
      UIView::create(CGRectMake(0, own.size.height - kSeparatorHeight, own.size.width, kSeparatorHeight));
  bottomSeparator_->setBackgroundColor(UIColor::whiteColor());
  bottomSeparator_->setAlpha(kSeparatorAlpha);
  addSubview(bottomSeparator_);
}

void ChooseSnoozeTimeView::layoutParts() {
  const CGFloat width = frame().size.width;
  const CGFloat height = frame().size.height;
  timeSelectorPickerView_->setFrame(CGRectMake(0, 0, width, height - kBottomBarHeight));
  nbSongsPickerView_->setFrame(CGRectMake(0, 0, width, height - kBottomBarHeight));
  const CGRect picker = nbSongsPickerView_->frame();
  musicLabel_->setFrame(CGRectMake(picker.size.width * 0.5 - kCaptionLeftOfCentre,
                                   picker.size.height * 0.5 - kCaptionAboveCentre, kCaptionWidth,
                                   kCaptionHeight));
  bottomButtonsStackView_->setFrame(CGRectMake(0, height - kBottomBarHeight, width, kBottomBarHeight));
  topRightCornerButton_->setFrame(CGRectMake(width - kCornerButtonInset - kCornerButtonSize,
                                             kCornerButtonInset, kCornerButtonSize, kCornerButtonSize));
  topLeftCornerButton_->setFrame(
      CGRectMake(kCornerButtonInset, kCornerButtonInset, kCornerButtonSize, kCornerButtonSize));
  bottomSeparator_->setFrame(CGRectMake(0, height - kSeparatorHeight, width, kSeparatorHeight));
}

int64_t ChooseSnoozeTimeView::nbSongsSelected() const {
  return nbSongsPickerView_->selectedRowInComponent(0) + 1;
}

int64_t ChooseSnoozeTimeView::numberOfComponentsInPickerView(UIPickerView*) {
  return 1;
}

int64_t ChooseSnoozeTimeView::numberOfRowsInComponent(UIPickerView*, int64_t) {
  return kNbSongsRows;
}

CGFloat ChooseSnoozeTimeView::rowHeightForComponent(UIPickerView*, int64_t) {
  return kSongRowHeight;
}

std::shared_ptr<UIView> ChooseSnoozeTimeView::viewForRow(UIPickerView*, int64_t row, int64_t, UIView*) {
  // A label without text holds the number on the left half, beside the caption.
  auto container =
      UILabel::create(CGRectMake(0, 0, frame().size.width * 0.5 - kSongRowNarrowing, kSongRowHeight));
  auto number = UILabel::create(CGRectMake(0, 0, kSongNumberWidth, kSongRowHeight));
  number->setText(LocalizationHelper::getLocalizedNumberStringFrom(row + 1));
  number->setTextAlignment(platform::uikit::NSTextAlignmentRight);
  number->setTextColor(UIColor::whiteColor());
  number->setFont(UIFont::systemFontOfSize(kSongNumberFontSize));
  container->addSubview(number);
  return container;
}

std::optional<std::string> ChooseSnoozeTimeView::titleForRow(UIPickerView*, int64_t row, int64_t) {
  // Never shown, since every row has its view.
  return std::to_string(row);
}

void ChooseSnoozeTimeView::didSelectRow(UIPickerView*, int64_t row, int64_t) {
  addOrRemovePluralForRow(row);
}

void ChooseSnoozeTimeView::addOrRemovePluralForRow(int64_t row) {
  const bool plural = musicLabel_->text() == BundleHelper::getLocalizedStringFor("SONGS");
  if (row >= 1 && plural) return;
  auto caption = musicLabel_;
  UIView::transitionWithView(
      caption.get(), kCaptionDuration, kCrossDissolve,
      [caption, row, plural] {
        if (row == 0 && plural) {
          caption->setText(BundleHelper::getLocalizedStringFor("SONG"));
        } else if (row >= 1 && !plural) {
          caption->setText(BundleHelper::getLocalizedStringFor("SONGS"));
        }
      },
      nullptr);
}

void ChooseSnoozeTimeView::toggleModes() {
  if (nbSongsPickerView_->isHidden()) {
    showSongMode();
  } else {
    showTimerMode();
  }
  bringSubviewToFront(topRightCornerButton_.get());
  bringSubviewToFront(topLeftCornerButton_.get());
}

void ChooseSnoozeTimeView::showTimerMode() {
  timeSelectorPickerView_->setHidden(false);
  topRightCornerButton_->setImage(BundleHelper::getImageWithName("nbSongsIcon"), UIControlStateNormal);
  // Without the show/hide option the songs picker leaves this view and the time picker comes back
  // to its front; the songs picker is hidden only when the switch ends.
  UIView::transitionFromView(nbSongsPickerView_.get(), timeSelectorPickerView_.get(), kModeSwitchDuration,
                             kCrossDissolve,
                             [picker = nbSongsPickerView_](bool) { picker->setHidden(true); });
}

void ChooseSnoozeTimeView::showSongMode() {
  nbSongsPickerView_->setHidden(false);
  topRightCornerButton_->setImage(BundleHelper::getImageWithName("timerIcon"), UIControlStateNormal);
  UIView::transitionFromView(timeSelectorPickerView_.get(), nbSongsPickerView_.get(), kModeSwitchDuration,
                             kCrossDissolve,
                             [picker = timeSelectorPickerView_](bool) { picker->setHidden(true); });
}

void ChooseSnoozeTimeView::setModeType(int32_t modeType) {
  if (modeType != modeType_) {
    modeType_ = modeType;
    topRightCornerButton_->setHidden(modeType != OfferedModesBoth);
    if (modeType == OfferedModesSongsOnly) {
      showSongMode();
    } else if (modeType == OfferedModesTimeOnly) {
      showTimerMode();
    } else if (modeType == OfferedModesBoth) {
      showTimerMode();
      bringSubviewToFront(topRightCornerButton_.get());
    }
  }
  bringSubviewToFront(topLeftCornerButton_.get());
}

void ChooseSnoozeTimeView::setPickerMinutesSteps(int64_t steps) {
  if (steps == pickerMinutesSteps_) return;
  pickerMinutesSteps_ = steps;
  timeSelectorPickerView_->setMinuteInterval(steps);
  // The picker keeps its old interval when it refuses the new one: one step of what it took.
  timeSelectorPickerView_->setCountDownDuration(
      static_cast<double>(timeSelectorPickerView_->minuteInterval()) * 60);
}

void ChooseSnoozeTimeView::setDefaultTimerPickerValue(int64_t minutes) {
  if (minutes == defaultTimerPickerValue_) return;
  defaultTimerPickerValue_ = minutes;
  timeSelectorPickerView_->setCountDownDuration(static_cast<double>(minutes) * 60);
}

void ChooseSnoozeTimeView::setDefaultNbSongsPickerValue(int64_t nbSongs) {
  if (nbSongs == defaultNbSongsPickerValue_) return;
  defaultNbSongsPickerValue_ = nbSongs;
  // A value out of range selects the nearest row there is, and the caption agrees with it.
  const int64_t row = std::clamp<int64_t>(nbSongs, 1, kNbSongsRows) - 1;
  nbSongsPickerView_->selectRow(row, 0, false);
  addOrRemovePluralForRow(row);
}

}  // namespace lunadoze
