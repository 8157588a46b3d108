// Which save types a save can offer: those with an encoder in this build.
#include <gtest/gtest.h>

#include <vector>

#include "codecs/image_encoders.h"

namespace {

TEST(OfferedSaveTypes, OnlyTypesWithAnEncoder) {
  for (bool from_jpeg : {false, true}) {
    std::vector<int32_t> offered = OfferedSaveTypes(from_jpeg);
    EXPECT_EQ(offered, (std::vector<int32_t>{kSaveBmp, kSavePng, kSaveJpeg})) << "from a JPEG: " << from_jpeg;
    for (int32_t type : offered) EXPECT_TRUE(HasEncoder(type)) << type;
  }
  EXPECT_TRUE(HasEncoder(kSavePng));
  EXPECT_TRUE(HasEncoder(kSaveJpeg));
  EXPECT_FALSE(HasEncoder(kSaveJpegLossless));
}

}  // namespace
