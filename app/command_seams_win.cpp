#include "app/command_seams_win.h"

#include "app/app_state.h"

void RunCommandOfMissingModule(int) {}

bool HasFileList() { return !App().file_list.empty(); }

// Only archive members carry a key; a file is found by its path alone.
std::optional<int32_t> CurrentEntryKey() {
  const FileListEntry* entry = App().file_list.CurrentEntry();
  if (!entry || entry->key == 0) return std::nullopt;
  return static_cast<int32_t>(entry->key);
}
