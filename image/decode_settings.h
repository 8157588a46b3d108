// How the readers turn what a file holds into what the viewer shows: the
// reading options of the settings file.
#pragma once

#include <cstdint>

struct PngReadSettings {
  bool gamma_correction = true;
  int32_t display_gamma = 2200;  // x 1000; values below 1 count as 1
  bool composite_transparency = true;
  bool use_file_background = true;
  uint32_t background_colour = 0xFFFFFF;  // red in the low byte
};

struct DecodeSettings {
  PngReadSettings png;  // the composite and background options serve GIF too
  // The viewer plays animated GIF files and so wants every frame; tools that
  // want the first image only leave this off.
  bool animation = false;
};
