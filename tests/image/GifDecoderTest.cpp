// The GIF decoder reads pictures users pick for the map: it must give the right pixels, and end every
// damaged file in a picture or a refusal, never a read outside its buffers. Run under AddressSanitizer too.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "image/GifDecoder.h"

namespace {

// 3 x 2 pixels: red, green, red / red, red, transparent (its colour index 2 is named transparent).
const std::vector<std::uint8_t> kSmallGif = {
    0x47, 0x49, 0x46, 0x38, 0x39, 0x61, 0x03, 0x00, 0x02, 0x00, 0xf1, 0x00, 0x00, 0xff, 0x00, 0x00, 0x00,
    0xff, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x21, 0xf9, 0x04, 0x01, 0x00, 0x00, 0x02, 0x00, 0x2c,
    0x00, 0x00, 0x00, 0x00, 0x03, 0x00, 0x02, 0x00, 0x00, 0x02, 0x03, 0x44, 0x80, 0x52, 0x00, 0x3b};

TEST(GifDecoderTest, PixelsAndTransparencyOfTheFirstImage) {
  const std::optional<GifPicture> picture = DecodeGif(kSmallGif.data(), kSmallGif.size());
  ASSERT_TRUE(picture);
  EXPECT_EQ(picture->width, 3);
  EXPECT_EQ(picture->height, 2);
  const std::vector<std::uint8_t> red = {0xff, 0, 0}, green = {0, 0xff, 0};
  const std::vector<std::vector<std::uint8_t>> expected = {red, green, red, red, red};
  for (std::size_t i = 0; i < expected.size(); ++i)
    EXPECT_EQ(std::vector<std::uint8_t>(picture->rgb.begin() + 3 * i, picture->rgb.begin() + 3 * i + 3), expected[i])
        << "pixel " << i;
  EXPECT_EQ(picture->alpha, (std::vector<std::uint8_t>{255, 255, 255, 255, 255, 0}));
}

TEST(GifDecoderTest, TruncatedAndForeignFilesGiveNoPicture) {
  for (std::size_t length : {std::size_t{0}, std::size_t{3}, std::size_t{12}, std::size_t{40}})
    EXPECT_FALSE(DecodeGif(kSmallGif.data(), length)) << length << " bytes";
  const std::vector<std::uint8_t> png = {0x89, 'P', 'N', 'G', 0x0d, 0x0a, 0x1a, 0x0a, 0, 0, 0, 0};
  EXPECT_FALSE(DecodeGif(png.data(), png.size()));
}

TEST(GifDecoderTest, MutatedFilesAreReadOrRefusedWithoutHarm) {
  std::mt19937 random(41);
  for (int round = 0; round < 20000; ++round) {
    std::vector<std::uint8_t> bytes = kSmallGif;
    const int changes = 1 + static_cast<int>(random() % 6);
    for (int i = 0; i < changes; ++i) bytes[random() % bytes.size()] = static_cast<std::uint8_t>(random());
    if (round % 4 == 0) bytes.resize(random() % bytes.size() + 1);
    // A copy of just the right size, so that a read past the end is a finding.
    const std::vector<std::uint8_t> exact(bytes.begin(), bytes.end());
    const std::optional<GifPicture> picture = DecodeGif(exact.data(), exact.size());
    if (!picture) continue;
    const std::size_t pixels = static_cast<std::size_t>(picture->width) * picture->height;
    ASSERT_GT(pixels, 0u) << "round " << round;
    EXPECT_EQ(picture->rgb.size(), pixels * 3) << "round " << round;
    EXPECT_TRUE(picture->alpha.empty() || picture->alpha.size() == pixels) << "round " << round;
  }
}

}  // namespace
