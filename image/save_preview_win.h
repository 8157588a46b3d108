// The save preview: the current image encoded with the save options and
// decoded again, kept with its temporary file so that a save with the same
// options writes exactly the bytes that were previewed.
#pragma once

#include "codecs/save_options.h"

bool MakeSavePreview();
// Releases the preview's pixels and deletes its file.
void DiscardSavePreview();
// Whether a preview made with these options is there to be copied.
bool PreviewMatches(const SaveOptions& options);
