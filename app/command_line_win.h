// The command line of this process: interpreted at start, handed to a
// running viewer, and extra files started as processes of their own.
#pragma once

#include <string>
#include <vector>

#include "app/command_line.h"

// This process's arguments without the program name.
std::vector<std::u16string> ProcessArguments();

// Starts another copy of the program showing one file in its view window.
void LaunchViewerFor(const std::wstring& path);
// The parameters that copy gets: /v and the quoted path.
std::wstring ViewerLaunchParameters(const std::wstring& path);

// Runs the start path for the switch (or the settings' start mode) and opens
// the path. Returns false when the start-up notice must not be shown.
bool InterpretCommandLine(const CommandLine& command, int show_command);
