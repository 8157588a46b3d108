// How many colours the image uses, in a message box.
#pragma once

void ShowColourCount();
