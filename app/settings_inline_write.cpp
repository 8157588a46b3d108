#include "app/settings_inline_write.h"

#include "app/settings_directory.h"
#include "app/settings_format.h"
#include "app/settings_writer.h"

namespace {

bool AllIndicesValid(const InlineSetting* settings, size_t count) {
  for (size_t i = 0; i < count; ++i) {
    if (settings[i].index < 0 || settings[i].index >= kSettingsEntryCount) return false;
  }
  return true;
}

bool DirectoryHoldsAll(const SettingsDirectory& directory, const InlineSetting* settings,
                       size_t count) {
  for (size_t i = 0; i < count; ++i) {
    if (!directory.Holds(settings[i].index)) return false;
  }
  return true;
}

bool WriteSlots(SettingsFile* file, const InlineSetting* settings, size_t count) {
  bool all_written = true;
  for (size_t i = 0; i < count; ++i) {
    uint8_t slot[kSettingsDirectoryEntrySize];
    EncodeDirectoryEntry(InlineEntry(settings[i].value), slot);
    all_written &= file->WriteAt(DirectoryEntryOffset(settings[i].index), slot, sizeof slot) ==
                   sizeof slot;
  }
  return all_written;
}

bool RewriteWith(const PathChar* path, const InlineSetting* settings, size_t count) {
  SettingsWriter writer;
  if (!writer.Open(path)) return false;
  for (size_t i = 0; i < count; ++i) writer.WriteInt(settings[i].index, settings[i].value);
  return writer.Finish();
}

}  // namespace

bool WriteInlineSettings(const PathChar* path, const InlineSetting* settings, size_t count) {
  if (!AllIndicesValid(settings, count)) return false;
  {
    SettingsFile file;
    if (!file.OpenForUpdate(path)) return false;
    if (DirectoryHoldsAll(ReadSettingsDirectory(file), settings, count)) {
      return WriteSlots(&file, settings, count);
    }
  }  // closed before the writer opens the file again
  return RewriteWith(path, settings, count);
}

bool WriteInlineSetting(const PathChar* path, int index, int32_t value) {
  const InlineSetting setting{index, value};
  return WriteInlineSettings(path, &setting, 1);
}
