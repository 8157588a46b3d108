// Which save types a save can offer: those with an encoder in this build.
#include <gtest/gtest.h>

#include <vector>

#include "codecs/image_encoders.h"

namespace {

TEST(OfferedSaveTypes, OnlyTypesWithAnEncoder) {
  EXPECT_EQ(OfferedSaveTypes(false),
            (std::vector<int32_t>{kSaveBmp, kSavePng, kSaveJpeg, kSaveTiff, kSaveGif}));
  EXPECT_EQ(OfferedSaveTypes(true),
            (std::vector<int32_t>{kSaveBmp, kSavePng, kSaveJpeg, kSaveTiff, kSaveGif, kSaveJpegLossless}))
      << "a JPEG may keep its coded data";
  for (int32_t type : OfferedSaveTypes(true)) EXPECT_TRUE(HasEncoder(type)) << type;
  EXPECT_FALSE(HasEncoder(kSaveJpegLossless + 1));
}

}  // namespace
