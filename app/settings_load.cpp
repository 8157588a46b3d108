#include "app/settings_load.h"

#include "app/settings_entries.h"
#include "app/settings_mouse_bindings.h"

namespace {

void LoadPlainEntries(const SettingsReader& reader, SettingsValues& values) {
  for (const FlagEntry& entry : FlagEntries()) {
    values.*entry.field = static_cast<uint8_t>(reader.ReadInt(entry.index, entry.default_value) & 1);
  }
  for (const IntEntry& entry : IntEntries()) {
    values.*entry.field = ApplyRangeRule(entry.rule, reader.ReadInt(entry.index, entry.default_value));
  }
  for (const ColourEntry& entry : ColourEntries()) {
    values.*entry.field = static_cast<uint32_t>(
        reader.ReadInt(entry.index, static_cast<int32_t>(entry.default_value)));
  }
  for (const TextEntry& entry : TextEntries()) {
    values.*entry.field = reader.ReadString(entry.index);
  }
}

void LoadExternalPrograms(const SettingsReader& reader, SettingsValues& values) {
  for (int i = 0; i < kExternalProgramCount; ++i) {
    values.program_captions[i] = reader.ReadString(kEntryProgramCaption1 + i);
    values.program_paths[i] = reader.ReadString(kEntryProgramPath1 + i);
  }
}

void ApplyLastFolderRule(const SettingsEnvironment& environment, SettingsValues& values) {
  const bool usable = !values.last_folder.empty() &&
                      (!environment.folder_exists || environment.folder_exists(values.last_folder));
  if (!usable) values.last_folder = environment.documents_folder;
}

}  // namespace

void LoadAllSettings(const SettingsReader& reader, SettingsValues& values,
                     const SettingsEnvironment& environment) {
  LoadPlainEntries(reader, values);
  LoadExternalPrograms(reader, values);
  ApplyLastFolderRule(environment, values);
  values.accelerator_records = reader.ReadAccelerators();
  values.plugin_folder_stored = reader.HasStoredString(kEntryPluginFolder);
  values.plugin_modules = reader.ReadStringList(kEntryPluginModules);
  LoadMouseBindings(reader, &values.mouse_bindings);
}
