#include "app/settings_save.h"

#include <algorithm>
#include <initializer_list>

#include "app/settings_entries.h"
#include "app/settings_format.h"
#include "app/settings_mouse_bindings.h"

namespace {

template <typename Entry>
const Entry* FindEntry(std::span<const Entry> entries, int index) {
  for (const Entry& entry : entries) {
    if (entry.index == index) return &entry;
  }
  return nullptr;
}

// Writes a table entry from its field. False for an index no table knows.
bool WriteOwnedEntry(SettingsWriter& writer, const SettingsValues& values, int index) {
  if (const FlagEntry* flag = FindEntry(FlagEntries(), index)) {
    return writer.WriteInt(index, values.*flag->field & 1);
  }
  if (const IntEntry* number = FindEntry(IntEntries(), index)) {
    return writer.WriteInt(index, values.*number->field);
  }
  if (const ColourEntry* colour = FindEntry(ColourEntries(), index)) {
    return writer.WriteInt(index, static_cast<int32_t>(values.*colour->field));
  }
  if (index == kEntryPluginFolder && values.plugin_folder_stored) {
    return writer.WriteStoredString(index, values.plugin_folder);
  }
  if (const TextEntry* text = FindEntry(TextEntries(), index)) {
    return writer.WriteString(index, values.*text->field);
  }
  return false;
}

bool WriteOwnedEntries(SettingsWriter& writer, const SettingsValues& values,
                       std::initializer_list<int> indices) {
  bool all_written = true;
  for (int index : indices) all_written &= WriteOwnedEntry(writer, values, index);
  return all_written;
}

bool WriteOwnedRange(SettingsWriter& writer, const SettingsValues& values, int first, int last) {
  bool all_written = true;
  for (int index = first; index <= last; ++index) {
    all_written &= WriteOwnedEntry(writer, values, index);
  }
  return all_written;
}

int32_t Extent(int32_t low, int32_t high) {
  return static_cast<int32_t>(int64_t{high} - int64_t{low});
}

// Four inline entries from `first`: left, top, width, height. Each is
// written even when an earlier one failed.
bool WritePlacement(SettingsWriter& writer, int first, const SettingsRect& rect) {
  bool all_written = writer.WriteInt(first, rect.left);
  all_written &= writer.WriteInt(first + 1, rect.top);
  all_written &= writer.WriteInt(first + 2, Extent(rect.left, rect.right));
  all_written &= writer.WriteInt(first + 3, Extent(rect.top, rect.bottom));
  return all_written;
}

bool WriteAccelerators(SettingsWriter& writer, const std::vector<uint8_t>& records) {
  size_t size = std::min(records.size(), kMaxAcceleratorBytes);
  size -= size % kAcceleratorRecordSize;
  return writer.WriteBytes(kAcceleratorEntryIndex, records.data(), size);
}

bool WriteExternalPrograms(SettingsWriter& writer, const SettingsValues& values) {
  bool all_written = true;
  for (int i = 0; i < kExternalProgramCount; ++i) {
    all_written &= writer.WriteString(kEntryProgramCaption1 + i, values.program_captions[i]);
    all_written &= writer.WriteString(kEntryProgramPath1 + i, values.program_paths[i]);
  }
  return all_written;
}

// Modules deleted from the plug-in folder since start-up are forgotten.
// They are looked for in the folder in use: without one of its own that is
// the default folder, not the empty stored one.
bool WritePluginModules(SettingsWriter& writer, const SettingsValues& values,
                        const SettingsEnvironment& environment) {
  const std::u16string& folder =
      values.plugin_folder_stored ? values.plugin_folder : environment.default_plugin_folder;
  std::vector<std::u16string> present;
  for (const std::u16string& name : values.plugin_modules) {
    if (!environment.plugin_module_exists || environment.plugin_module_exists(folder, name)) {
      present.push_back(name);
    }
  }
  return writer.WriteStringList(kEntryPluginModules, present);
}

bool WriteEditWindow(SettingsWriter& writer, const SettingsWindowState& window) {
  bool all_written = writer.WriteInt(kEntryEditMaximised, window.edit_maximised ? 1 : 0);
  all_written &= WritePlacement(writer, kEntryEditLeft, window.edit_restored);
  all_written &= writer.WriteInt(kEntryEditToolstripRows, window.edit_toolstrip_rows);
  return all_written;
}

}  // namespace

bool SaveAllSettings(SettingsWriter& writer, const SettingsValues& values,
                     const SettingsWindowState& window, const SettingsEnvironment& environment) {
  bool ok = true;
  if (!values.view_follows_image) ok &= WritePlacement(writer, kEntryViewLeft, window.view_restored);
  ok &= WriteAccelerators(writer, window.accelerator_records);
  ok &= WriteOwnedEntries(writer, values, {kEntryLanguageModule});
  ok &= SaveMouseBindings(&writer, values.mouse_bindings);
  ok &= WriteOwnedEntries(writer, values, {224, 225, 209, 5, 7, 9, 10, 11});
  ok &= WriteExternalPrograms(writer, values);
  ok &= WriteOwnedEntries(writer, values, {kEntryLastFolder, kEntryPluginFolder});
  ok &= WritePluginModules(writer, values, environment);
  ok &= WriteOwnedEntries(writer, values, {32, 31, 33, 34, 35, 36, 37, 40, 43, 41, 42, 44, 45});
  ok &= WriteOwnedEntries(writer, values, {223, 48, 39, 38, 207});
  ok &= WriteEditWindow(writer, window);
  ok &= WriteOwnedEntries(writer, values, {53, 54, 55, 56, 58, 59, 60});
  ok &= WriteOwnedRange(writer, values, 67, 96);
  return ok;
}
