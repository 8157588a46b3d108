// Deleting the current file to the recycle bin and moving on in the list.
#pragma once

void DeleteCurrentFile();
