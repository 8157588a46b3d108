#include "adjust/option_controls.h"

namespace {

using S = SettingsValues;

OptionControl Check(int page, int id, uint8_t S::*flag) {
  return {page, id, OptionControlKind::kCheck, flag, nullptr, 1};
}
OptionControl Radio(int page, int id, int32_t S::*number, int32_t value) {
  return {page, id, OptionControlKind::kRadio, nullptr, number, value};
}
// A pair of radio buttons over a flag: the first stores 0, the second 1.
OptionControl FlagRadio(int page, int id, uint8_t S::*flag, int32_t value) {
  return {page, id, OptionControlKind::kRadio, flag, nullptr, value};
}

}  // namespace

const std::vector<OptionControl>& OptionControls() {
  static const std::vector<OptionControl> kControls = {
      Radio(0, 3120, &S::start_display_mode, 0),
      Radio(0, 3121, &S::start_display_mode, 1),
      Radio(0, 3122, &S::start_display_mode, 2),
      Check(0, 3130, &S::hand_over_to_running),
      Check(0, 3131, &S::png_gamma_correction),
      Check(0, 3132, &S::png_composite_transparency),
      Check(0, 3133, &S::png_use_file_background),
      Check(0, 3134, &S::slideshow_wraps),
      Check(0, 3135, &S::view_follows_image),
      Check(0, 3136, &S::rotate_by_exif),
      Radio(1, 3220, &S::stretch_mode, 3),
      Radio(1, 3221, &S::stretch_mode, 4),
      FlagRadio(1, 3222, &S::window_keep_zoom, 0),
      FlagRadio(1, 3223, &S::window_keep_zoom, 1),
      FlagRadio(1, 3224, &S::fullscreen_keep_zoom, 0),
      FlagRadio(1, 3225, &S::fullscreen_keep_zoom, 1),
      FlagRadio(1, 3226, &S::edit_keep_zoom, 0),
      FlagRadio(1, 3227, &S::edit_keep_zoom, 1),
      Check(1, 3230, &S::window_shrink_large),
      Check(1, 3231, &S::window_enlarge_small),
      Check(1, 3232, &S::fullscreen_shrink_large),
      Check(1, 3233, &S::fullscreen_enlarge_small),
      Check(1, 3234, &S::edit_shrink_large),
      Check(1, 3235, &S::edit_enlarge_small),
      Check(2, 3325, &S::drag_zoom_rectangle),
      Check(2, 3326, &S::edit_option_58),
      Check(5, 3632, &S::replace_modified_silently),
  };
  return kControls;
}

bool IsOptionChecked(const SettingsValues& settings, const OptionControl& control) {
  if (control.kind == OptionControlKind::kCheck) return settings.*control.flag != 0;
  if (control.flag) return (settings.*control.flag != 0) == (control.value != 0);
  return settings.*control.number == control.value;
}

void StoreOptionState(SettingsValues* settings, const OptionControl& control, bool checked) {
  if (control.kind == OptionControlKind::kCheck) {
    settings->*control.flag = checked ? 1 : 0;
    return;
  }
  if (!checked) return;  // the checked one of the group stores
  if (control.flag) {
    settings->*control.flag = control.value != 0 ? 1 : 0;
  } else {
    settings->*control.number = control.value;
  }
}
