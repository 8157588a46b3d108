#include "app/settings_entries.h"

#include <algorithm>

namespace {

constexpr int32_t kFirstCommand = 5000;
constexpr int32_t kLastCommand = 0xFFFF;

using V = SettingsValues;

constexpr FlagEntry kFlags[] = {
    {1, 0, &V::hand_over_to_running},
    {5, 0, &V::always_on_top},
    {9, 1, &V::show_startup_notice},
    {33, 1, &V::view_follows_image},
    {34, 1, &V::show_title_bar},
    {35, 1, &V::title_bar_on_hover},
    {36, 1, &V::bar_on_hover},
    {37, 1, &V::navigator_on_hover},
    {38, 0, &V::slideshow_wraps},
    {40, 0, &V::window_keep_zoom},
    {41, 1, &V::window_shrink_large},
    {42, 0, &V::window_enlarge_small},
    {43, 0, &V::fullscreen_keep_zoom},
    {44, 1, &V::fullscreen_shrink_large},
    {45, 0, &V::fullscreen_enlarge_small},
    {48, 1, &V::drag_zoom_rectangle},
    {54, 0, &V::edit_keep_zoom},
    {55, 1, &V::edit_shrink_large},
    {56, 0, &V::edit_enlarge_small},
    {58, 1, &V::edit_option_58},
    {59, 1, &V::edit_scroll_bars},
    {60, 0, &V::edit_navigator},
    {61, 0, &V::edit_maximised},
    {67, 1, &V::png_gamma_correction},
    {69, 1, &V::png_composite_transparency},
    {70, 1, &V::png_use_file_background},
    {72, 1, &V::rotate_by_exif},
    {78, 0, &V::save_dither},
    {79, 0, &V::save_png_grey},
    {80, 0, &V::save_tiff_grey},
    {81, 0, &V::save_interlace},
    {82, 0, &V::save_transparency},
    {85, 0, &V::save_jpeg_greyscale},
    {86, 0, &V::save_jpeg_progressive},
    {91, 0, &V::save_size_limit},
    {92, 0, &V::save_comment},
    {94, 1, &V::save_keep_exif},
    {95, 0, &V::save_lossless_trim},
    {207, 1, &V::replace_modified_silently},
    {225, 0, &V::bindings_dialog_mouse_mode},
};

constexpr IntEntry kInts[] = {
    {2, 0, OneOf({0, 1, 2}, 0), &V::start_display_mode},
    {7, 0, InSpan(0, 5, 0), &V::options_last_page},
    {10, -12, OneOf({-14}, -12), &V::font_height},
    {11, 400, OneOf({700}, 400), &V::font_weight},
    {31, 4, OneOf({4}, 3), &V::stretch_mode},
    {32, 2, InSpan(0, 4, 2), &V::view_background},
    {39, 1, InSpan(1, 60, 1), &V::slideshow_interval},
    {49, 0, AnyValue(), &V::view_left},
    {50, 0, AnyValue(), &V::view_top},
    {51, 820, AnyValue(), &V::view_width},
    {52, 600, AnyValue(), &V::view_height},
    {53, 1, InSpan(0, 4, 1), &V::edit_background},
    {62, 200, AnyValue(), &V::edit_left},
    {63, 100, AnyValue(), &V::edit_top},
    {64, 820, AnyValue(), &V::edit_width},
    {65, 600, AnyValue(), &V::edit_height},
    // No default is prescribed; 0 stands for "not recorded".
    {66, 0, AnyValue(), &V::edit_toolstrip_rows},
    {68, 2200, AnyValue(), &V::png_display_gamma},
    {73, 0, InSpan(0, 5, 0), &V::save_type},
    {74, 24, OneOf({1, 4, 8}, 24), &V::save_bmp_depth},
    {75, 24, OneOf({1, 2, 4, 8}, 24), &V::save_png_depth},
    {76, 24, OneOf({1, 4, 8}, 24), &V::save_tiff_depth},
    {77, 8, InSpan(1, 7, 8), &V::save_gif_depth},
    {83, 9, InSpan(0, 9, 9), &V::save_compression_level},
    {84, 0, InSpan(0, 5, 0), &V::save_filter_mode},
    {87, 2200, NotNegative(2200), &V::save_gamma},
    {89, 75, InSpan(1, 100, 75), &V::jpeg_quality},
    {90, 0, InSpan(0, 2, 0), &V::save_jpeg_subsampling},
    {93, 2, InSpan(0, 2, 2), &V::save_lossless_markers},
    {96, 100, AnyValue(), &V::save_size_limit_kib},
    // An order it does not know the menu marks as by size, so that is how
    // the list is sorted too.
    {209, 0, InSpan(0, 2, 2), &V::file_list_order},
    {223, 1, AnyValue(), &V::view_left_drag_action},
    {224, 8, AnyValue(), &V::drag_threshold},
};

constexpr ColourEntry kColours[] = {
    {71, 0xFFFFFF, &V::png_background_colour},
    {88, 0xFFFFFF, &V::save_transparent_colour},
};

constexpr TextEntry kTexts[] = {
    {kEntryLanguageModule, &V::language_module},
    {kEntryLastFolder, &V::last_folder},
    {kEntryPluginFolder, &V::plugin_folder},
};

constexpr std::array<MouseEntry, kMouseSlotCount> kMouse = {{
    {kEntryLeftDoubleClick, 5550},
    {kEntryBothButtons, 5310},
    {210, 5600},
    {211, 0},
    {212, 0},
    {kEntryWheelAway, 5611},
    {kEntryWheelToward, 5610},
    {215, 0},
    {216, 0},
    {217, 0},
    {218, 0},
    {219, 0},
    {220, 0},
    {221, 0},
    {222, 0},
}};

bool IsAllowed(const RangeRule& rule, int32_t value) {
  switch (rule.kind) {
    case RangeKind::kAny:
      return true;
    case RangeKind::kSpan:
      return value >= rule.low && value <= rule.high;
    case RangeKind::kOneOf:
      return std::find(rule.allowed.begin(), rule.allowed.begin() + rule.allowed_count, value) !=
             rule.allowed.begin() + rule.allowed_count;
    case RangeKind::kNotNegative:
      return value >= 0;
    case RangeKind::kCommand:
      return value == 0 || (value >= kFirstCommand && value <= kLastCommand);
  }
  return false;
}

}  // namespace

int32_t ApplyRangeRule(const RangeRule& rule, int32_t value) {
  return IsAllowed(rule, value) ? value : rule.fallback;
}

std::span<const FlagEntry> FlagEntries() { return kFlags; }
std::span<const IntEntry> IntEntries() { return kInts; }
std::span<const ColourEntry> ColourEntries() { return kColours; }
std::span<const TextEntry> TextEntries() { return kTexts; }
const std::array<MouseEntry, kMouseSlotCount>& MouseEntries() { return kMouse; }
