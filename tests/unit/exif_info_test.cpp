// The Exif dialog's items: hand-built blocks of both byte orders for every
// rule of the value texts, broken blocks, and JPEG files that exiftool and
// ImageMagick wrote, whose values must read back as those tools wrote them.
#include "codecs/exif_info.h"

#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

#include "image/utf8_text.h"
#include "lang/exif_strings_en.h"
#include "tests/unit/imagemagick_support.h"
#include "tests/unit/jpeg_test_support.h"
#include "tests/unit/test_files.h"

namespace {

constexpr bool kOrders[] = {true, false};

// An Exif block whose entries may carry values of any length: the values
// longer than four bytes go to a data area behind the IFDs.
class ValueBlock {
 public:
  explicit ValueBlock(bool little) : little_(little) {}

  ValueBlock& Ascii(uint16_t tag, const std::string& text, bool sub = false) {
    Bytes v(text.begin(), text.end());
    v.push_back(0);
    return Add(tag, 2, static_cast<uint32_t>(v.size()), v, sub);
  }
  ValueBlock& Undefined(uint16_t tag, const Bytes& v, bool sub = true) {
    return Add(tag, 7, static_cast<uint32_t>(v.size()), v, sub);
  }
  ValueBlock& Short(uint16_t tag, std::vector<uint16_t> values, bool sub = true) {
    Bytes v;
    for (uint16_t x : values) Put16(&v, x);
    return Add(tag, 3, static_cast<uint32_t>(values.size()), v, sub);
  }
  ValueBlock& Long(uint16_t tag, uint32_t value, bool sub = false) {
    Bytes v;
    Put32(&v, value);
    return Add(tag, 4, 1, v, sub);
  }
  ValueBlock& Rational(uint16_t tag, std::vector<std::pair<uint32_t, uint32_t>> values,
                       bool sub = true, uint16_t type = 5) {
    Bytes v;
    for (auto [n, d] : values) {
      Put32(&v, n);
      Put32(&v, d);
    }
    return Add(tag, type, static_cast<uint32_t>(values.size()), v, sub);
  }
  ValueBlock& SRational(uint16_t tag, int32_t n, int32_t d) {
    return Rational(tag, {{uint32_t(n), uint32_t(d)}}, true, 10);
  }
  ValueBlock& NoSubIfd() {
    with_sub_ = false;
    return *this;
  }
  ValueBlock& Ifd1At(uint32_t offset) {
    ifd1_ = offset;
    return *this;
  }

  Bytes Build() const {
    std::vector<Field> ifd0 = ifd0_;
    const size_t ifd0_size = 2 + 12 * (ifd0.size() + (with_sub_ ? 1 : 0)) + 4;
    const uint32_t sub_at = static_cast<uint32_t>(8 + ifd0_size);
    if (with_sub_) {
      Bytes pointer;
      Put32(&pointer, sub_at);
      ifd0.push_back({34665, 4, 1, pointer});
    }
    const size_t sub_size = with_sub_ ? 2 + 12 * sub_.size() + 4 : 0;
    uint32_t data_at = static_cast<uint32_t>(sub_at + sub_size);
    Bytes t = {uint8_t(little_ ? 'I' : 'M'), uint8_t(little_ ? 'I' : 'M')};
    Put16(&t, 42);
    Put32(&t, 8);
    Bytes data;
    Ifd(&t, ifd0, ifd1_, &data_at, &data);
    if (with_sub_) Ifd(&t, sub_, 0, &data_at, &data);
    t.insert(t.end(), data.begin(), data.end());
    Bytes block = {'E', 'x', 'i', 'f', 0, 0};
    block.insert(block.end(), t.begin(), t.end());
    return block;
  }

 private:
  struct Field {
    uint16_t tag, type;
    uint32_t count;
    Bytes value;
  };

  ValueBlock& Add(uint16_t tag, uint16_t type, uint32_t count, const Bytes& v, bool sub) {
    (sub && with_sub_ ? sub_ : ifd0_).push_back({tag, type, count, v});
    return *this;
  }
  void Put16(Bytes* b, uint16_t v) const {
    if (little_)
      b->insert(b->end(), {uint8_t(v), uint8_t(v >> 8)});
    else
      b->insert(b->end(), {uint8_t(v >> 8), uint8_t(v)});
  }
  void Put32(Bytes* b, uint32_t v) const {
    Put16(b, uint16_t(little_ ? v : v >> 16));
    Put16(b, uint16_t(little_ ? v >> 16 : v));
  }
  // The IFD's entries to b, values longer than four bytes to data, which
  // starts at *data_at of the TIFF data.
  void Ifd(Bytes* b, const std::vector<Field>& fields, uint32_t next, uint32_t* data_at,
           Bytes* data) const {
    Put16(b, static_cast<uint16_t>(fields.size()));
    for (const Field& f : fields) {
      Put16(b, f.tag);
      Put16(b, f.type);
      Put32(b, f.count);
      if (f.value.size() <= 4) {
        Bytes inline_value = f.value;
        inline_value.resize(4, 0);
        b->insert(b->end(), inline_value.begin(), inline_value.end());
      } else {
        Put32(b, *data_at + static_cast<uint32_t>(data->size()));
        data->insert(data->end(), f.value.begin(), f.value.end());
      }
    }
    Put32(b, next);
  }

  bool little_;
  bool with_sub_ = true;
  uint32_t ifd1_ = 0;
  std::vector<Field> ifd0_, sub_;
};

ExifInfo Read(const Bytes& data) {
  ExifInfo info;
  EXPECT_TRUE(ReadExifInfo(data.data(), data.size(), EnglishExifText, &info));
  return info;
}

// The value text of an item as UTF-8, or "(absent)".
std::string Value(const ExifInfo& info, int item) {
  return info.items[item].present ? Utf8FromUtf16(info.items[item].value) : "(absent)";
}

std::string ItemOf(const ValueBlock& b, int item) { return Value(Read(b.Build()), item); }

int PresentCount(const ExifInfo& info) {
  int n = 0;
  for (const ExifItem& item : info.items) n += item.present;
  return n;
}

TEST(ExifInfo, ExposureTimeIsAFractionBelowOneSecondAndANumberAbove) {
  for (const bool little : kOrders) {
    EXPECT_EQ(ItemOf(ValueBlock(little).Rational(33434, {{1, 250}}), 10), "1/250 s");
    EXPECT_EQ(ItemOf(ValueBlock(little).Rational(33434, {{10, 2500}}), 10), "1/250 s");
    EXPECT_EQ(ItemOf(ValueBlock(little).Rational(33434, {{2, 1}}), 10), "2 s");
    EXPECT_EQ(ItemOf(ValueBlock(little).Rational(33434, {{5, 2}}), 10), "2.5 s");
    EXPECT_EQ(ItemOf(ValueBlock(little).Rational(33434, {{1, 0}}), 10), "(absent)");
  }
}

TEST(ExifInfo, FlashNamesFiringModeAndRedEye) {
  for (const bool little : kOrders) {
    EXPECT_EQ(ItemOf(ValueBlock(little).Short(37385, {0x19}), 25), "Fired, automatic mode");
    EXPECT_EQ(ItemOf(ValueBlock(little).Short(37385, {0x10}), 25), "Did not fire, forced off");
    EXPECT_EQ(ItemOf(ValueBlock(little).Short(37385, {0x09}), 25), "Fired, forced on");
    EXPECT_EQ(ItemOf(ValueBlock(little).Short(37385, {0x00}), 25), "Did not fire, mode unknown");
    EXPECT_EQ(ItemOf(ValueBlock(little).Short(37385, {0x59}), 25),
              "Fired, automatic mode, red-eye reduction");
    EXPECT_EQ(ItemOf(ValueBlock(little).Short(37385, {0x40}), 25), "Did not fire, mode unknown")
        << "red-eye reduction only counts when the flash fired";
  }
}

TEST(ExifInfo, EnumerationsOutsideTheirRangesShowNothing) {
  for (const bool little : kOrders) {
    EXPECT_EQ(ItemOf(ValueBlock(little).Short(37384, {7}), 24), "(absent)");
    EXPECT_EQ(ItemOf(ValueBlock(little).Short(37384, {4}), 24), "Flash");
    EXPECT_EQ(ItemOf(ValueBlock(little).Short(37384, {9}), 24), "Fine weather");
    EXPECT_EQ(ItemOf(ValueBlock(little).Short(37384, {24}), 24), "ISO studio tungsten");
    EXPECT_EQ(ItemOf(ValueBlock(little).Short(37384, {25}), 24), "(absent)");
    EXPECT_EQ(ItemOf(ValueBlock(little).Short(37384, {255}), 24), "Other light source");
    EXPECT_EQ(ItemOf(ValueBlock(little).Short(37383, {255}), 23), "Other");
    EXPECT_EQ(ItemOf(ValueBlock(little).Short(37383, {7}), 23), "(absent)");
    EXPECT_EQ(ItemOf(ValueBlock(little).Short(274, {6}, false), 9), "Rotated 90 degrees clockwise");
    EXPECT_EQ(ItemOf(ValueBlock(little).Short(274, {0}, false), 9), "(absent)");
    EXPECT_EQ(ItemOf(ValueBlock(little).Short(41495, {6}), 47), "(absent)");
    EXPECT_EQ(ItemOf(ValueBlock(little).Short(41495, {8}), 47), "Colour sequential linear sensor");
    EXPECT_EQ(ItemOf(ValueBlock(little).Undefined(41728, {3}), 48), "Digital camera");
    EXPECT_EQ(ItemOf(ValueBlock(little).Undefined(41729, {1}), 49), "Directly photographed");
    EXPECT_EQ(ItemOf(ValueBlock(little).Short(40961, {1}), 39), "sRGB");
    EXPECT_EQ(ItemOf(ValueBlock(little).Short(40961, {65535}), 39), "Uncalibrated");
    EXPECT_EQ(ItemOf(ValueBlock(little).Short(40961, {2}), 39), "(absent)");
  }
}

TEST(ExifInfo, WithoutASubIfdOnlyTheFirstDirectoryIsShown) {
  for (const bool little : kOrders) {
    const ExifInfo info = Read(ValueBlock(little)
                                   .NoSubIfd()
                                   .Ascii(271, "Maker")
                                   .Ascii(272, "Cam")
                                   .Short(274, {1})
                                   .Rational(33434, {{1, 60}})
                                   .Build());
    EXPECT_EQ(Value(info, 0), "Maker");
    EXPECT_EQ(Value(info, 1), "Cam");
    EXPECT_EQ(Value(info, 9), "Normal");
    EXPECT_EQ(Value(info, 10), "1/60 s") << "an IFD0 tag of the sub-IFD is read where it lies";
    EXPECT_EQ(PresentCount(info), 4);
  }
}

TEST(ExifInfo, TextsInlineOrAtAnOffsetAndCutAt259Bytes) {
  for (const bool little : kOrders) {
    EXPECT_EQ(ItemOf(ValueBlock(little).Ascii(271, "Abc"), 0), "Abc") << "four bytes sit inline";
    EXPECT_EQ(ItemOf(ValueBlock(little).Ascii(305, "Editor 1.0"), 5), "Editor 1.0");
    const std::string long_text(300, 'x');
    EXPECT_EQ(ItemOf(ValueBlock(little).Ascii(270, long_text), 50), std::string(259, 'x'));
    EXPECT_EQ(ItemOf(ValueBlock(little).Ascii(315, "Caf\xE9"), 52), "Caf\xC3\xA9")
        << "texts are in the ANSI code page";
    EXPECT_EQ(ItemOf(ValueBlock(little).Undefined(36864, {'0', '2', '3', '2'}), 58), "0232");
    EXPECT_EQ(ItemOf(ValueBlock(little).Undefined(40960, {'0', '1', '0', '0'}), 59), "0100");
  }
}

TEST(ExifInfo, DatesCarryTheirSubseconds) {
  for (const bool little : kOrders) {
    const ExifInfo info = Read(ValueBlock(little)
                                   .Ascii(306, "2020:01:02 03:04:05")
                                   .Ascii(37520, "12", true)
                                   .Ascii(36867, "2020:01:02 03:04:00", true)
                                   .Ascii(36868, "2020:01:02 03:04:01", true)
                                   .Ascii(37522, "999", true)
                                   .Build());
    EXPECT_EQ(Value(info, 6), "2020:01:02 03:04:05 (subsec:12)");
    EXPECT_EQ(Value(info, 7), "2020:01:02 03:04:00");
    EXPECT_EQ(Value(info, 8), "2020:01:02 03:04:01 (subsec:999)");
  }
}

TEST(ExifInfo, ApexValuesShowTheirMeaning) {
  for (const bool little : kOrders) {
    EXPECT_EQ(ItemOf(ValueBlock(little).SRational(37377, 8, 1), 12), "8.00 Tv (1/256 s)");
    EXPECT_EQ(ItemOf(ValueBlock(little).SRational(37377, -1, 1), 12), "-1.00 Tv (2 s)");
    EXPECT_EQ(ItemOf(ValueBlock(little).Rational(37378, {{4, 1}}), 13), "4.00 Av (F4.00)");
    EXPECT_EQ(ItemOf(ValueBlock(little).Rational(37381, {{3, 1}}), 16), "3.00 Av (F2.83)");
    EXPECT_EQ(ItemOf(ValueBlock(little).SRational(37379, -1, 1), 14), "Unknown");
    EXPECT_EQ(ItemOf(ValueBlock(little).SRational(37379, -3, 2), 14), "-1.50 Bv");
    EXPECT_EQ(ItemOf(ValueBlock(little).SRational(37380, -2, 3), 15), "-0.67 Ev");
    EXPECT_EQ(ItemOf(ValueBlock(little).SRational(37380, 1, 3), 15), "+0.33 Ev");
    EXPECT_EQ(ItemOf(ValueBlock(little).Rational(33437, {{28, 10}}), 11), "F2.8");
  }
}

TEST(ExifInfo, IsoSpeedNamesItsSensitivityType) {
  for (const bool little : kOrders) {
    EXPECT_EQ(ItemOf(ValueBlock(little).Short(34855, {400}), 22), "400");
    EXPECT_EQ(ItemOf(ValueBlock(little).Short(34855, {400}).Short(34864, {3}), 22),
              "400 (ISO speed)");
    EXPECT_EQ(ItemOf(ValueBlock(little).Short(34855, {400}).Short(34864, {8}), 22), "400");
    // Above 65534 the exact value lies in the tag the type names.
    EXPECT_EQ(ItemOf(ValueBlock(little)
                         .Short(34855, {65535})
                         .Short(34864, {2})
                         .Long(34865, 80000, true)
                         .Long(34866, 102400, true),
                     22),
              "102400 (recommended exposure index)");
    EXPECT_EQ(ItemOf(ValueBlock(little).Short(34855, {65535}).Short(34864, {2}), 22),
              "65535 (recommended exposure index)");
  }
}

TEST(ExifInfo, LengthsDistancesAndZoom) {
  for (const bool little : kOrders) {
    EXPECT_EQ(ItemOf(ValueBlock(little).Rational(42034, {{24, 1}, {70, 1}, {28, 10}, {4, 1}}), 4),
              "24 - 70 mm (F2.8 - 4.0)");
    EXPECT_EQ(ItemOf(ValueBlock(little).Rational(42034, {{24, 1}, {70, 1}, {0, 0}, {4, 1}}), 4),
              "(absent)");
    EXPECT_EQ(ItemOf(ValueBlock(little).Rational(37386, {{35, 1}}).Short(41989, {52}), 27),
              "35.0 mm (35 mm equivalent: 52 mm)");
    EXPECT_EQ(ItemOf(ValueBlock(little).Rational(37386, {{35, 1}}).Short(41989, {0}), 27),
              "35.0 mm (35 mm equivalent unknown)");
    EXPECT_EQ(ItemOf(ValueBlock(little).Short(41989, {52}), 27), "(absent)");
    EXPECT_EQ(ItemOf(ValueBlock(little).Rational(41988, {{0, 1}}), 28), "Not used");
    EXPECT_EQ(ItemOf(ValueBlock(little).Rational(41988, {{3, 2}}), 28), "1.50");
    EXPECT_EQ(ItemOf(ValueBlock(little).Rational(37382, {{0, 1}}), 29), "Unknown");
    EXPECT_EQ(ItemOf(ValueBlock(little).Rational(37382, {{0xFFFFFFFF, 1}}), 29), "Infinity");
    EXPECT_EQ(ItemOf(ValueBlock(little).Rational(37382, {{25, 10}}), 29), "2.50 m");
    EXPECT_EQ(ItemOf(ValueBlock(little).Rational(41483, {{5, 2}}), 26), "2.5 BCPS");
    EXPECT_EQ(ItemOf(ValueBlock(little).Rational(41493, {{100, 1}}), 20), "100");
    EXPECT_EQ(ItemOf(ValueBlock(little).Rational(41493, {{1, 3}}), 20), "0.33");
    EXPECT_EQ(ItemOf(ValueBlock(little).Rational(42240, {{22, 10}}), 40), "2.200");
    EXPECT_EQ(ItemOf(ValueBlock(little).Rational(37122, {{2, 1}}), 43), "2 bits/pixel");
  }
}

TEST(ExifInfo, PointsSizesAndResolutions) {
  for (const bool little : kOrders) {
    EXPECT_EQ(ItemOf(ValueBlock(little).Short(37396, {10, 20}), 31), "x:10, y:20");
    EXPECT_EQ(ItemOf(ValueBlock(little).Short(37396, {10, 20, 5}), 31), "x:10, y:20, d:5");
    EXPECT_EQ(ItemOf(ValueBlock(little).Short(37396, {10, 20, 6, 7}), 31), "x:10, y:20, w:6, h:7");
    EXPECT_EQ(ItemOf(ValueBlock(little).Short(37396, {10}), 31), "(absent)");
    EXPECT_EQ(ItemOf(ValueBlock(little).Short(41492, {3, 4}), 32), "x:3, y:4");
    EXPECT_EQ(ItemOf(ValueBlock(little).Short(40962, {640}).Long(40963, 480, true), 44), "640, 480");
    EXPECT_EQ(ItemOf(ValueBlock(little)
                         .Rational(282, {{72, 1}}, false)
                         .Rational(283, {{145, 2}}, false)
                         .Short(296, {2}, false),
                     45),
              "72, 72.5 pixels per inch");
    EXPECT_EQ(ItemOf(ValueBlock(little)
                         .Rational(41486, {{100, 1}})
                         .Rational(41487, {{100, 1}})
                         .Short(41488, {3}),
                     46),
              "100, 100 pixels per centimetre");
    EXPECT_EQ(ItemOf(ValueBlock(little).Rational(282, {{72, 1}}, false).Rational(283, {{72, 1}}, false), 45),
              "72, 72");
    EXPECT_EQ(ItemOf(ValueBlock(little).Undefined(37121, {1, 2, 3, 0}), 42), "YCbCr");
    EXPECT_EQ(ItemOf(ValueBlock(little).Undefined(37121, {4, 5, 6, 9}), 42), "RGB");
    EXPECT_EQ(ItemOf(ValueBlock(little).Short(531, {2}, false), 41), "Co-sited");
  }
}

TEST(ExifInfo, UserCommentShowsItsCodeAndSize) {
  for (const bool little : kOrders) {
    Bytes ascii = {'A', 'S', 'C', 'I', 'I', 0, 0, 0, 'h', 'i', '!'};
    EXPECT_EQ(ItemOf(ValueBlock(little).Undefined(37510, ascii), 51), "ASCII 3 bytes");
    Bytes undefined(20, 0);
    EXPECT_EQ(ItemOf(ValueBlock(little).Undefined(37510, undefined), 51), "Undefined 12 bytes");
    EXPECT_EQ(ItemOf(ValueBlock(little).Undefined(37510, {'A', 'S', 'C'}), 51), "(absent)");
  }
}

TEST(ExifInfo, PointersShowAsHexadecimal) {
  for (const bool little : kOrders) {
    const ExifInfo info = Read(ValueBlock(little).Long(34853, 0x1A2B).Ifd1At(0xBEEF).Build());
    EXPECT_EQ(Value(info, 60), "0x00001A2B");
    EXPECT_EQ(Value(info, 61), "0x0000BEEF");
    EXPECT_EQ(Value(Read(ValueBlock(little).Ascii(271, "M").Build()), 61), "(absent)");
  }
}

TEST(ExifInfo, EveryLabelAndEnumeratedStringHasAnEnglishText) {
  for (int item = 0; item < kExifItemCount; ++item)
    EXPECT_NE(EnglishExifString(kExifItemLabelBase + item), nullptr) << item;
  EXPECT_EQ(EnglishExifString(kExifItemLabelBase + kExifItemCount), nullptr);
  EXPECT_EQ(EnglishExifString(50335), nullptr) << "sensing method 6 has no name";
}

TEST(ExifInfo, FindsTheBlockInAJpegFileAndFailsWithoutOne) {
  const Bytes block = ValueBlock(false).Ascii(271, "Maker").Build();
  const Bytes jpeg = JpegStream().Soi().Segment(0xE0, {'J', 'F', 'I', 'F', 0}).Segment(0xE1, block).Sos().Eoi().bytes();
  EXPECT_EQ(Value(Read(jpeg), 0), "Maker");
  ExifInfo info;
  const Bytes plain = JpegStream().Soi().Comment("no exif").Sos().Eoi().bytes();
  EXPECT_FALSE(ReadExifInfo(plain.data(), plain.size(), EnglishExifText, &info));
  const Bytes broken = JpegStream().Soi().Raw({0xFF, 0xE1, 0x00, 0x01}).bytes();
  EXPECT_FALSE(ReadExifInfo(broken.data(), broken.size(), EnglishExifText, &info));
  EXPECT_FALSE(ReadExifInfo(nullptr, 0, EnglishExifText, &info));
}

TEST(ExifInfo, CutBlocksShowOnlyWhatLiesInside) {
  for (const bool little : kOrders) {
    const Bytes whole =
        ValueBlock(little).Ascii(271, "Manufacturer").Rational(33434, {{1, 8}}).Short(37385, {1}).Build();
    // Every prefix reads without looking past its end (the sanitizers
    // watch), and a value cut off is not shown.
    for (size_t size = 0; size <= whole.size(); ++size) {
      const Bytes cut(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(size));
      ExifInfo info;
      ReadExifInfo(cut.data(), cut.size(), EnglishExifText, &info);
      if (size < whole.size()) {
        EXPECT_FALSE(info.items[10].present) << size;
      }
    }
    Bytes huge_count = whole;
    // The Make entry's count (IFD0's first entry) made enormous.
    const size_t count_at = 6 + 8 + 2 + 4;
    for (int i = 0; i < 4; ++i) huge_count[count_at + i] = 0xFF;
    EXPECT_FALSE(Read(huge_count).items[0].present);
  }
}

// --- files written by exiftool ---------------------------------------------

constexpr const char* kExiftool = "/usr/bin/exiftool";

// The four bytes of GPS pointer as exiftool's verbose dump shows them, as
// a number in the file's byte order.
std::string DumpedGpsPointer(const std::string& file, bool little) {
  const std::string dump = CommandOutput(ToolCommand(kExiftool, "-v3 " + file));
  const std::regex pattern(
      "GPSInfo \\(SubDirectory\\) -->\\n[^\\n]*\\n[^:]*: ([0-9a-f]{2}) ([0-9a-f]{2}) ([0-9a-f]{2}) ([0-9a-f]{2})");
  std::smatch m;
  if (!std::regex_search(dump, m, pattern)) return "none";
  std::string hex = little ? m[4].str() + m[3].str() + m[2].str() + m[1].str()
                           : m[1].str() + m[2].str() + m[3].str() + m[4].str();
  for (char& c : hex) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return "0x" + hex;
}

TEST(ExifInfoInterop, ShowsWhatExiftoolWrote) {
  if (!HasImageMagick() || !HasTool(kExiftool)) GTEST_SKIP() << "needs ImageMagick and exiftool";
  for (const bool little : kOrders) {
    TempDir dir;
    const std::string file = dir.File("camera.jpg");
    ASSERT_TRUE(RunTool(kConvert, "-size 24x16 xc:'#336699' " + file));
    ASSERT_TRUE(RunTool(
        kExiftool,
        std::string("-q -overwrite_original -ExifByteOrder=") + (little ? "II" : "MM") +
            " -Make=Makerco '-Model=Model X1' '-ModifyDate=2024:05:06 07:08:10' -SubSecTime=45"
            " '-DateTimeOriginal=2024:05:06 07:08:09' -SubSecTimeOriginal=123"
            " -ExposureTime=1/250 -FNumber=2.8 -ISO=200 -SensitivityType#=2 -EXIF:Flash#=25"
            " -FocalLength=50 -FocalLengthIn35mmFormat=75 -LensMake=Lensco '-LensModel=Zoom 24-70'"
            " '-LensInfo=24 70 2.8 4' -LensSerialNumber=L123 -MeteringMode#=5 -ExposureProgram#=3"
            " -Orientation#=6 -GPSLatitude=48.5 -GPSLatitudeRef=N -GPSLongitude=2.25"
            " -GPSLongitudeRef=E " + file));
    const Bytes data = ReadWholeFile(file);
    const ExifInfo info = Read(data);
    EXPECT_EQ(Value(info, 0), "Makerco");
    EXPECT_EQ(Value(info, 1), "Model X1");
    EXPECT_EQ(Value(info, 2), "Lensco");
    EXPECT_EQ(Value(info, 3), "Zoom 24-70");
    EXPECT_EQ(Value(info, 4), "24 - 70 mm (F2.8 - 4.0)");
    EXPECT_EQ(Value(info, 6), "2024:05:06 07:08:10 (subsec:45)");
    EXPECT_EQ(Value(info, 7), "2024:05:06 07:08:09 (subsec:123)");
    EXPECT_EQ(Value(info, 9), "Rotated 90 degrees clockwise");
    EXPECT_EQ(Value(info, 10), "1/250 s");
    EXPECT_EQ(Value(info, 11), "F2.8");
    EXPECT_EQ(Value(info, 17), "Aperture priority");
    EXPECT_EQ(Value(info, 22), "200 (recommended exposure index)");
    EXPECT_EQ(Value(info, 23), "Pattern");
    EXPECT_EQ(Value(info, 25), "Fired, automatic mode");
    EXPECT_EQ(Value(info, 27), "50.0 mm (35 mm equivalent: 75 mm)");
    EXPECT_EQ(Value(info, 56), "L123");
    EXPECT_EQ(Value(info, 60), DumpedGpsPointer(file, little));
    EXPECT_NE(Value(info, 60), "(absent)");
  }
}

TEST(ExifInfoInterop, ShowsTheResolutionImageMagickWroteIntoTheBlock) {
  if (!HasImageMagick() || !HasTool(kExiftool)) GTEST_SKIP() << "needs ImageMagick and exiftool";
  TempDir dir;
  const std::string camera = dir.File("camera.jpg");
  const std::string scaled = dir.File("scaled.jpg");
  ASSERT_TRUE(RunTool(kConvert, "-size 24x16 xc:gray " + camera));
  ASSERT_TRUE(RunTool(kExiftool, "-q -overwrite_original -Make=Makerco -XResolution=72 "
                                 "-YResolution=72 -ResolutionUnit=inches " + camera));
  // ImageMagick keeps the Exif block and writes the new density into it.
  ASSERT_TRUE(RunTool(kConvert, camera + " -resize 50% -density 300x150 -units PixelsPerInch " + scaled));
  const ExifInfo info = Read(ReadWholeFile(scaled));
  EXPECT_EQ(Value(info, 0), Identified("%[EXIF:Make]", scaled));
  EXPECT_EQ(Identified("%[EXIF:XResolution],%[EXIF:YResolution]", scaled), "300/1,150/1");
  EXPECT_EQ(Value(info, 45), "300, 150 pixels per inch");
}

}  // namespace
