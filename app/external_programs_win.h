// The user's external programs, started with the current file.
#pragma once

// Program `index` (0 to 7) by its path in the settings; nothing happens
// when the path is empty.
void RunExternalProgram(int index);
