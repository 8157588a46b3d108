// The machine facts the portable settings code asks about.
#pragma once

#include "app/settings_environment.h"

SettingsEnvironment MakeSettingsEnvironment();
