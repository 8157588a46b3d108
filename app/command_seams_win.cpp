#include "app/command_seams_win.h"

void RunCommandOfMissingModule(int) {}

bool HasFileList() { return false; }

std::optional<int32_t> CurrentEntryKey() { return std::nullopt; }

void StopSlideshow() {}
