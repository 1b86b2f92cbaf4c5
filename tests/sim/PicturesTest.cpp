#include <cairo.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cmath>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <tuple>
#include <utility>

#include "platform/uikit/UIColor.h"
#include "platform/uikit/UIFont.h"
#include "platform/uikit/UIImage.h"
#include "platform/uikit/UIImageView.h"
#include "platform/uikit/UILabel.h"
#include "platform/uikit/UIView.h"
#include "sim/ScriptRunner.h"
#include "sim/Simulator.h"
#include "sim/StateFormat.h"
#include "sim/TweakInspection.h"
#include "sim/pictures/Picture.h"
#include "sim/pictures/PlotPainter.h"
#include "sim/pictures/Recorder.h"
#include "sim/pictures/ScreenPainter.h"
#include "sim/pictures/Storyboard.h"
#include "sim/pictures/ViewPainter.h"

namespace lunadoze::sim {
namespace {

namespace fs = std::filesystem;
using platform::uikit::CGRectMake;
using platform::uikit::UIColor;
using platform::uikit::UILabel;
using platform::uikit::UIView;
using Screen = ScreenPainter::Screen;

bool lit(const Picture::Pixel& pixel) {
  return pixel.alpha > 0 && std::max({pixel.red, pixel.green, pixel.blue}) > 140;
}

// Lit pixels in a rectangle of points.
int litPixels(const Picture& picture, double x, double y, double width, double height) {
  int count = 0;
  for (int py = static_cast<int>(y * Picture::kScale); py < (y + height) * Picture::kScale; ++py)
    for (int px = static_cast<int>(x * Picture::kScale); px < (x + width) * Picture::kScale; ++px)
      count += lit(picture.pixel(px, py));
  return count;
}

std::string contentsOf(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

class PicturesTest : public ::testing::Test {
 protected:
  void run(const std::string& script) {
    std::ostringstream out;
    std::ostringstream err;
    ScriptRunner runner(simulator, out, err);
    std::istringstream input(script);
    runner.runScript(input, "test.sim");
    ASSERT_EQ(runner.finish(), 0) << err.str();
    errors = err.str();
  }

  std::shared_ptr<const Picture> draw(Screen screen) {
    notes.str("");
    return screens.draw(simulator.device(), screen, notes);
  }

  Simulator simulator{std::nullopt, false};
  ScreenPainter screens;
  std::ostringstream notes;
  std::string errors;
  fs::path directory = fs::temp_directory_path() / ("lunadoze-pictures-" + std::to_string(getpid()));

  void SetUp() override { fs::create_directories(directory); }
  void TearDown() override { fs::remove_all(directory); }
};

constexpr const char* kPlaying = "boot\nmusic queue \"Night Drive\" 1500\nmusic play\ncc expand\n";

// The moon sits at 0 8 24 24 in the sleep button, which is at 0 50 in the stack view at 0 150.
TEST_F(PicturesTest, TheMoonIconIsDrawnUnderTheControlsUnlessHidden) {
  run(kPlaying);
  EXPECT_GT(litPixels(*draw(Screen::ControlCenter), 0, 208, 24, 24), 40);

  run(std::string("prefs set hideMoonIconInCC on\n") + kPlaying);
  EXPECT_EQ(litPixels(*draw(Screen::ControlCenter), 0, 208, 24, 24), 0);
}

TEST_F(PicturesTest, ThePanelCoversTheModuleAndLetsThePlatterShowThrough) {
  run(kPlaying);
  const auto platter = draw(Screen::ControlCenter)->pixelAt(4, 100);
  run(std::string(kPlaying) + "tap sleep\n");
  const auto* page = TweakInspection(simulator.device()).views().chooseTimePage;
  ASSERT_NE(page, nullptr);
  ASSERT_DOUBLE_EQ(page->alpha(), 0.85);
  const Colour background = ViewPainter::colour(page->backgroundColor());
  const double cover = background.alpha * page->alpha();
  const auto shown = draw(Screen::Panel)->pixelAt(4, 100);
  auto expected = [&](double panel, uint8_t below) { return panel * 255 * cover + below * (1 - cover); };
  EXPECT_NEAR(shown.red, expected(background.red, platter.red), 2);
  EXPECT_NEAR(shown.green, expected(background.green, platter.green), 2);
  EXPECT_NEAR(shown.blue, expected(background.blue, platter.blue), 2);
  EXPECT_EQ(notes.str(), "");
}

TEST_F(PicturesTest, TheLockScreenIndicatorTakesTheColourTweaksColour) {
  run("device colour-tweak #FF2020\n" + std::string(kPlaying) +
      "tap sleep\npick time 30\ntap confirm\nwait 2\ncc collapse\nlock show\nwait 10m\nexpect "
      "lock.indicator.text \"19:58\"\n");
  auto picture = draw(Screen::LockScreen);
  int red = 0;
  // The indicator's label: 30 0 329 40 in the indicator at 0 155 of the platter at 8 100.
  for (double y = 255; y < 295; y += 0.5) {
    for (double x = 38; x < 367; x += 0.5) {
      auto pixel = picture->pixelAt(x, y);
      red += pixel.red > 180 && pixel.green < 110 && pixel.blue < 130;
    }
  }
  EXPECT_GT(red, 50);
}

TEST_F(PicturesTest, AScreenNotShownIsDrawnWithoutItAndSaysSo) {
  run("boot\n");
  auto lock = draw(Screen::LockScreen);
  EXPECT_EQ(notes.str(), "the lock screen's media controls are not shown: drawn without them\n");
  EXPECT_EQ(lock->pixelWidth(), 750);
  EXPECT_EQ(litPixels(*lock, 0, 0, 375, 667), 0);
  // The night sky whole: opaque to the last pixel, one colour across, lighter towards the bottom.
  auto same = [](Picture::Pixel a, Picture::Pixel b) {
    return a.red == b.red && a.green == b.green && a.blue == b.blue && a.alpha == b.alpha;
  };
  for (int y : {0, 667, 1333}) {
    EXPECT_EQ(lock->pixel(749, y).alpha, 255) << y;
    EXPECT_TRUE(same(lock->pixel(0, y), lock->pixel(749, y))) << y;
    EXPECT_TRUE(same(lock->pixel(0, y), lock->pixel(375, y))) << y;
  }
  EXPECT_LT(lock->pixel(0, 0).red, lock->pixel(0, 1333).red);
  draw(Screen::Panel);
  EXPECT_NE(notes.str().find("there is no panel yet"), std::string::npos);
  // Made with the expanded module but never shown, the panel has no place yet: its place is drawn.
  run(kPlaying);
  EXPECT_EQ(draw(Screen::Panel)->pixelWidth(), 640);
  EXPECT_EQ(notes.str(), "there is no panel yet: its place in the module is drawn\n");

  run(std::string(kPlaying) + "lock show\nscreen off\n");
  auto dark = draw(Screen::LockScreen);
  EXPECT_EQ(notes.str(), "the screen is off: drawn dark\n");
  EXPECT_EQ(litPixels(*dark, 0, 0, 375, 667), 0);
}

// Step by step, every screen is drawn over its last picture where that changed; what comes of it
// is what a simulator that never drew the screen draws: what moved, what changed colour or text,
// what came and went, what the tint and the playing state draw.
TEST(ScreenPainterTest, AScreenDrawnOverItsLastPictureIsTheOneDrawnAfresh) {
  const fs::path directory = fs::temp_directory_path() / ("lunadoze-over-" + std::to_string(getpid()));
  fs::create_directories(directory);
  // One simulator at a time: SpringBoard runs once in a process.
  auto run = [](const std::string& script) {
    Simulator simulator{std::nullopt, false};
    std::ostringstream out;
    std::ostringstream err;
    ScriptRunner runner(simulator, out, err);
    std::istringstream input(script);
    runner.runScript(input, "test.sim");
    EXPECT_EQ(runner.finish(), 0) << err.str();
  };
  const char* steps[] = {"boot\nmusic queue \"Night Drive\" 1500\nmusic play\ncc expand\n",
                         "tap sleep\n",
                         "pick time 45\n",
                         "tap mode\n",
                         "tap mode\ntap confirm\n",
                         "wait 2\n",
                         "music pause\n",
                         "music play\ndevice colour-tweak #FF2020\ncc collapse\nlock show\n",
                         "wait 1\n",
                         "wait 1m\n",
                         "wait 45m\n",
                         "screen off\n",
                         "screen on\ncc expand\n"};
  auto screenshots = [&](const std::string& name) {
    std::string lines;
    for (const char* screen : {"cc", "panel", "lock"})
      lines +=
          std::string("screenshot ") + screen + " " + (directory / (name + screen + ".png")).string() + "\n";
    return lines;
  };
  // One run, each screen drawn over its last picture; then each step again on a simulator of its own.
  std::string script;
  std::string overAll;
  for (size_t step = 0; step < std::size(steps); ++step) {
    script += steps[step];
    overAll += steps[step] + screenshots("over-" + std::to_string(step) + "-");
  }
  run(overAll);
  script.clear();
  for (size_t step = 0; step < std::size(steps); ++step) {
    script += steps[step];
    run(script + screenshots("afresh-"));
    for (const char* screen : {"cc", "panel", "lock"}) {
      EXPECT_EQ(contentsOf(directory / ("over-" + std::to_string(step) + "-" + screen + ".png")),
                contentsOf(directory / (std::string("afresh-") + screen + ".png")))
          << "after " << steps[step] << "on screen " << screen;
    }
  }
  fs::remove_all(directory);
}

TEST(ViewPainterTest, AHiddenViewAndEverythingInsideItLeaveNoPixel) {
  Picture picture(40, 40);
  auto root = UIView::create(CGRectMake(0, 0, 40, 40));
  auto hidden = UIView::create(CGRectMake(0, 0, 20, 20));
  hidden->setBackgroundColor(UIColor::whiteColor());
  hidden->setHidden(true);
  auto inside = UIView::create(CGRectMake(0, 0, 10, 10));
  inside->setBackgroundColor(UIColor::whiteColor());
  hidden->addSubview(inside);
  root->addSubview(hidden);
  auto transparent = UIView::create(CGRectMake(20, 20, 20, 20));
  transparent->setBackgroundColor(UIColor::whiteColor());
  transparent->setAlpha(0);
  root->addSubview(transparent);
  ViewPainter(picture.context()).paint(*root, {0, 0});
  EXPECT_EQ(litPixels(picture, 0, 0, 40, 40), 0);

  hidden->setHidden(false);
  transparent->setAlpha(0.5);
  ViewPainter(picture.context()).paint(*root, {0, 0});
  EXPECT_EQ(picture.pixelAt(5, 5).alpha, 255);
  EXPECT_NEAR(picture.pixelAt(30, 30).alpha, 128, 1);
}

TEST(ViewPainterTest, ClippingKeepsSubviewsInsideTheirContainer) {
  Picture picture(40, 40);
  auto root = UIView::create(CGRectMake(0, 0, 20, 20));
  auto wide = UIView::create(CGRectMake(0, 0, 40, 40));
  wide->setBackgroundColor(UIColor::whiteColor());
  root->addSubview(wide);
  root->setClipsToBounds(true);
  ViewPainter(picture.context()).paint(*root, {0, 0});
  EXPECT_TRUE(lit(picture.pixelAt(10, 10)));
  EXPECT_FALSE(lit(picture.pixelAt(30, 30)));
}

// A see-through view is drawn as one layer over the area its subtree covers: subviews outside it,
// theirs further out, a subview shifted by its container's bounds origin, and one grown by a
// transform are all in the layer.
TEST(ViewPainterTest, ASeeThroughViewsLayerReachesEverySubviewWhereverItLies) {
  Picture picture(70, 70);
  auto root = UIView::create(CGRectMake(30, 30, 10, 10));
  root->setAlpha(0.5);
  auto outside = UIView::create(CGRectMake(20, 0, 10, 10));
  outside->setBackgroundColor(UIColor::whiteColor());
  root->addSubview(outside);
  auto further = UIView::create(CGRectMake(0, 20, 10, 10));
  further->setBackgroundColor(UIColor::whiteColor());
  outside->addSubview(further);
  auto scrolled = UIView::create(CGRectMake(-10, 20, 10, 10));
  scrolled->setBounds(CGRectMake(0, -10, 10, 10));
  auto inScrolled = UIView::create(CGRectMake(0, 0, 5, 5));
  inScrolled->setBackgroundColor(UIColor::whiteColor());
  scrolled->addSubview(inScrolled);
  root->addSubview(scrolled);
  auto grown = UIView::create(CGRectMake(-20, -20, 8, 8));
  grown->setBackgroundColor(UIColor::whiteColor());
  grown->setTransform(platform::uikit::CGAffineTransformMakeScale(2, 2));
  root->addSubview(grown);
  ViewPainter(picture.context()).paint(*root, root->frame().origin);
  EXPECT_NEAR(picture.pixelAt(55, 35).alpha, 128, 1);  // outside
  EXPECT_NEAR(picture.pixelAt(55, 55).alpha, 128, 1);  // further
  EXPECT_NEAR(picture.pixelAt(22, 62).alpha, 128, 1);  // in the scrolled view, 10 points down
  EXPECT_EQ(picture.pixelAt(22, 52).alpha, 0);
  EXPECT_NEAR(picture.pixelAt(7, 7).alpha, 128, 1);  // the grown view, twice its size about its centre
}

// A template image is its alpha in the tint colour; an original keeps its own colours.
TEST(ViewPainterTest, TemplateImagesAreTintedWithTheViewsTintColour) {
  auto pixels = std::make_shared<platform::uikit::UIImage::Pixels>(4 * 4 * 4, 0);
  for (size_t i = 0; i < pixels->size(); i += 4) (*pixels)[i + 3] = (*pixels)[i + 1] = 255;  // opaque green
  using platform::uikit::UIImageRenderingMode;
  for (auto mode : {UIImageRenderingMode::AlwaysTemplate, UIImageRenderingMode::Automatic}) {
    Picture picture(8, 8);
    auto view = platform::uikit::UIImageView::create(CGRectMake(0, 0, 8, 8));
    view->setImage(platform::uikit::UIImage::alloc(platform::uikit::CGSizeMake(4, 4), mode, pixels));
    view->setTintColor(UIColor::colorWithRed(1, 0, 0, 1));
    ViewPainter(picture.context()).paint(*view, {0, 0});
    const auto pixel = picture.pixelAt(4, 4);
    const bool tinted = mode == UIImageRenderingMode::AlwaysTemplate;
    EXPECT_EQ(pixel.red, tinted ? 255 : 0);
    EXPECT_EQ(pixel.green, tinted ? 0 : 255);
    EXPECT_EQ(pixel.alpha, 255);
  }
}

TEST(ViewPainterTest, ArabicTextEndsAtTheRightEdgeOfARightAlignedLabel) {
  for (auto alignment : {platform::uikit::NSTextAlignmentRight, platform::uikit::NSTextAlignmentNatural}) {
    Picture picture(200, 40);
    auto label = UILabel::create(CGRectMake(0, 0, 200, 40));
    label->setText("ستتوقف الموسيقى");
    label->setTextColor(UIColor::whiteColor());
    label->setTextAlignment(alignment);
    ViewPainter(picture.context()).paint(*label, {0, 0});
    int rightmost = -1;
    int leftmost = picture.pixelWidth();
    for (int y = 0; y < picture.pixelHeight(); ++y) {
      for (int x = 0; x < picture.pixelWidth(); ++x) {
        if (lit(picture.pixel(x, y))) {
          rightmost = std::max(rightmost, x);
          leftmost = std::min(leftmost, x);
        }
      }
    }
    EXPECT_GT(rightmost, picture.pixelWidth() - 8) << alignment;
    EXPECT_GT(leftmost, picture.pixelWidth() / 4) << alignment;
  }
}

// Every screen along the way of a timer, as a script writes them: valid PNGs at twice the points,
// and the same bytes from a second run.
TEST_F(PicturesTest, TheRoadsScreenshotsAreValidPicturesAndTheSameOnEveryRun) {
  // Each run on a device of its own, as two runs of one script are.
  auto road = [](const fs::path& into) {
    auto file = [&into](const char* name) { return " \"" + (into / name).string() + "\"\n"; };
    fs::create_directories(into);
    Simulator fresh{std::nullopt, false};
    std::ostringstream out;
    std::ostringstream err;
    ScriptRunner runner(fresh, out, err);
    std::istringstream script("prefs screenshot" + file("prefs.png") + "prefs screenshot TimerEndActions" +
                              file("end.png") + kPlaying + "screenshot cc" + file("cc.png") +
                              "tap sleep\nscreenshot panel" + file("choose.png") +
                              "pick time 30\ntap confirm\nscreenshot panel" + file("current.png") +
                              "wait 2\ncc collapse\nlock show\n" + "screenshot lock" + file("lock.png") +
                              "record music.volume snooze\nwait 1820\nplot" + file("plot.png"));
    runner.runScript(script, "road.sim");
    EXPECT_EQ(runner.finish(), 0) << err.str();
  };
  road(directory / "first");
  road(directory / "second");
  const std::pair<const char*, std::pair<int, int>> expected[] = {
      {"cc.png", {640, 840}},    {"choose.png", {640, 600}}, {"current.png", {640, 600}},
      {"lock.png", {750, 1334}}, {"prefs.png", {750, 0}},    {"end.png", {750, 0}},
      {"plot.png", {1800, 0}}};
  for (const auto& [name, size] : expected) {
    cairo_surface_t* png = cairo_image_surface_create_from_png((directory / "first" / name).c_str());
    ASSERT_EQ(cairo_surface_status(png), CAIRO_STATUS_SUCCESS) << name;
    EXPECT_EQ(cairo_image_surface_get_width(png), size.first) << name;
    if (size.second > 0) {
      EXPECT_EQ(cairo_image_surface_get_height(png), size.second) << name;
    }
    cairo_surface_destroy(png);
    EXPECT_TRUE(contentsOf(directory / "first" / name) == contentsOf(directory / "second" / name)) << name;
  }
}

// The root page as the Settings app shows it: the Enabled row, its group's footer under it, then
// the next group's rows, whose titles stop short of their controls.
TEST_F(PicturesTest, ASettingsPageShowsItsGroupsFootersAndKeepsTitlesOffTheControls) {
  const auto file = directory / "prefs.png";
  run("prefs screenshot " + file.string() + "\n");
  cairo_surface_t* png = cairo_image_surface_create_from_png(file.c_str());
  ASSERT_EQ(cairo_surface_status(png), CAIRO_STATUS_SUCCESS);
  const unsigned char* data = cairo_image_surface_get_data(png);
  const int stride = cairo_image_surface_get_stride(png);
  auto pixel = [&](int x, int y) {
    uint32_t value = 0;
    std::memcpy(&value, data + static_cast<ptrdiff_t>(y) * stride + ptrdiff_t{4} * x, sizeof value);
    return value & 0xFFFFFF;
  };
  constexpr uint32_t kWhite = 0xFFFFFF;
  // The rows, top to bottom, as runs of white at the leading edge as tall as a row: only rows are
  // white there for so long.
  std::vector<std::pair<int, int>> rows;
  for (int y = 0, start = 0; y <= cairo_image_surface_get_height(png); ++y) {
    if (y < cairo_image_surface_get_height(png) && pixel(16, y) == kWhite) continue;
    if (y - start >= 60) rows.push_back({start, y});
    start = y + 1;
  }
  ASSERT_GE(rows.size(), 2u);
  // The footer's text lies right under the Enabled row, well above the next group's label.
  const uint32_t background = pixel(4, rows[0].second + 4);
  int footerText = 0;
  // (Past the row's separator.)
  for (int y = rows[0].second + 2; y < std::min(rows[1].first, rows[0].second + 38); ++y)
    for (int x = 32; x < 600; ++x) footerText += pixel(x, y) != background;
  EXPECT_GT(footerText, 200);
  // "Modes offered" and its segments: above the title's letters only the control shows, which
  // tells where it starts; the title's dark ink ends well before that, where a title that ran on
  // under the control would not.
  const int top = rows[1].first;
  int control = 0;
  while (control < 600 && pixel(control, top + 16) == kWhite) ++control;
  ASSERT_GT(control, 100);
  ASSERT_LT(control, 600);
  int titleEnd = 0;
  for (int y = top + 26; y < top + 62; ++y)
    for (int x = 0; x < control; ++x)
      if ((pixel(x, y) & 0xFF) < 0xA0) titleEnd = std::max(titleEnd, x);
  EXPECT_GT(titleEnd, 100);
  EXPECT_LT(titleEnd, control - 6);
  cairo_surface_destroy(png);
}

// What a PNG reader gets back is what was drawn: every pixel, opaque or see-through, in a size
// that is no multiple of anything.
TEST_F(PicturesTest, APictureReadsBackAsItWasDrawn) {
  for (const bool seeThrough : {false, true}) {
    Picture picture(37.5, 23);
    cairo_t* cr = picture.context();
    cairo_pattern_t* ramp = cairo_pattern_create_linear(0, 0, 37.5, 0);
    cairo_pattern_add_color_stop_rgb(ramp, 0, 0.9, 0.1, 0.3);
    cairo_pattern_add_color_stop_rgb(ramp, 1, 0.1, 0.8, 1);
    cairo_set_source(cr, ramp);
    cairo_paint(cr);
    cairo_pattern_destroy(ramp);
    // A run of one colour between parts of the ramp.
    cairo_set_source_rgb(cr, 0.2, 0.4, 0.6);
    cairo_rectangle(cr, 26, 0, 8, 23);
    cairo_fill(cr);
    if (seeThrough) {
      cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
      cairo_set_source_rgba(cr, 1, 0.5, 0.25, 0.3);
      cairo_rectangle(cr, 5, 5, 10, 10);
      cairo_fill(cr);
      cairo_set_source_rgba(cr, 0, 0, 0, 0);
      cairo_rectangle(cr, 20, 0, 5, 23);
      cairo_fill(cr);
    }
    const auto file = directory / "back.png";
    picture.writePng(file);
    cairo_surface_t* png = cairo_image_surface_create_from_png(file.c_str());
    ASSERT_EQ(cairo_surface_status(png), CAIRO_STATUS_SUCCESS);
    ASSERT_EQ(cairo_image_surface_get_width(png), 75);
    ASSERT_EQ(cairo_image_surface_get_height(png), 46);
    // An opaque picture is kept without its alpha; a reader makes it opaque again.
    EXPECT_EQ(cairo_image_surface_get_format(png), seeThrough ? CAIRO_FORMAT_ARGB32 : CAIRO_FORMAT_RGB24);
    const unsigned char* data = cairo_image_surface_get_data(png);
    const int stride = cairo_image_surface_get_stride(png);
    int wrong = 0;
    for (int y = 0; y < 46; ++y) {
      for (int x = 0; x < 75; ++x) {
        uint32_t word = 0;
        std::memcpy(&word, data + static_cast<ptrdiff_t>(y) * stride + ptrdiff_t{4} * x, sizeof word);
        const Picture::Pixel drawn = picture.pixel(x, y);
        const int alpha = seeThrough ? static_cast<int>(word >> 24) : 255;
        auto straight = [alpha](uint32_t premultiplied) {
          return alpha == 0 ? 0 : premultiplied * 255.0 / alpha;
        };
        // Dividing the alpha out and back costs a little precision where little is opaque.
        const double slack = alpha == 255 ? 0.5 : 255.0 / std::max(alpha, 1);
        wrong += alpha != drawn.alpha || std::abs(straight((word >> 16) & 0xFF) - drawn.red) > slack ||
                 std::abs(straight((word >> 8) & 0xFF) - drawn.green) > slack ||
                 std::abs(straight(word & 0xFF) - drawn.blue) > slack;
      }
    }
    EXPECT_EQ(wrong, 0) << (seeThrough ? "see-through" : "opaque");
    cairo_surface_destroy(png);
  }
  // No PNG has no pixels: the file is refused rather than written broken, and so is a picture too
  // large for cairo or of a negative size.
  for (const auto& [width, height] :
       {std::pair{0.0, 10.0}, {1e7, 10.0}, {10.0, 1e7}, {-3.0, 10.0}, {10.0, -3.0}}) {
    EXPECT_THROW(Picture(width, height).writePng(directory / "empty.png"), std::runtime_error) << width;
    EXPECT_FALSE(fs::exists(directory / "empty.png"));
  }
}

// Pictures take over the pixels of pictures gone: each still starts transparent, whatever the
// last one showed and whatever its size.
TEST(PictureTest, ANewPictureIsTransparentWhateverCameBefore) {
  for (const auto& [width, height] : {std::pair{30.0, 20.0}, {30.0, 20.0}, {12.5, 7.0}, {40.0, 25.0}}) {
    Picture picture(width, height);
    int shown = 0;
    for (int y = 0; y < picture.pixelHeight(); ++y)
      for (int x = 0; x < picture.pixelWidth(); ++x) shown += picture.pixel(x, y).alpha != 0;
    EXPECT_EQ(shown, 0) << width << " x " << height;
    cairo_set_source_rgb(picture.context(), 1, 1, 1);
    cairo_paint(picture.context());
  }
}

// A picture is encoded in part from the last one of its size. Whatever changed between them (rows
// in the middle of a run of equal rows, the first and last rows, the opacity, nothing, another size
// in between), the file is the one a first picture gives: a thread of its own keeps nothing.
TEST_F(PicturesTest, APictureLikeTheLastOneIsWrittenAsAFirstOneIs) {
  struct Look {
    bool band, middle, edges, hole;
  };
  auto draw = [](const Look& look, double width = 60) {
    auto picture = std::make_unique<Picture>(width, 40);
    cairo_t* cr = picture->context();
    cairo_set_source_rgb(cr, 0.3, 0.3, 0.35);
    cairo_paint(cr);
    auto fill = [cr](double x, double y, double w, double h, double red) {
      cairo_set_source_rgb(cr, red, 0.2, 0.6);
      cairo_rectangle(cr, x, y, w, h);
      cairo_fill(cr);
    };
    if (look.band) fill(0, 8, 60, 20, 0.9);
    if (look.middle) fill(20, 15, 10, 1.5, 0.1);
    if (look.edges) {
      fill(3, 0, 5, 0.5, 0.5);
      fill(40, 39.5, 5, 0.5, 0.7);
    }
    if (look.hole) {
      cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
      cairo_set_source_rgba(cr, 1, 1, 1, 0.4);
      cairo_rectangle(cr, 50, 30, 2, 2);
      cairo_fill(cr);
    }
    return picture;
  };
  const Look looks[] = {{false, false, false, false}, {true, false, false, false}, {true, true, false, false},
                        {true, true, true, false},    {true, true, true, true},    {true, true, true, true},
                        {true, false, true, false},   {false, false, false, false}};
  int step = 0;
  for (const Look& look : looks) {
    const auto picture = draw(look);
    picture->writePng(directory / "kept.png");
    std::thread([&] { picture->writePng(directory / "first.png"); }).join();
    EXPECT_EQ(contentsOf(directory / "kept.png"), contentsOf(directory / "first.png")) << "step " << step;
    // Other sizes between, as a script takes turns with screens.
    if (step++ % 3 == 1) draw(look, 33)->writePng(directory / "other.png");
  }
}

TEST_F(PicturesTest, BadPictureCommandsSayWhyAndWriteNothing) {
  // The exit status of a script that ends in `last`, and what it printed on standard error.
  auto runEndingIn = [this](const std::string& last) {
    std::ostringstream out;
    std::ostringstream err;
    ScriptRunner runner(simulator, out, err);
    std::istringstream script(std::string(kPlaying) + last + "\necho \"never\"\n");
    runner.runScript(script, "bad.sim");
    return std::pair{runner.finish(), err.str()};
  };
  EXPECT_EQ(runEndingIn("screenshot moon " + (directory / "a.png").string()),
            std::pair(2, std::string(
                             "bad.sim:5: screenshot: unknown screen \"moon\" (screens: cc, lock, panel)\n")));

  const auto [status, printed] = runEndingIn("screenshot cc " + (directory / "none" / "a.png").string());
  EXPECT_EQ(status, 2);
  EXPECT_NE(printed.find("bad.sim:5: screenshot: cannot write"), std::string::npos) << printed;
  EXPECT_FALSE(fs::exists(directory / "none"));

  // A folder where the picture should go is told at once too, and stays as it was.
  fs::create_directories(directory / "folder.png" / "inside");
  EXPECT_EQ(runEndingIn("screenshot cc " + (directory / "folder.png").string()),
            std::pair(2, "bad.sim:5: screenshot: cannot write " + (directory / "folder.png").string() + ": " +
                             std::strerror(EISDIR) + "\n"));
  EXPECT_TRUE(fs::is_directory(directory / "folder.png" / "inside"));
}

// What `write` threw while no file could grow beyond `limit` bytes: a full disk, as near as a test
// can make one.
template <typename Write>
std::string errorUnderFileSizeLimit(rlim_t limit, Write write) {
  rlimit saved{};
  if (getrlimit(RLIMIT_FSIZE, &saved) != 0) return "getrlimit failed";
  rlimit small = saved;
  small.rlim_cur = limit;
  auto* previousHandler = std::signal(SIGXFSZ, SIG_IGN);
  std::string error;
  if (setrlimit(RLIMIT_FSIZE, &small) != 0) error = "setrlimit failed";
  try {
    if (error.empty()) write();
  } catch (const std::runtime_error& e) {
    error = e.what();
  }
  setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, previousHandler);
  return error;
}

// A write that fails half way or cannot replace what is at the path leaves what was there as it
// was, and no half-written file beside it; so do the storyboard's page and the plot.
TEST_F(PicturesTest, AFailedWriteKeepsThePictureThatWasThere) {
  const auto file = directory / "kept.png";
  Picture(4, 4).writePng(file);
  const std::string before = contentsOf(file);
  Picture larger(300, 300);
  // Noise, so that the file is larger than the limit whatever the compression makes of it.
  for (int y = 0; y < 300; y += 3) {
    cairo_set_source_rgb(larger.context(), (y % 7) / 7.0, (y % 5) / 5.0, (y % 11) / 11.0);
    cairo_rectangle(larger.context(), (y * 37) % 290, y, 7, 3);
    cairo_fill(larger.context());
  }
  EXPECT_EQ(errorUnderFileSizeLimit(before.size() + 16, [&] { larger.writePng(file); }),
            "cannot write " + file.string() + ": " + std::strerror(EFBIG));
  EXPECT_EQ(contentsOf(file), before);

  // A folder where the picture should go stays a folder, with what it holds.
  fs::create_directories(directory / "folder.png" / "inside");
  EXPECT_THROW(Picture(4, 4).writePng(directory / "folder.png"), std::runtime_error);
  EXPECT_TRUE(fs::is_directory(directory / "folder.png" / "inside"));

  Storyboard storyboard(directory);
  storyboard.script("echo \"A step whose narration makes the page longer than its limit\"\n");
  std::ofstream(directory / "index.html") << "the page before";
  EXPECT_EQ(errorUnderFileSizeLimit(64, [&] { storyboard.writeIndex(); }),
            "cannot write " + (directory / "index.html").string() + ": " + std::strerror(EFBIG));
  EXPECT_EQ(contentsOf(directory / "index.html"), "the page before");

  // Only what the test made is left.
  auto files = [this] {
    int count = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(directory)) ++count;
    return count;
  };
  EXPECT_EQ(files(), 3);

  // A write that succeeds replaces the picture, and leaves nothing beside it.
  larger.writePng(file);
  EXPECT_GT(contentsOf(file).size(), before.size());
  EXPECT_EQ(files(), 3);
}

// A screenshot's file is written while the script goes on; when writing it fails, the failure is
// told at the screenshot's line, by the next screenshot or the end of the script, which stops
// there. The picture that was there stays, and each script's files are in place when it ends.
TEST_F(PicturesTest, AScreenshotThatCannotBeWrittenIsToldAtItsOwnLine) {
  const auto kept = directory / "kept.png";
  run(std::string(kPlaying) + "screenshot cc " + kept.string() + "\n");
  const std::string before = contentsOf(kept);
  ASSERT_FALSE(before.empty());

  auto failingRun = [&](const std::string& after) {
    std::ostringstream out;
    std::ostringstream err;
    ScriptRunner runner(simulator, out, err);
    // The panel open, in a picture larger than the limit lets any file grow.
    std::istringstream script(std::string(kPlaying) + "tap sleep\nscreenshot cc " + kept.string() + "\n" +
                              after);
    const std::string error = errorUnderFileSizeLimit(4096, [&] { runner.runScript(script, "late.sim"); });
    return std::tuple{error, runner.finish(), err.str()};
  };
  const std::string failure =
      "late.sim:6: screenshot: cannot write " + kept.string() + ": " + std::strerror(EFBIG) + "\n";
  // Told at the end of the script.
  auto [thrown, status, printed] = failingRun("echo \"after\"\n");
  EXPECT_EQ(thrown, "");
  EXPECT_EQ(status, 2);
  EXPECT_EQ(printed, failure);
  EXPECT_TRUE(contentsOf(kept) == before);
  // Told by the next screenshot, which takes no picture: the script stops there.
  const auto next = directory / "next.png";
  std::tie(thrown, status, printed) = failingRun("screenshot lock " + next.string() + "\necho \"never\"\n");
  EXPECT_EQ(status, 2);
  EXPECT_EQ(printed, failure);
  EXPECT_FALSE(fs::exists(next));
  EXPECT_TRUE(contentsOf(kept) == before);

  // Typed at the repl, it is told before the next line runs.
  std::ostringstream out;
  std::ostringstream err;
  ScriptRunner repl(simulator, out, err);
  std::istringstream typed(std::string(kPlaying) + "tap sleep\nscreenshot cc " + kept.string() +
                           "\nnonsense\n");
  auto* typing = std::cin.rdbuf(typed.rdbuf());
  thrown = errorUnderFileSizeLimit(4096, [&] { repl.runRepl(); });
  std::cin.rdbuf(typing);
  EXPECT_EQ(thrown, "");
  EXPECT_EQ(repl.finish(), 2);
  EXPECT_TRUE(err.str().starts_with("repl:6: screenshot: cannot write " + kept.string() + ": " +
                                    std::strerror(EFBIG) + "\nrepl:7: "))
      << err.str();
}

// A five-minute timer with a 15-second fade, plotted from the confirmation to 330 s: the volume lane
// spans x 110 to 876 and y 36 (0.5) to 186 (0).
TEST_F(PicturesTest, ThePlotsVolumeLineFallsToZeroAtTheFadesEndAndComesBack) {
  const auto file = directory / "night.png";
  run("prefs set volumeFadeOutTime 15\n" + std::string(kPlaying) +
      "tap sleep\npick time 5\ntap confirm\nrecord music.volume\nwait 330\nplot " + file.string() + "\n");
  cairo_surface_t* png = cairo_image_surface_create_from_png(file.c_str());
  ASSERT_EQ(cairo_surface_status(png), CAIRO_STATUS_SUCCESS);
  auto lineNear = [png](double clock, double volume) {
    const double x = 110 + clock / 330 * 766;
    const double y = 36 + 150 * (1 - volume / 0.5);
    const int stride = cairo_image_surface_get_stride(png);
    const unsigned char* data = cairo_image_surface_get_data(png);
    for (int py = static_cast<int>((y - 3) * 2); py <= (y + 3) * 2; ++py) {
      uint32_t pixel = 0;
      std::memcpy(&pixel, data + static_cast<ptrdiff_t>(py) * stride + 4 * static_cast<ptrdiff_t>(x * 2),
                  sizeof pixel);
      if ((pixel & 0xFF) > 170 && ((pixel >> 16) & 0xFF) < 110) return true;
    }
    return false;
  };
  EXPECT_TRUE(lineNear(150, 0.5));
  EXPECT_FALSE(lineNear(150, 0));
  EXPECT_TRUE(lineNear(307.5, 0.283));
  EXPECT_TRUE(lineNear(316.7, 0));
  EXPECT_FALSE(lineNear(316.7, 0.5));
  EXPECT_TRUE(lineNear(325, 0.5));
  cairo_surface_destroy(png);
}

// The storyboard looks where the person looks: Control Center until the lock screen is shown.
// Echo lines in a row narrate one screen: one picture, after the last of them.
TEST_F(PicturesTest, TheStoryboardPicturesEachNarratedStepAndShowsTheNarration) {
  Storyboard storyboard(directory / "story");
  const std::string opening =
      "cc expand\necho \"Open <b>\"\n\n# still the same screen\necho \"  and more\"\n";
  const std::string script = storyboard.script(opening + "lock show\necho Locked\n");
  const auto picture = [this](int step) {
    return inQuotes((directory / "story" / ("step-0" + std::to_string(step) + ".png")).string());
  };
  EXPECT_EQ(script, opening + "screenshot cc " + picture(1) + "\nlock show\necho Locked\nscreenshot lock " +
                        picture(2) + "\n");
  storyboard.writeIndex();
  std::ifstream index(directory / "story" / "index.html");
  const std::string page(std::istreambuf_iterator<char>(index), {});
  EXPECT_NE(
      page.find("<img src=\"step-01.png\" alt=\"\"><figcaption>Open &lt;b&gt;\n  and more</figcaption>"),
      std::string::npos);
  EXPECT_NE(page.find("<figcaption>Locked</figcaption>"), std::string::npos);
}

TEST(PlotPainterTest, StateValuesReadAsNumbersWhereTheyAreOnes) {
  EXPECT_DOUBLE_EQ(PlotPainter::numberOf("0.5"), 0.5);
  EXPECT_DOUBLE_EQ(PlotPainter::numberOf("29:59"), 1799);
  EXPECT_DOUBLE_EQ(PlotPainter::numberOf("1:00:01"), 3601);
  EXPECT_TRUE(std::isnan(PlotPainter::numberOf("-")));
  EXPECT_TRUE(std::isnan(PlotPainter::numberOf("playing")));
  EXPECT_TRUE(std::isnan(PlotPainter::numberOf("1:2:3:4")));
}

}  // namespace
}  // namespace lunadoze::sim
