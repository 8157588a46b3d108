#include "app/key_names.h"

#include <array>
#include <cstddef>

namespace {

struct NamedKey {
  uint8_t code;
  const char* name;
};

// Codes whose names do not follow from a run of digits or letters.
constexpr NamedKey kNamedKeys[] = {
    {8, "BackSpace"},  {9, "Tab"},        {13, "Enter"},     {27, "Esc"},
    {32, "Space"},     {33, "PageUp"},    {34, "PageDown"},  {35, "End"},
    {36, "Home"},      {37, "Left"},      {38, "Up"},        {39, "Right"},
    {40, "Down"},      {45, "Insert"},    {46, "Delete"},    {96, "[Num] 0 "},
    {97, "[Num] 1"},   {98, "[Num] 2"},   {99, "[Num] 3"},   {100, "[Num] 4"},
    {101, "[Num] 5"},  {102, "[Num] 6"},  {103, "[Num] 7"},  {104, "[Num] 8"},
    {105, "[Num] 9"},  {106, "[Num] *"},  {107, "[Num] +"},  {109, "[Num] -"},
    {110, "[Num] ."},  {111, "[Num] /"},  {112, "F1"},       {113, "F2"},
    {114, "F3"},       {115, "F4"},       {116, "F5"},       {117, "F6"},
    {118, "F7"},       {119, "F8"},       {120, "F9"},       {121, "F10"},
    {122, "F11"},      {123, "F12"},      {186, ":"},        {187, ";"},
    {188, ","},        {189, "-"},        {190, "."},        {191, "/"},
    {192, "@"},        {219, "["},        {220, "\\"},       {221, "]"},
    {222, "^"},        {226, "_"},        {240, "CapsLock"},
};

constexpr char kDigitsAndLetters[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";

// One table of 256 names, built once: digits 48-57 and letters 65-90 point
// into kDigitsAndLetters as one-character strings.
struct KeyNameTable {
  std::array<const char*, 256> names{};
  std::array<char, 2 * 36> single{};

  KeyNameTable() {
    names.fill("");
    for (int i = 0; i < 36; ++i) {
      single[2 * i] = kDigitsAndLetters[i];
      int code = i < 10 ? '0' + i : 'A' + (i - 10);
      names[static_cast<size_t>(code)] = &single[2 * i];
    }
    for (const NamedKey& key : kNamedKeys) names[key.code] = key.name;
  }
};

}  // namespace

const char* KeyName(uint8_t virtual_key) {
  static const KeyNameTable table;
  return table.names[virtual_key];
}

const char* ModifierPrefix(uint8_t flags) {
  switch (flags) {
    case 5: return "Shift+";
    case 9: return "Ctrl+";
    case 13: return "Ctrl+Shift+";
    default: return "";
  }
}
