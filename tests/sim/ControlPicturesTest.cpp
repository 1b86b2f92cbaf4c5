#include <cairo.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <optional>
#include <sstream>
#include <string>

#include "platform/uikit/UIColor.h"
#include "platform/uikit/UISegmentedControl.h"
#include "platform/uikit/UISlider.h"
#include "platform/uikit/UISwitch.h"
#include "sim/ScriptRunner.h"
#include "sim/Simulator.h"
#include "sim/pictures/Picture.h"
#include "sim/pictures/ScreenPainter.h"
#include "sim/pictures/ViewPainter.h"

namespace lunadoze::sim {
namespace {

namespace fs = std::filesystem;
using platform::uikit::CGRectMake;
using platform::uikit::UIColor;
using Pixel = Picture::Pixel;

bool near(const Pixel& pixel, int red, int green, int blue, int slack = 8) {
  return std::abs(pixel.red - red) <= slack && std::abs(pixel.green - green) <= slack &&
         std::abs(pixel.blue - blue) <= slack && pixel.alpha == 255;
}

bool white(const Pixel& pixel) {
  return near(pixel, 255, 255, 255, 4);
}

// The switch's knob sits on the side of its state, over a green track when on.
TEST(ControlPicturesTest, ASwitchShowsItsStateByItsKnobAndTrack) {
  for (const bool on : {false, true}) {
    Picture picture(51, 31);
    auto toggle = platform::uikit::UISwitch::create(CGRectMake(0, 0, 51, 31));
    toggle->setOn(on);
    ViewPainter(picture.context()).paint(*toggle, {0, 0});
    const Pixel left = picture.pixelAt(12, 15.5);
    const Pixel right = picture.pixelAt(39, 15.5);
    EXPECT_TRUE(white(on ? right : left)) << on;
    EXPECT_FALSE(white(on ? left : right)) << on;
    EXPECT_TRUE(on ? near(left, 52, 199, 89) : near(right, 233, 233, 234)) << on;
  }
}

// The chosen segment alone is lifted out in white, and moves with the selection.
TEST(ControlPicturesTest, ASegmentedControlLiftsOutTheChosenSegmentOnly) {
  auto segments = platform::uikit::UISegmentedControl::initWithItems({"Off", "Pause", "Stop"});
  segments->setFrame(CGRectMake(0, 0, 300, 32));
  auto chosen = [&](int64_t index) {
    segments->setSelectedSegmentIndex(index);
    Picture picture(300, 32);
    ViewPainter(picture.context()).paint(*segments, {0, 0});
    std::string lifted;
    // Just inside each segment's left edge, clear of its centred title.
    for (int segment = 0; segment < 3; ++segment)
      lifted += white(picture.pixelAt(segment * 100 + 8, 16)) ? 'W' : '.';
    return lifted;
  };
  EXPECT_EQ(chosen(1), ".W.");
  EXPECT_EQ(chosen(2), "..W");
  EXPECT_EQ(chosen(-1), "...");
}

// The track is filled in the tint colour up to the thumb, which stands at the value's place.
TEST(ControlPicturesTest, ASliderFillsItsTrackUpToTheValue) {
  auto slider = platform::uikit::UISlider::create(CGRectMake(0, 0, 228 + 28, 30));
  slider->setMinimumValue(0);
  slider->setMaximumValue(10);
  slider->setTintColor(UIColor::colorWithRed(1, 0, 0, 1));
  auto draw = [&](float value) {
    slider->setValue(value);
    auto picture = std::make_unique<Picture>(228 + 28, 30);
    ViewPainter(picture->context()).paint(*slider, {0, 0});
    return picture;
  };
  // The thumb's centre is 14 + 228 * value / 10.
  auto quarter = draw(2.5);
  EXPECT_TRUE(near(quarter->pixelAt(40, 15), 255, 0, 0));
  EXPECT_TRUE(white(quarter->pixelAt(71, 15)));
  EXPECT_FALSE(near(quarter->pixelAt(150, 15), 255, 0, 0));
  EXPECT_EQ(quarter->pixelAt(150, 5).alpha, 0);

  auto full = draw(10);
  EXPECT_TRUE(near(full->pixelAt(200, 15), 255, 0, 0));
  EXPECT_TRUE(white(full->pixelAt(242, 15)));

  // A slider with no range draws its thumb at the start, not nowhere.
  slider->setMaximumValue(0);
  auto empty = draw(0);
  EXPECT_TRUE(white(empty->pixelAt(14, 15)));
}

class PanelPicturesTest : public ::testing::Test {
 protected:
  std::shared_ptr<const Picture> panelAfter(const std::string& script) {
    std::ostringstream out;
    std::ostringstream err;
    ScriptRunner runner(simulator, out, err);
    std::istringstream input("boot\nmusic queue \"Night Drive\" 1500\nmusic play\ncc expand\n" + script);
    runner.runScript(input, "test.sim");
    EXPECT_EQ(runner.finish(), 0) << err.str();
    std::ostringstream notes;
    return screens.draw(simulator.device(), ScreenPainter::Screen::Panel, notes);
  }

  Simulator simulator{std::nullopt, false};
  ScreenPainter screens;
};

// How much brighter than the page's own colour a band of the picture gets at most.
int brightest(const Picture& picture, double x, double y, double width, double height, const Pixel& page) {
  int most = 0;
  for (double py = y; py < y + height; py += 0.5) {
    for (double px = x; px < x + width; px += 0.5) {
      const Pixel pixel = picture.pixelAt(px, py);
      most = std::max(most, (pixel.red + pixel.green + pixel.blue - page.red - page.green - page.blue) / 3);
    }
  }
  return most;
}

// The songs wheel on 3: the number in the selection at full strength, 2 and 4 around it fainter,
// and the rows farther away not drawn. Rows are 32 high, the selection's at 109 to 141.
TEST_F(PanelPicturesTest, TheSongsPickerShowsTheSelectedRowAndItsNeighboursFading) {
  const auto picture = panelAfter("tap sleep\ntap mode\npick songs 3\n");
  const Pixel page = picture->pixelAt(60, 70);
  const int selected = brightest(*picture, 108, 109, 30, 32, page);
  const int above = brightest(*picture, 108, 77, 30, 32, page);
  const int below = brightest(*picture, 108, 141, 30, 32, page);
  EXPECT_GT(selected, 150);
  EXPECT_GT(above, 30);
  EXPECT_LT(above, selected / 2);
  EXPECT_GT(below, 30);
  EXPECT_LT(below, selected / 2);
  EXPECT_LE(brightest(*picture, 108, 45, 30, 32, page), 2);
  EXPECT_LE(brightest(*picture, 108, 173, 30, 32, page), 2);
}

// The current-timer page reads top to bottom: the title, the time, the unit, each in its own
// band with dark space between them.
TEST_F(PanelPicturesTest, TheCurrentTimerPagesLinesStandApart) {
  const auto picture = panelAfter("tap sleep\npick time 30\ntap confirm\nwait 1\n");
  const Pixel page = picture->pixelAt(160, 30);
  EXPECT_GT(brightest(*picture, 0, 60, 320, 24, page), 100);   // "Your music will stop in"
  EXPECT_GT(brightest(*picture, 0, 92, 320, 60, page), 100);   // "29:59"
  EXPECT_GT(brightest(*picture, 0, 160, 320, 24, page), 100);  // "minutes"
  // Clear of the page's rounded corners.
  EXPECT_LE(brightest(*picture, 20, 20, 280, 36, page), 2);
  EXPECT_LE(brightest(*picture, 20, 188, 280, 60, page), 2);
}

// The timer-actions page covers the panel: its title and its row of actions are drawn.
TEST_F(PanelPicturesTest, TheTimerActionsPageIsDrawnOverThePanel) {
  const auto picture = panelAfter("tap sleep\ntap actions\n");
  const Pixel page = picture->pixelAt(160, 60);
  EXPECT_GT(brightest(*picture, 45, 12, 230, 26, page), 100);  // "When the timer ends"
  // The three actions, unchecked and so faint, at 40, 130 and 220 across and 120 down.
  for (double x : {40, 130, 220}) EXPECT_GT(brightest(*picture, x, 120, 60, 60, page), 30) << x;
}

class PlotPicturesTest : public ::testing::Test {
 protected:
  void SetUp() override { fs::create_directories(directory); }
  void TearDown() override { fs::remove_all(directory); }

  // The plot's pixels, straight from the PNG, at points of the plot.
  struct Plot {
    cairo_surface_t* surface;
    ~Plot() { cairo_surface_destroy(surface); }
    uint32_t at(double x, double y) const {
      uint32_t pixel = 0;
      std::memcpy(&pixel,
                  cairo_image_surface_get_data(surface) +
                      static_cast<ptrdiff_t>(y * 2) * cairo_image_surface_get_stride(surface) +
                      4 * static_cast<ptrdiff_t>(x * 2),
                  sizeof pixel);
      return pixel & 0xFFFFFF;
    }
    bool inked(double x, double y, double width, double height) const {
      for (double py = y; py < y + height; py += 0.5)
        for (double px = x; px < x + width; px += 0.5)
          if ((at(px, py) & 0xFF) < 160) return true;
      return false;
    }
  };

  Plot plotAfter(const std::string& script) {
    const auto file = directory / "plot.png";
    std::ostringstream out;
    std::ostringstream err;
    ScriptRunner runner(simulator, out, err);
    std::istringstream input("boot\nmusic queue \"Night Drive\" 1500\nmusic play\n" + script + "plot " +
                             file.string() + "\n");
    runner.runScript(input, "test.sim");
    EXPECT_EQ(runner.finish(), 0) << err.str();
    return Plot{cairo_image_surface_create_from_png(file.c_str())};
  }

  Simulator simulator{std::nullopt, false};
  fs::path directory = fs::temp_directory_path() / ("lunadoze-plot-" + std::to_string(getpid()));
};

// A band lane from 0 to 300 s spans x 110 to 876 and y 36 to 66; its time axis is labelled below.
TEST_F(PlotPicturesTest, AValueKeepsItsColourEachTimeItComesBackAndTheAxisIsLabelledInClockTime) {
  const Plot plot = plotAfter("record music\nwait 100\nmusic pause\nwait 100\nmusic play\nwait 100\n");
  auto x = [](double clock) { return 110 + clock / 300 * 766; };
  const uint32_t playing = plot.at(x(20), 39);
  const uint32_t paused = plot.at(x(120), 39);
  EXPECT_EQ(plot.at(x(280), 39), playing);
  EXPECT_NE(paused, playing);
  EXPECT_NE(paused, 0xFFFFFFu);
  // Past the lanes, the plot is white again.
  EXPECT_EQ(plot.at(x(150), 68), 0xFFFFFFu);
  // A label under every minute, nothing under the half minutes between them, and the last one
  // whole inside the picture.
  for (double minute = 60; minute <= 300; minute += 60) {
    EXPECT_TRUE(plot.inked(x(minute) - 20, 72, 40, 16)) << minute;
    EXPECT_FALSE(plot.inked(x(minute - 30) - 2, 72, 4, 16)) << minute;
  }
  EXPECT_FALSE(plot.inked(898, 72, 2, 16));
}

// A key longer than the room beside its lane is set smaller, not cut at the picture's edge.
TEST_F(PlotPicturesTest, ALongKeyStaysInsideThePicture) {
  const Plot plot = plotAfter("record music.volume\nwait 60\n");
  EXPECT_TRUE(plot.inked(8, 36, 66, 20));
  EXPECT_FALSE(plot.inked(0, 36, 6, 20));
}

}  // namespace
}  // namespace lunadoze::sim
