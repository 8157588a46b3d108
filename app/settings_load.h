// Fills the settings group of the application state from the settings file,
// applying defaults and range rules. An invalid reader gives all defaults.
#pragma once

#include "app/settings_environment.h"
#include "app/settings_reader.h"
#include "app/settings_values.h"

void LoadAllSettings(const SettingsReader& reader, SettingsValues& values,
                     const SettingsEnvironment& environment);
