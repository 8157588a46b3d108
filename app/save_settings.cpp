#include "app/save_settings.h"

SaveOptions SaveOptionsFromSettings(const SettingsValues& s, int32_t save_type,
                                    const std::string& comment_text) {
  SaveOptions o;
  o.type = save_type;
  o.bmp_depth = s.save_bmp_depth;
  o.png_depth = s.save_png_depth;
  o.png_grey = s.save_png_grey != 0;
  o.jpeg_quality = s.jpeg_quality;
  o.jpeg_subsampling = s.save_jpeg_subsampling;
  o.jpeg_greyscale = s.save_jpeg_greyscale != 0;
  o.jpeg_progressive = s.save_jpeg_progressive != 0;
  o.tiff_depth = s.save_tiff_depth;
  o.tiff_grey = s.save_tiff_grey != 0;
  o.gif_depth = s.save_gif_depth;
  o.dither = s.save_dither != 0;
  o.interlace = s.save_interlace != 0;
  o.compression_level = s.save_compression_level;
  o.filter_mode = s.save_filter_mode;
  o.transparency = s.save_transparency != 0;
  o.transparent_colour = s.save_transparent_colour;
  o.gamma = s.save_gamma;
  o.keep_exif = s.save_keep_exif != 0;
  o.size_limit = s.save_size_limit != 0;
  o.size_limit_kib = s.save_size_limit_kib;
  o.comment = s.save_comment != 0;
  o.comment_text = comment_text;
  o.lossless_markers = s.save_lossless_markers;
  o.lossless_trim = s.save_lossless_trim != 0;
  // One greyscale choice serves both JPEG saves: re-encoded or kept data.
  o.lossless_greyscale = o.jpeg_greyscale;
  return o;
}
