// The reading options of the settings file as the settings of one decode.
#pragma once

#include "app/settings_values.h"
#include "image/decode_settings.h"

DecodeSettings DecodeSettingsFromSettings(const SettingsValues& settings);
