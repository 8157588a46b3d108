// What the user is told when an encoder could not write the image.
#pragma once

#include <string>

#include "image/status.h"

// The status message for the failures the program itself names (memory, a
// copy, a read, the output file, the encoder); for any other failure with a
// JPEG library text, that text under "JPEG Library Error".
void ShowEncoderFailure(Status status, const std::string& library_text);
