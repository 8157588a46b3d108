// Turning the current JPEG file itself, without recompressing it: the
// display rotations made so far, or a quarter turn more either way.
#pragma once

// Runs command 5014, 5020 or 5021; false when the command is not one of them.
bool RunLosslessRotation(int command);
