// Which save options each save type has, and where each lives in the
// settings. The save dialog's panel and the edit window's save-options bar
// both show and edit them, so they agree on this one table.
#pragma once

#include <cstdint>
#include <span>

#include "app/settings_values.h"

enum class SaveChoice {
  kDepth,
  kDither,
  kGrey,
  kInterlace,
  kLevel,
  kFilter,
  kTransparency,
  kGamma,
  kQuality,
  kSubsampling,
  kMarkers,
  kProgressive,
  kKeepExif,
  kTrim,
  kSizeLimit,
  kComment,
};

bool SaveTypeOffers(int32_t save_type, SaveChoice choice);

// The type a save of this image takes when the user wanted `wanted`: a
// lossless save wanted of an image that is no JPEG becomes an ordinary JPEG
// save, a type without an encoder the first one offered.
int32_t SaveTypeFor(int32_t wanted, bool from_jpeg);

// The depths a type can be written at, deepest first; empty for the JPEG types.
std::span<const int32_t> SaveDepthsOf(int32_t save_type);

// The type's depth setting, or null for a type without one.
int32_t* SaveDepthSetting(SettingsValues& settings, int32_t save_type);
int32_t SaveDepthOf(const SettingsValues& settings, int32_t save_type);

// The type's greyscale setting, or null. PNG and TIFF keep grey levels only
// at 8 bits, so there the choice counts only at that depth.
uint8_t* SaveGreySetting(SettingsValues& settings, int32_t save_type);
bool SaveGreyOffered(const SettingsValues& settings, int32_t save_type);

// The typed numbers the save options take; anything outside is not taken.
struct SaveNumberRange {
  int32_t low;
  int32_t high;
};
constexpr SaveNumberRange kSaveQualityRange = {1, 100};
constexpr SaveNumberRange kSaveLimitRange = {1, 9999999};  // KiB
constexpr SaveNumberRange kSaveLevelRange = {0, 9};
constexpr SaveNumberRange kSaveGammaRange = {0, 99999};  // x 1000; 0 writes none
