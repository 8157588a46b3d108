#include "view/file_list_rows.h"

#include <algorithm>

namespace {

std::u16string Digits(int64_t value, size_t at_least) {
  std::u16string text;
  uint64_t v = value < 0 ? 0 : static_cast<uint64_t>(value);
  do {
    text.insert(text.begin(), static_cast<char16_t>(u'0' + v % 10));
    v /= 10;
  } while (v);
  if (text.size() < at_least) text.insert(text.begin(), at_least - text.size(), u'0');
  return text;
}

RowColumns NameOnly(const RowWidths& w) {
  RowColumns c;
  c.name_right = std::max(w.row, 0);
  c.info_left = c.name_right;
  return c;
}

// The columns kept when an info column of this width leaves the name enough.
bool Fits(const RowWidths& w, int32_t info) { return w.row - info - w.gap >= w.min_name; }

RowColumns WithInfo(const RowWidths& w, int32_t info, bool date) {
  RowColumns c;
  c.size = true;
  c.date = date;
  c.info_left = w.row - info;
  c.name_right = c.info_left - w.gap;
  return c;
}

}  // namespace

std::u16string RowSizeText(uint64_t bytes) { return Digits(SizeInKib(bytes), 1) + u"KB"; }

std::u16string RowDateText(const LocalStamp& s) {
  std::u16string text = Digits(s.year, 4);
  text.append(u"-").append(Digits(s.month, 2)).append(u"-").append(Digits(s.day, 2));
  text.append(u" ").append(Digits(s.hour, 2)).append(u":").append(Digits(s.minute, 2));
  return text;
}

RowColumns LayOutRow(const RowWidths& w) {
  const int32_t both = w.size + w.gap + w.date;
  if (Fits(w, both)) return WithInfo(w, both, true);
  if (Fits(w, w.size)) return WithInfo(w, w.size, false);
  return NameOnly(w);
}
