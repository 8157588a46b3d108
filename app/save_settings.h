// The save settings of the settings file as the options of one save.
#pragma once

#include "app/settings_values.h"
#include "codecs/save_options.h"

SaveOptions SaveOptionsFromSettings(const SettingsValues& settings, int32_t save_type);
