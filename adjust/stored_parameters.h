// The parameters some adjustments keep from one use to the next, each in an
// entry of the settings file of its own, written in place when the
// adjustment ends.
#pragma once

#include <cstdint>
#include <span>

#include "app/settings_io.h"

enum class ParameterKind { kNumber, kColour, kFlag };

struct StoredParameter {
  int entry;
  ParameterKind kind;
  int32_t fallback;  // the value when the file has none
  int32_t least;     // the range of a number
  int32_t most;
};

// A stored number is held in its range, a colour taken as it is and a flag
// keeps only its lowest bit; a value the file does not hold inline is the
// fallback. `values` has one slot per parameter.
void ReadStoredParameters(const PathChar* settings_path, std::span<const StoredParameter> parameters,
                          std::span<int32_t> values);

bool WriteStoredParameters(const PathChar* settings_path,
                           std::span<const StoredParameter> parameters,
                           std::span<const int32_t> values);
