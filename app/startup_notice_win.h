// The notice shown at start until the user turns it off.
#pragma once

#include "lang/string_ids.h"


// OK stores whether the notice shows next time (box ticked: no); Cancel
// changes nothing.
void ShowStartupNotice();
