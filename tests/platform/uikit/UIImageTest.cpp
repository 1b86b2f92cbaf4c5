#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "platform/foundation/DeviceFileSystem.h"
#include "platform/uikit/UIImage.h"
#include "tests/platform/foundation/TemporaryDirectory.h"

namespace platform::uikit {
namespace {

using foundation::DeviceFileSystem;

class UIImageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::ifstream staged(std::filesystem::path(LUNADOZE_STAGE_DIR) /
                             "Library/Application Support/LunadozeBundle.bundle/sleepIcon.png",
                         std::ios::binary);
    png.assign(std::istreambuf_iterator<char>(staged), {});
    ASSERT_GT(png.size(), 100u);
    DeviceFileSystem::setRoot(device.path());
  }

  void write(const char* name, const std::string& bytes) {
    std::ofstream(device.path() / name, std::ios::binary) << bytes;
  }

  foundation::TemporaryDirectory device;
  std::string png;
};

TEST_F(UIImageTest, AValidPngLoadsWithItsSize) {
  write("icon.png", png);
  auto image = UIImage::imageWithContentsOfFile("/icon.png");
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(image->size(), CGSizeMake(64, 64));
  EXPECT_EQ(image->renderingMode(), UIImageRenderingMode::Automatic);
  EXPECT_EQ(image->name(), "icon");
}

TEST_F(UIImageTest, MissingOrDamagedFilesGiveNil) {
  std::string damaged = png;
  damaged[damaged.size() / 2] ^= 0x55;  // the compressed pixels: only a full decode notices
  write("damaged.png", damaged);
  write("truncated.png", png.substr(0, png.size() - 20));
  write("text.png", "not an image");
  EXPECT_EQ(UIImage::imageWithContentsOfFile("/damaged.png"), nullptr);
  EXPECT_EQ(UIImage::imageWithContentsOfFile("/truncated.png"), nullptr);
  EXPECT_EQ(UIImage::imageWithContentsOfFile("/text.png"), nullptr);
  EXPECT_EQ(UIImage::imageWithContentsOfFile("/absent.png"), nullptr);
  EXPECT_EQ(UIImage::imageWithContentsOfFile(""), nullptr);
}

TEST_F(UIImageTest, RenderingModeMakesANewImageOfTheSameSizeAndName) {
  write("icon.png", png);
  auto original = UIImage::imageWithContentsOfFile("/icon.png");
  auto templateImage = original->imageWithRenderingMode(UIImageRenderingMode::AlwaysTemplate);
  EXPECT_EQ(templateImage->renderingMode(), UIImageRenderingMode::AlwaysTemplate);
  EXPECT_EQ(templateImage->size(), original->size());
  EXPECT_EQ(templateImage->name(), "icon");
  EXPECT_EQ(original->renderingMode(), UIImageRenderingMode::Automatic);
}

}  // namespace
}  // namespace platform::uikit
