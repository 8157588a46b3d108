// The entries the frame keeps in the settings file: index, kind, default,
// the range a stored value must fall in, and the field that mirrors it.
// Entries with rules of their own (the mouse bindings, the last folder, the
// key table and the plug-in list) are handled where those rules live.
#pragma once

#include <array>
#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>

#include "app/settings_values.h"

// Entries that loading or saving addresses one by one.
constexpr int kEntryLanguageModule = 0;
constexpr int kEntryLeftDoubleClick = 3;
constexpr int kEntryBothButtons = 4;
constexpr int kEntryReverseWheel = 6;        // files before kVersionWheelBindings
constexpr int kEntryProgramCaption1 = 12;    // 12..19
constexpr int kEntryProgramPath1 = 20;       // 20..27
constexpr int kEntryLastFolder = 28;
constexpr int kEntryPluginFolder = 29;
constexpr int kEntryWheelStepsImages = 46;   // files before kVersionWheelBindings
constexpr int kEntryViewLeft = 49;           // 49..52: left, top, width, height
constexpr int kEntryEditMaximised = 61;
constexpr int kEntryEditLeft = 62;           // 62..65: left, top, width, height
constexpr int kEntryEditToolstripRows = 66;
constexpr int kEntryPluginModules = 208;
constexpr int kEntryWheelAway = 213;
constexpr int kEntryWheelToward = 214;

// Mouse bindings are read differently by the version of the file.
constexpr uint16_t kVersionMouseCommands = 0x1478;  // 3 and 4 hold commands
constexpr uint16_t kVersionWheelBindings = 0x1482;  // 213 and 214 are stored

enum class RangeKind : uint8_t {
  kAny,
  kSpan,         // low..high
  kOneOf,        // one of `allowed`
  kNotNegative,
  kCommand,      // 0 (nothing bound) or a command identifier
};

// A stored value outside the range is replaced by `fallback`. That is the
// entry's default everywhere except entry 31, whose default is 4 but which
// reads any other stored value as 3, and entry 209, whose default is by
// name but which reads an unknown order as by size.
struct RangeRule {
  RangeKind kind = RangeKind::kAny;
  int32_t low = 0;
  int32_t high = 0;
  std::array<int32_t, 4> allowed{};
  int allowed_count = 0;
  int32_t fallback = 0;
};

constexpr RangeRule AnyValue() { return RangeRule{}; }
constexpr RangeRule InSpan(int32_t low, int32_t high, int32_t fallback) {
  return RangeRule{RangeKind::kSpan, low, high, {}, 0, fallback};
}
constexpr RangeRule OneOf(std::initializer_list<int32_t> values, int32_t fallback) {
  RangeRule rule{RangeKind::kOneOf, 0, 0, {}, 0, fallback};
  for (int32_t value : values) rule.allowed[rule.allowed_count++] = value;
  return rule;
}
constexpr RangeRule NotNegative(int32_t fallback) {
  return RangeRule{RangeKind::kNotNegative, 0, 0, {}, 0, fallback};
}
constexpr RangeRule CommandId(int32_t fallback) {
  return RangeRule{RangeKind::kCommand, 0, 0, {}, 0, fallback};
}

int32_t ApplyRangeRule(const RangeRule& rule, int32_t value);

struct FlagEntry {
  int index;
  uint8_t default_value;
  uint8_t SettingsValues::*field;
};

struct IntEntry {
  int index;
  int32_t default_value;
  RangeRule rule;
  int32_t SettingsValues::*field;
};

struct ColourEntry {
  int index;
  uint32_t default_value;
  uint32_t SettingsValues::*field;
};

struct TextEntry {
  int index;
  std::u16string SettingsValues::*field;
};

// Defaults are those of a file of the current version.
struct MouseEntry {
  int index;
  int32_t default_value;
};

std::span<const FlagEntry> FlagEntries();
std::span<const IntEntry> IntEntries();
std::span<const ColourEntry> ColourEntries();
// Plain texts only; the program captions and paths are arrays and are
// addressed through kEntryProgramCaption1 and kEntryProgramPath1.
std::span<const TextEntry> TextEntries();
// Indexed by MouseSlot.
const std::array<MouseEntry, kMouseSlotCount>& MouseEntries();
