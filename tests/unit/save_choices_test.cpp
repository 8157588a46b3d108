// The save types' options as the save dialog and the save-options bar both
// offer them.
#include <gtest/gtest.h>

#include <vector>

#include "app/save_choices.h"
#include "codecs/save_options.h"

namespace {

std::vector<int32_t> Depths(int32_t type) {
  std::span<const int32_t> d = SaveDepthsOf(type);
  return {d.begin(), d.end()};
}

TEST(SaveChoices, EachTypeOffersWhatItsWriterTakes) {
  EXPECT_EQ(Depths(kSaveBmp), (std::vector<int32_t>{24, 8, 4, 1}));
  EXPECT_EQ(Depths(kSavePng), (std::vector<int32_t>{24, 8, 4, 2, 1}));
  EXPECT_EQ(Depths(kSaveGif), (std::vector<int32_t>{8, 7, 6, 5, 4, 3, 2, 1}));
  EXPECT_TRUE(Depths(kSaveJpeg).empty());
  for (int32_t type : {kSavePng, kSaveGif}) {
    EXPECT_TRUE(SaveTypeOffers(type, SaveChoice::kTransparency));
  }
  for (int32_t type : {kSaveBmp, kSaveJpeg, kSaveTiff, kSaveJpegLossless}) {
    EXPECT_FALSE(SaveTypeOffers(type, SaveChoice::kTransparency));
  }
  EXPECT_TRUE(SaveTypeOffers(kSaveJpeg, SaveChoice::kQuality));
  EXPECT_FALSE(SaveTypeOffers(kSaveJpegLossless, SaveChoice::kQuality)) << "its data is kept";
  EXPECT_FALSE(SaveTypeOffers(-1, SaveChoice::kDepth));
  EXPECT_FALSE(SaveTypeOffers(40, SaveChoice::kDepth));
}

TEST(SaveChoices, GreyCountsForPngAndTiffOnlyAtEightBits) {
  SettingsValues s{};
  s.save_png_depth = 24;
  s.save_tiff_depth = 8;
  EXPECT_FALSE(SaveGreyOffered(s, kSavePng));
  EXPECT_TRUE(SaveGreyOffered(s, kSaveTiff));
  EXPECT_TRUE(SaveGreyOffered(s, kSaveJpeg));
  EXPECT_FALSE(SaveGreyOffered(s, kSaveBmp));
  EXPECT_EQ(SaveGreySetting(s, kSaveJpegLossless), &s.save_jpeg_greyscale)
      << "one greyscale choice serves both JPEG saves";
  EXPECT_EQ(SaveGreySetting(s, kSaveGif), nullptr);
  *SaveDepthSetting(s, kSaveGif) = 5;
  EXPECT_EQ(SaveDepthOf(s, kSaveGif), 5);
  EXPECT_EQ(SaveDepthOf(s, kSaveJpeg), 24);
}

TEST(SaveChoices, ATypeThisImageCannotTakeBecomesOneItCan) {
  EXPECT_EQ(SaveTypeFor(kSaveJpegLossless, true), kSaveJpegLossless);
  EXPECT_EQ(SaveTypeFor(kSaveJpegLossless, false), kSaveJpeg);
  EXPECT_EQ(SaveTypeFor(kSaveGif, false), kSaveGif);
  EXPECT_EQ(SaveTypeFor(17, false), kSaveBmp) << "an unknown stored type";
}

}  // namespace
