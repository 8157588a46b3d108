// Puts the title text on the window the user is looking at.
#pragma once

void RefreshTitle();
