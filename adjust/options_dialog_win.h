// The options dialog: six pages of settings in a tree, applied together.
#pragma once

// Runs the dialog modally over the window in use.
void ShowOptionsDialog();
