#include "app/read_settings.h"

DecodeSettings DecodeSettingsFromSettings(const SettingsValues& s) {
  DecodeSettings d;
  d.png.gamma_correction = s.png_gamma_correction != 0;
  d.png.display_gamma = s.png_display_gamma;
  d.png.composite_transparency = s.png_composite_transparency != 0;
  d.png.use_file_background = s.png_use_file_background != 0;
  d.png.background_colour = s.png_background_colour;
  return d;
}
