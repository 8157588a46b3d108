// The save settings of the settings file as the options of one save.
#pragma once

#include <string>

#include "app/settings_values.h"
#include "codecs/save_options.h"

// comment_text: the comment the encoders embed, kept by the application
// state rather than the settings file.
SaveOptions SaveOptionsFromSettings(const SettingsValues& settings, int32_t save_type,
                                    const std::string& comment_text);
