// Editing the comment stored in the current file.
#pragma once

// For an image from a file of a format with a comment editor: shows the
// comment, and after OK puts a copy of the file with the new comment in
// its place. Does nothing for other images.
void EditCurrentComment();
