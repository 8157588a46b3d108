// Noticing that the folder of the current file changed while the user was
// in another program.
#pragma once

// Watches the current folder for renamed, added or removed files.
void WatchCurrentFolder();
void StopWatchingFolder();

// On activation: rebuilds the list when the folder changed, and offers to
// reload when the current file itself was rewritten meanwhile.
void CheckFolderForChanges();
