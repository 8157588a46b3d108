// The settings group of the application state: one field per settings entry
// the frame owns. The entry number is given beside each field; what the
// values mean belongs to the code that uses them. Flags are bytes (0 or 1),
// integers 32-bit, colours 0x00BBGGRR.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// The fifteen mouse bindings, in the order of their entries 3, 4, 210 to 222.
enum MouseSlot : int {
  kMouseLeftDoubleClick,   // 3
  kMouseBothButtons,       // 4
  kMouseMiddleButton,      // 210
  kMouseExtraButton1,      // 211
  kMouseExtraButton2,      // 212
  kMouseWheelAway,         // 213
  kMouseWheelToward,       // 214
  kMouseRightGestureLeft,  // 215
  kMouseRightGestureRight,
  kMouseRightGestureUp,
  kMouseRightGestureDown,  // 218
  kMouseLeftGestureLeft,   // 219
  kMouseLeftGestureRight,
  kMouseLeftGestureUp,
  kMouseLeftGestureDown,   // 222
  kMouseSlotCount,
};

constexpr int kExternalProgramCount = 8;

struct SettingsValues {
  std::u16string language_module;       // 0
  uint8_t hand_over_to_running = 0;     // 1, stored only by the options dialog
  int32_t start_display_mode = 0;       // 2, stored only by the options dialog
  // Command identifiers, 0 = nothing bound; indexed by MouseSlot.
  std::array<int32_t, kMouseSlotCount> mouse_bindings{};
  uint8_t always_on_top = 0;            // 5
  int32_t options_last_page = 0;        // 7
  uint8_t show_startup_notice = 0;      // 9
  int32_t font_height = 0;              // 10
  int32_t font_weight = 0;              // 11
  std::array<std::u16string, kExternalProgramCount> program_captions;  // 12..19
  std::array<std::u16string, kExternalProgramCount> program_paths;     // 20..27
  std::u16string last_folder;           // 28
  std::u16string plugin_folder;         // 29
  // Entry 29 holds a value of its own, possibly empty (plug-ins switched
  // off); without one the plug-ins beside the program are used.
  bool plugin_folder_stored = false;
  // 30: ACCEL records as stored; empty when the file holds none, and then
  // the built-in key table applies.
  std::vector<uint8_t> accelerator_records;
  int32_t stretch_mode = 0;             // 31
  int32_t view_background = 0;          // 32
  uint8_t view_follows_image = 0;       // 33
  uint8_t show_title_bar = 0;           // 34
  uint8_t title_bar_on_hover = 0;       // 35
  uint8_t bar_on_hover = 0;             // 36
  uint8_t navigator_on_hover = 0;       // 37
  uint8_t slideshow_wraps = 0;          // 38
  int32_t slideshow_interval = 0;       // 39
  uint8_t window_keep_zoom = 0;         // 40
  uint8_t window_shrink_large = 0;      // 41
  uint8_t window_enlarge_small = 0;     // 42
  uint8_t fullscreen_keep_zoom = 0;     // 43
  uint8_t fullscreen_shrink_large = 0;  // 44
  uint8_t fullscreen_enlarge_small = 0; // 45
  uint8_t drag_zoom_rectangle = 0;      // 48
  int32_t view_left = 0;                // 49
  int32_t view_top = 0;                 // 50
  int32_t view_width = 0;               // 51
  int32_t view_height = 0;              // 52
  int32_t edit_background = 0;          // 53
  uint8_t edit_keep_zoom = 0;           // 54
  uint8_t edit_shrink_large = 0;        // 55
  uint8_t edit_enlarge_small = 0;       // 56
  uint8_t edit_option_58 = 0;           // 58
  uint8_t edit_scroll_bars = 0;         // 59
  uint8_t edit_navigator = 0;           // 60
  uint8_t edit_maximised = 0;           // 61
  int32_t edit_left = 0;                // 62
  int32_t edit_top = 0;                 // 63
  int32_t edit_width = 0;               // 64
  int32_t edit_height = 0;              // 65
  int32_t edit_toolstrip_rows = 0;      // 66
  uint8_t png_gamma_correction = 0;     // 67
  int32_t png_display_gamma = 0;        // 68
  uint8_t png_composite_transparency = 0;  // 69
  uint8_t png_use_file_background = 0;  // 70
  uint32_t png_background_colour = 0;   // 71
  uint8_t rotate_by_exif = 0;           // 72
  int32_t save_type = 0;                // 73
  int32_t save_bmp_depth = 0;           // 74
  int32_t save_png_depth = 0;           // 75
  int32_t save_tiff_depth = 0;          // 76
  int32_t save_gif_depth = 0;           // 77
  uint8_t save_dither = 0;              // 78
  uint8_t save_png_grey = 0;            // 79
  uint8_t save_tiff_grey = 0;           // 80
  uint8_t save_interlace = 0;           // 81
  uint8_t save_transparency = 0;        // 82
  int32_t save_compression_level = 0;   // 83
  int32_t save_filter_mode = 0;         // 84
  uint8_t save_jpeg_greyscale = 0;      // 85
  uint8_t save_jpeg_progressive = 0;    // 86
  int32_t save_gamma = 0;               // 87
  uint32_t save_transparent_colour = 0; // 88
  int32_t jpeg_quality = 0;             // 89
  int32_t save_jpeg_subsampling = 0;    // 90
  uint8_t save_size_limit = 0;          // 91
  uint8_t save_comment = 0;             // 92
  int32_t save_lossless_markers = 0;    // 93
  uint8_t save_keep_exif = 0;           // 94
  uint8_t save_lossless_trim = 0;       // 95
  int32_t save_size_limit_kib = 0;      // 96
  uint8_t replace_modified_silently = 0;  // 207
  std::vector<std::u16string> plugin_modules;  // 208
  int32_t file_list_order = 0;          // 209
  int32_t view_left_drag_action = 0;    // 223
  int32_t drag_threshold = 0;           // 224
  uint8_t bindings_dialog_mouse_mode = 0;  // 225

  bool operator==(const SettingsValues&) const = default;
};
