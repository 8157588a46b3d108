#include "app/settings_text.h"

#include <utility>

#include "app/little_endian.h"

namespace {

void AppendUnit(char16_t unit, std::vector<uint8_t>* bytes) {
  bytes->push_back(static_cast<uint8_t>(unit & 0xFF));
  bytes->push_back(static_cast<uint8_t>(unit >> 8));
}

char16_t UnitAt(const uint8_t* bytes, size_t unit_index) {
  return static_cast<char16_t>(LoadU16(bytes + 2 * unit_index));
}

}  // namespace

std::vector<uint8_t> EncodeSettingsText(const std::u16string& text) {
  std::vector<uint8_t> bytes;
  bytes.reserve(text.size() * 2);
  for (char16_t unit : text) AppendUnit(unit, &bytes);
  return bytes;
}

std::u16string DecodeSettingsText(const uint8_t* bytes, size_t size) {
  std::u16string text;
  const size_t units = size / 2;
  for (size_t i = 0; i < units; ++i) {
    const char16_t unit = UnitAt(bytes, i);
    if (unit == 0) break;
    text.push_back(unit);
  }
  return text;
}

std::vector<uint8_t> EncodeSettingsStringList(const std::vector<std::u16string>& names) {
  std::vector<uint8_t> bytes;
  for (const std::u16string& name : names) {
    if (name.empty()) continue;
    for (char16_t unit : name) AppendUnit(unit, &bytes);
    AppendUnit(0, &bytes);
  }
  return bytes;
}

std::vector<std::u16string> DecodeSettingsStringList(const uint8_t* bytes, size_t size) {
  std::vector<std::u16string> names;
  std::u16string current;
  const size_t units = size / 2;
  for (size_t i = 0; i < units; ++i) {
    const char16_t unit = UnitAt(bytes, i);
    if (unit != 0) {
      current.push_back(unit);
    } else if (!current.empty()) {
      names.push_back(std::move(current));
      current.clear();
    }
  }
  if (!current.empty()) names.push_back(std::move(current));
  return names;
}
