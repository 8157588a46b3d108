// PNG files the writer makes, at every depth and in every form, interlaced
// or not, with and without transparency, gamma and comment: ImageMagick
// reports the layout asked for and decodes exactly the expected pixels, and
// our own reader gives back the same image.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "codecs/memory_sink.h"
#include "codecs/png_writer.h"
#include "effects/luminance.h"
#include "tests/unit/image_test_support.h"
#include "tests/unit/imagemagick_support.h"
#include "tests/unit/png_test_support.h"
#include "tests/unit/test_files.h"

namespace {

constexpr int kWidth = 37, kHeight = 23;  // odd: partial bytes, partial passes

struct Form {
  const char* name;
  int source_bits;
  int target_bits;
  bool grey;
  int colours;  // distinct colours drawn: no more than the palette holds
  int depth, colour_type;
};

const Form kForms[] = {
    {"colour", 24, 24, false, 0, 8, 2},    {"colour_from_8", 8, 24, false, 200, 8, 2},
    {"palette8", 24, 8, false, 200, 8, 3}, {"palette8_from_8", 8, 8, false, 150, 8, 3},
    {"palette4", 24, 4, false, 16, 4, 3},  {"palette2", 8, 2, false, 4, 2, 3},
    {"palette1", 24, 1, false, 2, 1, 3},   {"grey", 24, 8, true, 0, 8, 0},
    {"grey_from_8", 8, 8, true, 90, 8, 0},
};

struct Variant {
  const Form* form;
  bool interlace;
  bool extras;  // transparency, gamma, resolution and comment
};

// Pixel (x, y) from the top as 0xRRGGBB: any colour, or one of `colours`;
// two colours are black and white, which a 1-bit image keeps exactly.
uint32_t Colour(const Form& f, int x, int y) {
  if (f.colours == 0) return uint32_t(x * 0x070B0D + y * 0x130503 + x * y * 0x010101) & 0xFFFFFF;
  const uint32_t i = uint32_t(x * 3 + y * 7 + x * y) % uint32_t(f.colours);
  if (f.colours == 2) return i ? 0xFFFFFF : 0;
  return (i * 0x2F4B61u + 0x102030u) & 0xFFFFFF;
}

void Draw(const Form& f, TestImage* image) {
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      if (f.source_bits == 24) {
        image->Set(x, y, Colour(f, x, y));
      } else {
        const uint32_t i = uint32_t(x * 3 + y * 7 + x * y) % uint32_t(f.colours);
        image->SetIndex(x, y, uint8_t(i));
      }
    }
  }
  if (f.source_bits == 8) {
    for (int i = 0; i < f.colours; ++i)
      image->SetEntry(i, (uint32_t(i) * 0x2F4B61u + 0x102030u) & 0xFFFFFF);
  }
}

uint32_t Expected(const Form& f, const TestImage& image, int x, int y) {
  const uint32_t rgb = image.Rgb(x, y);
  if (!f.grey) return rgb;
  return Luminance(uint8_t(rgb), uint8_t(rgb >> 8), uint8_t(rgb >> 16)) * 0x010101u;
}

std::vector<uint8_t> ExpectedRgb(const Form& f, const TestImage& image) {
  std::vector<uint8_t> rgb;
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      const uint32_t c = Expected(f, image, x, y);
      rgb.insert(rgb.end(), {uint8_t(c >> 16), uint8_t(c >> 8), uint8_t(c)});
    }
  }
  return rgb;
}

PngWriteContext ContextOf(const Variant& v) {
  PngWriteContext c;
  c.target_bits = v.form->target_bits;
  c.grey = v.form->grey;
  c.interlace = v.interlace;
  c.compression_level = 6;
  c.filter_mode = 0;
  if (v.extras) {
    c.transparency = true;
    c.transparent_colour = 0xFFFFFF;
    c.gamma = 2200;
    c.x_resolution = c.y_resolution = 3780;
    c.comment = "Written by the PNG writer's test";
  }
  return c;
}

std::string VariantName(const Variant& v) {
  return std::string(v.form->name) + (v.interlace ? "_interlaced" : "") +
         (v.extras ? "_with_extras" : "");
}
std::string NameOf(const testing::TestParamInfo<Variant>& info) { return VariantName(info.param); }
void PrintTo(const Variant& v, std::ostream* os) { *os << VariantName(v); }

std::vector<Variant> AllVariants() {
  std::vector<Variant> all;
  for (const Form& f : kForms) {
    for (bool interlace : {false, true}) {
      for (bool extras : {false, true}) all.push_back({&f, interlace, extras});
    }
  }
  return all;
}

class PngWriterInterop : public testing::TestWithParam<Variant> {
 protected:
  void SetUp() override {
    const Form& f = *GetParam().form;
    Draw(f, &image);
    MemorySink sink;
    ASSERT_EQ(WritePng(image.record, ContextOf(GetParam()), &sink), Status::kOk);
    png = sink.bytes();
  }
  TestImage image{kWidth, kHeight, GetParam().form->source_bits};
  Bytes png;
};

TEST_P(PngWriterInterop, ImageMagickReadsTheLayoutAndThePixels) {
  if (!HasImageMagick()) GTEST_SKIP() << "ImageMagick is not installed";
  const Variant v = GetParam();
  TempDir dir;
  const std::string file = dir.Write("written.png", png);
  const std::string expected_layout = std::to_string(v.form->depth) + " " +
                                      std::to_string(v.form->colour_type) + " " +
                                      (v.interlace ? "1" : "0");
  EXPECT_EQ(Identified("%[png:IHDR.bit-depth-orig] %[png:IHDR.color-type-orig] "
                       "%[png:IHDR.interlace_method]",
                       file)
                .substr(0, 5),
            expected_layout);
  if (v.extras) {
    EXPECT_EQ(Identified("%[gamma]|%c", file), "0.45455|Written by the PNG writer's test");
    EXPECT_NEAR(std::stod("0" + Identified("%x", file)), 37.8, 1e-6) << "pixels per centimetre";
  }
  EXPECT_EQ(DecodedRgb(dir, file), ExpectedRgb(*v.form, image));
}

TEST_P(PngWriterInterop, OurReaderGivesBackTheImage) {
  const Variant v = GetParam();
  DecodeSettings as_stored;
  as_stored.png.gamma_correction = false;
  as_stored.png.composite_transparency = false;
  DecodedPng back;
  Decode(png, &back, as_stored);
  ASSERT_EQ(back.status, Status::kOk);
  EXPECT_EQ(back.image.header.bit_count, v.form->colour_type == 2 ? 24 : 8);
  EXPECT_EQ(back.image.source_bits_per_pixel,
            uint32_t(v.form->colour_type == 2 ? 24 : v.form->depth));
  EXPECT_EQ(back.results.interlaced_or_progressive, v.interlace);
  EXPECT_EQ(back.results.transparency, v.extras);
  EXPECT_EQ(back.results.comment_count, v.extras ? 1 : 0);
  EXPECT_EQ(back.image.header.x_pels_per_meter, v.extras ? 3780 : 0);
  int wrong = 0;
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x)
      wrong += PixelRgb(back.image, x, y) != Expected(*v.form, image, x, y);
  }
  EXPECT_EQ(wrong, 0);
}

INSTANTIATE_TEST_SUITE_P(EveryForm, PngWriterInterop, testing::ValuesIn(AllVariants()), NameOf);

}  // namespace
