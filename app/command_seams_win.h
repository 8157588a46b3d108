// Where commands meet the modules that have not been written yet: the
// dispatchers route to these, and each module replaces its part when it
// arrives. Until then the table of pending commands (app/pending_commands.h)
// keeps their commands from getting here.
#pragma once

#include <cstdint>
#include <optional>

// Printing, the information and comment dialogs, the histogram window, the
// adjustments and immediate effects, the options dialog, apply and cancel,
// and the edit window's panel controls.
void RunCommandOfMissingModule(int command);

bool HasFileList();
// The file-list key of the current image when it is an archive member.
std::optional<int32_t> CurrentEntryKey();
