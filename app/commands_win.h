// Command identifiers the frame itself carries, and the dispatcher that the
// view and edit windows hand their WM_COMMAND to.
#pragma once

#include "app/window_arrangement.h"  // the arrangement command identifiers

constexpr int kCommandSlideshow = 5250;
constexpr int kCommandToggleEditWindow = 5310;
constexpr int kCommandAlwaysOnTop = 5320;
constexpr int kCommandCentreWindow = 5321;
constexpr int kCommandBackgroundWhite = 5341;  // ... 5345 black
constexpr int kCommandBackgroundBlack = 5345;
constexpr int kCommandCentreAll = 5354;
constexpr int kCommandCloseAll = 5355;
constexpr int kCommandOptions = 5410;
constexpr int kCommandStartupNotice = 5515;
constexpr int kCommandMinimise = 5540;
constexpr int kCommandClose = 5550;

// Commands whose module has not arrived yet are ignored.
void RunViewCommand(int command);

// Centres the view window in the work area of its monitor.
void CentreViewWindow();
