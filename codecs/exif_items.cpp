#include "codecs/exif_items.h"

#include <cinttypes>
#include <cmath>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

#include "image/code_page_text.h"

namespace {

// Strings shared by several items.
constexpr int kSecondsUnit = 50230;
constexpr int kResolutionUnitBase = 50208;  // 50210 inch, 50211 centimetre for units 2, 3
constexpr int kSensitivityTypeBase = 50250;

std::u16string Ascii(const std::string& text) { return std::u16string(text.begin(), text.end()); }

// Joins the parts by appending (GCC 12 warns wrongly about "literal" + a
// temporary string).
template <typename Char, typename... Parts>
std::basic_string<Char> Joined(const Parts&... parts) {
  std::basic_string<Char> text;
  (text.append(std::basic_string_view<Char>(parts)), ...);
  return text;
}
template <typename... Parts>
std::string Cat(const Parts&... parts) { return Joined<char>(parts...); }
template <typename... Parts>
std::u16string Cat16(const Parts&... parts) { return Joined<char16_t>(parts...); }

std::string Fixed(double value, int decimals) {
  char text[64];
  std::snprintf(text, sizeof(text), "%.*f", decimals, value);
  return text;
}

// The value with `decimals` decimals, or none when it rounds to a whole
// number there.
std::string Plain(double value, int decimals) {
  const double scale = std::pow(10.0, decimals);
  const double rounded = std::round(value * scale) / scale;
  return rounded == std::floor(rounded) && std::fabs(rounded) < 1e15 ? Fixed(rounded, 0)
                                                                     : Fixed(value, decimals);
}

std::string Integer(int64_t value) {
  char text[32];
  std::snprintf(text, sizeof(text), "%" PRId64, value);
  return text;
}

std::string Hex(uint32_t value) {
  char text[16];
  std::snprintf(text, sizeof(text), "0x%08X", value);
  return text;
}

// The general form of a rational value: at most two decimals, without
// trailing zeros.
std::string RationalText(const ExifRational& r) {
  std::string text = Plain(r.value(), 2);
  if (text.find('.') == std::string::npos) return text;
  while (text.back() == '0') text.pop_back();
  if (text.back() == '.') text.pop_back();
  return text;
}

// A plain number: integer types as they are, rationals in their general form.
std::optional<std::string> NumberText(const ExifFields& f, uint16_t tag, size_t index = 0) {
  if (auto r = f.Rational(tag, index)) return RationalText(*r);
  if (auto u = f.Unsigned(tag, index)) return Integer(*u);
  return std::nullopt;
}

// The string for an enumerated value in one of up to three ranges.
struct EnumRange {
  uint32_t first = 1;
  uint32_t last = 0;  // an empty range unless set
  int first_id = 0;
};

struct EnumItem {
  int item;
  uint16_t tag;
  EnumRange ranges[3];
};

constexpr EnumItem kEnumItems[] = {
    {9, 274, {{1, 8, 50200}}},
    {17, 34850, {{0, 8, 50240}}},
    {18, 41990, {{0, 2, 50400}}},
    {19, 41986, {{0, 2, 50370}}},
    {23, 37383, {{0, 6, 50280}, {255, 255, 50287}}},
    {24, 37384, {{0, 4, 50290}, {9, 24, 50299}, {255, 255, 50315}}},
    {30, 41996, {{0, 3, 50450}}},
    {33, 41987, {{0, 1, 50380}}},
    {34, 41985, {{0, 1, 50360}}},
    {35, 41991, {{0, 4, 50410}}},
    {36, 41992, {{0, 2, 50420}}},
    {37, 41993, {{0, 2, 50430}}},
    {38, 41994, {{0, 2, 50440}}},
    {41, 531, {{1, 2, 50220}}},
    {47, 41495, {{1, 5, 50330}, {7, 8, 50336}}},
    {48, 41728, {{0, 3, 50340}}},
    {49, 41729, {{1, 1, 50350}}},
};

struct TextItem {
  int item;
  uint16_t tag;
};

constexpr TextItem kTextItems[] = {
    {0, 271},    {1, 272},    {2, 42035},  {3, 42036},  {5, 305},    {21, 34852},
    {50, 270},   {52, 315},   {53, 33432}, {54, 42032}, {55, 42033}, {56, 42037},
    {57, 42016}, {58, 36864}, {59, 40960},
};

class ItemWriter {
 public:
  ItemWriter(const ExifFields& fields, const ExifStrings& strings, ExifInfo* out)
      : f_(fields), strings_(strings), out_(out) {}

  void WriteAll() {
    for (const TextItem& t : kTextItems) Text(t.item, t.tag);
    for (const EnumItem& e : kEnumItems) Enumeration(e);
    LensSpecification();
    DateTime(6, 306, 37520);
    DateTime(7, 36867, 37521);
    DateTime(8, 36868, 37522);
    ExposureTime();
    FNumber();
    ShutterSpeed();
    Aperture(13, 37378);
    Brightness();
    ExposureBias();
    Aperture(16, 37381);
    Suffixed(20, 41493, "");
    IsoSpeed();
    Flash();
    Suffixed(26, 41483, " BCPS");
    FocalLength();
    DigitalZoom();
    SubjectDistance();
    SubjectArea();
    SubjectLocation();
    ColourSpace();
    Gamma();
    ComponentsConfiguration();
    Suffixed(43, 37122, " bits/pixel");
    PixelDimensions();
    Resolution(45, 282, 283, 296);
    Resolution(46, 41486, 41487, 41488);
    UserComment();
    Pointer(60, f_.Unsigned(34853));
    if (f_.ifd1() != 0) Pointer(61, f_.ifd1());
  }

 private:
  void Set(int item, std::u16string value) {
    out_->items[item].present = true;
    out_->items[item].value = std::move(value);
  }
  std::u16string S(int id) const { return strings_ ? strings_(id) : std::u16string(); }

  void Text(int item, uint16_t tag) {
    if (auto text = f_.Text(tag)) Set(item, Utf16FromAnsi(*text));
  }

  void Enumeration(const EnumItem& e) {
    const auto value = f_.Unsigned(e.tag);
    if (!value) return;
    for (const EnumRange& r : e.ranges) {
      if (*value >= r.first && *value <= r.last) {
        Set(e.item, S(r.first_id + static_cast<int>(*value - r.first)));
        return;
      }
    }
  }

  void LensSpecification() {
    const auto min_focal = f_.Rational(42034, 0), max_focal = f_.Rational(42034, 1);
    const auto min_f = f_.Rational(42034, 2), max_f = f_.Rational(42034, 3);
    if (!min_focal || !max_focal || !min_f || !max_f) return;
    Set(4, Ascii(Cat(RationalText(*min_focal), " - ", RationalText(*max_focal), " mm (F",
                     Fixed(min_f->value(), 1), " - ", Fixed(max_f->value(), 1), ")")));
  }

  void DateTime(int item, uint16_t date_tag, uint16_t subsec_tag) {
    auto date = f_.Text(date_tag);
    if (!date) return;
    std::u16string value = Utf16FromAnsi(*date);
    if (auto subsec = f_.Text(subsec_tag)) value += Cat16(u" (subsec:", Utf16FromAnsi(*subsec), u")");
    Set(item, std::move(value));
  }

  void ExposureTime() {
    const auto r = f_.Rational(33434);
    if (!r) return;
    const bool fraction = r->numerator != 0 && r->numerator < r->denominator;
    const std::string time =
        fraction ? Cat("1/", Plain(double(r->denominator) / double(r->numerator), 1)) : Plain(r->value(), 1);
    Set(10, Cat16(Ascii(Cat(time, " ")), S(kSecondsUnit)));
  }

  void FNumber() {
    if (auto r = f_.Rational(33437)) Set(11, Ascii(Cat("F", Fixed(r->value(), 1))));
  }

  void ShutterSpeed() {
    const auto r = f_.Rational(37377);
    if (!r) return;
    const double t = std::pow(2.0, -r->value());
    const std::string time = t < 1 ? Cat(" (1/", Plain(1 / t, 1)) : Cat(" (", Plain(t, 1));
    Set(12, Cat16(Ascii(Cat(Fixed(r->value(), 2), " Tv", time, " ")), S(kSecondsUnit), u")"));
  }

  void Aperture(int item, uint16_t tag) {
    if (auto r = f_.Rational(tag))
      Set(item, Ascii(Cat(Fixed(r->value(), 2), " Av (F",
                          Fixed(std::pow(std::sqrt(2.0), r->value()), 2), ")")));
  }

  void Brightness() {
    const auto r = f_.Rational(37379);
    if (!r) return;
    Set(14, r->numerator == -1 ? S(50260) : Ascii(Cat(Fixed(r->value(), 2), " Bv")));
  }

  void ExposureBias() {
    const auto r = f_.Rational(37380);
    if (!r) return;
    char text[64];
    std::snprintf(text, sizeof(text), "%+.2f Ev", r->value());
    Set(15, Ascii(text));
  }

  void Suffixed(int item, uint16_t tag, const char* suffix) {
    if (auto number = NumberText(f_, tag)) Set(item, Ascii(Cat(*number, suffix)));
  }

  // Sensitivity types 1, 4, 5 and 7 carry a standard output sensitivity,
  // 2, 4, 6 and 7 a recommended exposure index, 3, 5, 6 and 7 an ISO speed.
  static bool TypeCarries(uint32_t type, uint16_t tag) {
    switch (tag) {
      case 34865: return type == 1 || type == 4 || type == 5 || type == 7;
      case 34866: return type == 2 || type == 4 || type == 6 || type == 7;
      default: return type == 3 || type == 5 || type == 6 || type == 7;
    }
  }

  void IsoSpeed() {
    const auto iso = f_.Unsigned(34855);
    if (!iso) return;
    const auto type = f_.Unsigned(34864);
    const bool typed = type && *type <= 7;
    std::u16string value = Ascii(Integer(*iso));
    if (typed && *iso < 65536) value += Cat16(u" ", S(kSensitivityTypeBase + int(*type)));
    if (typed && *iso == 65535) {
      for (uint16_t tag : {uint16_t{34865}, uint16_t{34866}, uint16_t{34867}}) {
        const auto exact = TypeCarries(*type, tag) ? f_.Unsigned(tag) : std::nullopt;
        if (!exact) continue;
        value = Cat16(Ascii(Cat(Integer(*exact), " ")), S(kSensitivityTypeBase + int(*type)));
        break;
      }
    }
    Set(22, std::move(value));
  }

  void Flash() {
    const auto flash = f_.Unsigned(37385);
    if (!flash) return;
    const uint32_t v = *flash;
    std::u16string value = S(v & 1 ? 50320 : 50321);
    const uint32_t mode = (v >> 3) & 3;
    value += Cat16(u", ", S(mode == 3 ? 50322 : mode == 1 ? 50323 : mode == 2 ? 50324 : 50325));
    if ((v & 0x41) == 0x41) value += Cat16(u", ", S(50326));
    Set(25, std::move(value));
  }

  void FocalLength() {
    const auto r = f_.Rational(37386);
    if (!r) return;
    std::u16string value = Ascii(Cat(Fixed(r->value(), 1), " mm"));
    if (auto film = f_.Unsigned(41989)) {
      value += u" (";
      value += *film == 0 ? S(50460) : Cat16(S(50461), Ascii(Cat(": ", Integer(*film), " mm")));
      value += u")";
    }
    Set(27, std::move(value));
  }

  void DigitalZoom() {
    if (auto r = f_.Rational(41988))
      Set(28, r->numerator == 0 ? S(50390) : Ascii(Fixed(r->value(), 2)));
  }

  void SubjectDistance() {
    const auto r = f_.Rational(37382);
    if (!r) return;
    if (r->numerator == 0)
      Set(29, S(50270));
    else if (r->numerator == 0xFFFFFFFF || r->numerator == -1)
      Set(29, S(50271));
    else
      Set(29, Ascii(Cat(Fixed(r->value(), 2), " m")));
  }

  std::optional<std::string> Point(uint16_t tag) const {
    const auto x = NumberText(f_, tag, 0), y = NumberText(f_, tag, 1);
    if (!x || !y) return std::nullopt;
    return Cat("x:", *x, ", y:", *y);
  }

  void SubjectArea() {
    const uint32_t count = f_.Count(37396);
    auto text = count >= 2 && count <= 4 ? Point(37396) : std::nullopt;
    if (!text) return;
    const auto third = NumberText(f_, 37396, 2), fourth = NumberText(f_, 37396, 3);
    if (count == 3 && third) *text += Cat(", d:", *third);
    if (count == 4 && third && fourth) *text += Cat(", w:", *third, ", h:", *fourth);
    Set(31, Ascii(*text));
  }

  void SubjectLocation() {
    if (auto text = Point(41492)) Set(32, Ascii(*text));
  }

  void ColourSpace() {
    const auto space = f_.Unsigned(40961);
    if (space == 1u) Set(39, u"sRGB");
    if (space == 65535u) Set(39, u"Uncalibrated");
  }

  void Gamma() {
    if (auto r = f_.Rational(42240)) Set(40, Ascii(Fixed(r->value(), 3)));
  }

  void ComponentsConfiguration() {
    static constexpr const char* kLetters[] = {"", "Y", "Cb", "Cr", "R", "G", "B"};
    size_t count = 0;
    const uint8_t* codes = f_.Bytes(37121, &count);
    if (!codes || count < 4) return;
    std::string text;
    for (size_t i = 0; i < 4; ++i)
      if (codes[i] < 7) text += kLetters[codes[i]];
    Set(42, Ascii(text));
  }

  void PixelDimensions() {
    const auto x = f_.Unsigned(40962), y = f_.Unsigned(40963);
    if (x && y) Set(44, Ascii(Cat(Integer(*x), ", ", Integer(*y))));
  }

  void Resolution(int item, uint16_t x_tag, uint16_t y_tag, uint16_t unit_tag) {
    const auto x = NumberText(f_, x_tag), y = NumberText(f_, y_tag);
    if (!x || !y) return;
    std::u16string value = Ascii(Cat(*x, ", ", *y));
    const auto unit = f_.Unsigned(unit_tag);
    if (unit == 2u || unit == 3u) value += Cat16(u" ", S(kResolutionUnitBase + int(*unit)));
    Set(item, std::move(value));
  }

  void UserComment() {
    size_t count = 0;
    const uint8_t* bytes = f_.Bytes(37510, &count);
    if (!bytes || count < 8) return;
    std::string code = "Undefined";
    if (bytes[0] != 0) {
      code.clear();
      for (size_t i = 0; i < 8 && bytes[i] != 0; ++i) code += static_cast<char>(bytes[i] & 0x7F);
      while (!code.empty() && code.back() == ' ') code.pop_back();
    }
    Set(51, Ascii(Cat(code, " ", Integer(int64_t(count) - 8), " bytes")));
  }

  void Pointer(int item, std::optional<uint32_t> offset) {
    if (offset) Set(item, Ascii(Hex(*offset)));
  }

  const ExifFields& f_;
  const ExifStrings& strings_;
  ExifInfo* out_;
};

}  // namespace

void FormatExifItems(const ExifFields& fields, const ExifStrings& strings, ExifInfo* out) {
  ItemWriter(fields, strings, out).WriteAll();
}
