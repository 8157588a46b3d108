// What the program knows about the current document beyond its pixels.
#pragma once

#include <cstdint>

#include "codecs/save_options.h"
#include "image/load_results.h"
#include "image/path.h"
#include "image/win_records.h"

enum class SourceKind : int { kFile = 0, kZip = 1, kRar = 2, kPluginArchive = 3 };

// Lossless rotation code accumulated by the display rotations.
enum RotationState : int {
  kRotationNone = 0,
  kRotation90 = 1,
  kRotation180 = 2,
  kRotation270 = 3,
  kFlipHorizontal = 4,
  kFlipVertical = 5,
};

// A temporary save made for a save preview, and the options it was made
// with: while they still hold, saving copies exactly the previewed bytes.
struct TemporarySave {
  PathString path;
  SaveOptions options;
  uint32_t bytes = 0;
};

struct DocumentState {
  PathString path;    // the current file (or archive), empty without one
  PathString name;    // file or member name, also the caption of questions
  PathString member_folder;  // the member's folder inside its archive
  PathString folder;  // where the file list and the dialogs look
  SourceKind source_kind = SourceKind::kFile;
  FileTimeValue last_write = {};  // of the current file when it was read
  uint64_t file_bytes = 0;
  int rotation_state = kRotationNone;
  LoadResults load;
  TemporarySave temporary;
};
