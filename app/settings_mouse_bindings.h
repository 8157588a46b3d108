// The fifteen mouse bindings (entries 3, 4 and 210 to 222). Older files
// stored the double-click and both-buttons bindings as small codes and the
// wheel as two flags; the file's format version tells which form it holds.
#pragma once

#include <array>
#include <cstdint>

#include "app/settings_reader.h"
#include "app/settings_values.h"
#include "app/settings_writer.h"

using MouseBindings = std::array<int32_t, kMouseSlotCount>;

// A missing or unusable file reads like the oldest format.
void LoadMouseBindings(const SettingsReader& reader, MouseBindings* bindings);
// Always in the current form, in entry order.
bool SaveMouseBindings(SettingsWriter* writer, const MouseBindings& bindings);
