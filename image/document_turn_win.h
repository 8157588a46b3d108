// The five right-angle turns and flips of the current image, as commands
// and as the upright display of a photograph whose Exif data say how the
// camera was held.
#pragma once

// Runs command 5150 to 5154 on the current image (which then counts as
// edited). False when the command is not one of them.
bool RunTurnCommand(int command);

// After a JPEG was opened: turns it the way its Exif orientation asks, when
// the settings want that. The image stays unmodified: the file is unchanged
// and showing it upright is only how it is displayed.
void TurnUprightByExif();
