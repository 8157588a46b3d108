#include "app/settings_mouse_bindings.h"

#include "app/settings_entries.h"

namespace {

// Defaults of the codes older files used for entries 3 and 4.
constexpr int32_t kLegacyDoubleClickCode = 3;
constexpr int32_t kLegacyBothButtonsCode = 1;

int32_t CommandOfLegacyCode(int32_t code) {
  switch (code) {
    case 1: return 5310;
    case 2: return 5530;
    case 3: return 5540;
    default: return 5550;
  }
}

struct WheelPair {
  int32_t away;
  int32_t toward;
};

WheelPair LegacyWheelBindings(const SettingsReader& reader) {
  if (reader.ReadInt(kEntryWheelStepsImages, 0) & 1) return {5703, 5702};
  if (reader.ReadInt(kEntryReverseWheel, 0) & 1) return {5610, 5611};
  return {5611, 5610};
}

}  // namespace

void LoadMouseBindings(const SettingsReader& reader, MouseBindings* bindings) {
  const auto& entries = MouseEntries();
  for (int slot = 0; slot < kMouseSlotCount; ++slot) {
    const MouseEntry& entry = entries[slot];
    (*bindings)[slot] = ApplyRangeRule(CommandId(entry.default_value),
                                       reader.ReadInt(entry.index, entry.default_value));
  }
  const uint16_t version = reader.Version();
  if (version < kVersionMouseCommands) {
    (*bindings)[kMouseLeftDoubleClick] =
        CommandOfLegacyCode(reader.ReadInt(kEntryLeftDoubleClick, kLegacyDoubleClickCode));
    (*bindings)[kMouseBothButtons] =
        CommandOfLegacyCode(reader.ReadInt(kEntryBothButtons, kLegacyBothButtonsCode));
  }
  if (version < kVersionWheelBindings) {
    const WheelPair wheel = LegacyWheelBindings(reader);
    (*bindings)[kMouseWheelAway] = wheel.away;
    (*bindings)[kMouseWheelToward] = wheel.toward;
  }
}

bool SaveMouseBindings(SettingsWriter* writer, const MouseBindings& bindings) {
  const auto& entries = MouseEntries();
  bool all_written = true;
  for (int slot = 0; slot < kMouseSlotCount; ++slot) {
    all_written &= writer->WriteInt(entries[slot].index, bindings[slot]);
  }
  return all_written;
}
