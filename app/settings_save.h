// Writes every settings entry the frame owns, in a fixed order, through an
// open writer. The caller opens the writer before and finishes it after;
// entries 1 and 2 (kept by the options dialog) and every entry the frame
// does not own are left as the file had them.
#pragma once

#include <cstdint>
#include <vector>

#include "app/settings_environment.h"
#include "app/settings_values.h"
#include "app/settings_writer.h"

struct SettingsRect {
  int32_t left = 0;
  int32_t top = 0;
  int32_t right = 0;
  int32_t bottom = 0;
};

// The state of the windows at the moment of saving.
struct SettingsWindowState {
  // The view window's restored rectangle; stored only when the view window
  // does not follow the image size (SettingsValues::view_follows_image).
  SettingsRect view_restored;
  SettingsRect edit_restored;
  bool edit_maximised = false;
  int32_t edit_toolstrip_rows = 0;
  // The current key table as ACCEL records; at most 113 are kept.
  std::vector<uint8_t> accelerator_records;
};

// Returns false when any entry could not be written.
bool SaveAllSettings(SettingsWriter& writer, const SettingsValues& values,
                     const SettingsWindowState& window, const SettingsEnvironment& environment);
