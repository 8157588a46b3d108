// The options dialog's check boxes and radio buttons, each bound to one
// settings field: which page it is on, how its state maps to the value.
#pragma once

#include <cstdint>
#include <vector>

#include "app/settings_values.h"

enum class OptionControlKind : uint8_t {
  kCheck,  // on stores 1, off 0
  kRadio,  // checked stores `value`
};

struct OptionControl {
  int page;  // 0 to 5
  int id;
  OptionControlKind kind;
  uint8_t SettingsValues::*flag;  // for check boxes and two-way radios
  int32_t SettingsValues::*number;  // for radios over an integer field
  int32_t value;  // what a checked radio stores
};

// Every such control of the six pages.
const std::vector<OptionControl>& OptionControls();

// Whether the control shows checked for these settings.
bool IsOptionChecked(const SettingsValues& settings, const OptionControl& control);

// Stores a checked radio's value, or a check box's state.
void StoreOptionState(SettingsValues* settings, const OptionControl& control, bool checked);
