// Setting the font size of dialog templates from the language module, and
// refusing every template the system could not read whole.
#include "app/dialog_template.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

constexpr uint32_t kDsSetFont = 0x40;
constexpr uint32_t kPopupModalFrame = 0x80C80080;

// Lays a template out field by field, independently of the code under test.
class TemplateBuilder {
 public:
  TemplateBuilder& U8(uint8_t value) {
    bytes_.push_back(value);
    return *this;
  }
  TemplateBuilder& U16(uint16_t value) { return U8(value & 0xFF).U8(value >> 8); }
  TemplateBuilder& U32(uint32_t value) { return U16(value & 0xFFFF).U16(value >> 16); }
  TemplateBuilder& Text(const std::u16string& text, bool terminated = true) {
    for (char16_t unit : text) U16(unit);
    return terminated ? U16(0) : *this;
  }
  TemplateBuilder& Ordinal(uint16_t ordinal) { return U16(0xFFFF).U16(ordinal); }
  TemplateBuilder& AlignToDword() {
    while (bytes_.size() % 4 != 0) U8(0);
    return *this;
  }
  // dlgVer, signature, helpID, exStyle, style, cDlgItems, x, y, cx, cy.
  TemplateBuilder& ExtendedHeader(uint32_t style, uint16_t items) {
    return U16(1).U16(0xFFFF).U32(0).U32(0).U32(style).U16(items).U16(10).U16(20).U16(200).U16(
        100);
  }
  // pointsize, weight, italic, charset, typeface.
  TemplateBuilder& Font(uint16_t point_size) {
    return U16(point_size).U16(400).U8(0).U8(1).Text(u"MS Shell Dlg");
  }
  // helpID, exStyle, style, x, y, cx, cy, id, then class and title.
  TemplateBuilder& ItemStart(uint32_t id) {
    return AlignToDword().U32(0).U32(0).U32(0x50010000).U16(5).U16(5).U16(50).U16(14).U32(id);
  }
  size_t size() const { return bytes_.size(); }
  Bytes Build() const { return bytes_; }

 private:
  Bytes bytes_;
};

constexpr size_t kPointSizeOffset = 44;

// Menu by ordinal, class by name, a title, the font and two items: the first
// has creation data that leaves the second in need of alignment padding.
Bytes FullTemplate() {
  TemplateBuilder builder;
  builder.ExtendedHeader(kPopupModalFrame | kDsSetFont, 2).Ordinal(101).Text(u"Cls").Text(u"Hi");
  EXPECT_EQ(builder.size(), kPointSizeOffset);
  builder.Font(8);
  builder.ItemStart(1).Ordinal(0x0080).Text(u"OK").U16(2).U8(0xAB).U8(0xCD);
  EXPECT_NE(builder.size() % 4, 0u);
  builder.ItemStart(2).Text(u"Edit").U16(0).U16(0);
  return builder.Build();
}

uint16_t PointSizeAt(const Bytes& bytes, size_t offset) {
  return static_cast<uint16_t>(bytes[offset] | (bytes[offset + 1] << 8));
}

TEST(DialogTemplate, PatchesThePointSizeInPlace) {
  Bytes bytes = FullTemplate();
  Bytes expected = bytes;
  expected[kPointSizeOffset] = 11;
  ASSERT_TRUE(SetDialogTemplatePointSize(bytes.data(), bytes.size(), 11));
  EXPECT_EQ(bytes, expected);
}

TEST(DialogTemplate, NoMenuNoClassAndEmptyTitle) {
  TemplateBuilder builder;
  builder.ExtendedHeader(kDsSetFont, 0).U16(0).U16(0).U16(0).Font(8);
  Bytes bytes = builder.Build();
  ASSERT_TRUE(SetDialogTemplatePointSize(bytes.data(), bytes.size(), 9));
  EXPECT_EQ(PointSizeAt(bytes, 32), 9);
}

void ExpectRefusedUnchanged(Bytes bytes, const std::string& what) {
  const Bytes before = bytes;
  EXPECT_FALSE(SetDialogTemplatePointSize(bytes.data(), bytes.size(), 11)) << what;
  EXPECT_EQ(bytes, before) << what;
}

TEST(DialogTemplate, RefusesTemplatesItCannotReadWhole) {
  const Bytes full = FullTemplate();
  for (size_t size = 0; size < full.size(); ++size) {
    ExpectRefusedUnchanged(Bytes(full.begin(), full.begin() + size),
                           "truncated to " + std::to_string(size));
  }

  TemplateBuilder no_font;
  no_font.ExtendedHeader(kPopupModalFrame, 0).U16(0).U16(0).Text(u"Hi").Font(8);
  ExpectRefusedUnchanged(no_font.Build(), "no DS_SETFONT");

  // DLGTEMPLATE: style, exStyle, cdit, x, y, cx, cy, menu, class, title, font.
  TemplateBuilder classic;
  classic.U32(kPopupModalFrame | kDsSetFont).U32(0).U16(0).U16(0).U16(0).U16(100).U16(50);
  classic.U16(0).U16(0).Text(u"Hi").U16(8).Text(u"MS Shell Dlg");
  ExpectRefusedUnchanged(classic.Build(), "not extended");

  TemplateBuilder unterminated;
  unterminated.ExtendedHeader(kDsSetFont, 0).U16(0).U16(0).Text(u"Title runs off", false);
  ExpectRefusedUnchanged(unterminated.Build(), "unterminated title");

  // More items announced than the template holds.
  Bytes missing_item = FullTemplate();
  missing_item[16] = 3;
  ExpectRefusedUnchanged(missing_item, "missing item");
}

TEST(DialogTemplate, PointSizeFollowsTheInterfaceFont) {
  EXPECT_EQ(DialogPointSizeForFontHeight(-14), 11);
  EXPECT_EQ(DialogPointSizeForFontHeight(-12), 9);
  EXPECT_EQ(DialogPointSizeForFontHeight(0), 9);
}

}  // namespace
