// Steps most document scenarios share: a quiet viewer at a fixed place, the
// title as the sign that an image is shown, controls inside dialogs.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "tests/e2e/app_instance.h"
#include "tests/e2e/scenario.h"
#include "tests/e2e/settings_file.h"

// A viewer that does not follow the image size, at a fixed place, with no
// start-up notice and `more_settings`, started with `arguments`.
bool StartViewerOn(ScenarioContext& ctx, AppInstance& app, const std::wstring& arguments,
                   HWND* view, const std::vector<IntSetting>& more_settings = {});

// Waits until the window's title begins with `prefix`.
bool WaitForTitle(HWND window, const std::wstring& prefix, DWORD timeout_ms = 5000);

std::wstring Quoted(const std::wstring& path);
// A file size as the title gives it: KiB with one truncated decimal, "KB".
std::wstring KibText(size_t bytes);

// A control anywhere below `root`.
HWND FindControl(HWND root, int id);
// A control's text as its program gives it, asked with a time limit.
std::wstring ControlText(HWND control);

// Whether a file replaced through its copy beside it (name + ".ovira-new")
// left that copy behind in `folder`.
bool StagedCopyLeftIn(const std::wstring& folder);

// A key pressed and let go as the keyboard gives it, to the foreground window.
void PressKey(WORD key);
// The same with Ctrl held down.
void PressCtrlKey(WORD key);
// The real pointer clicks the middle of a window.
void ClickOn(HWND window);
// A left click at a screen point, as the user makes it.
void ClickAt(int x, int y);

// Closes the viewer as a user would and waits for the process to end.
void Close(AppInstance& app, HWND view);
// The same for a modified picture: the question whether to save it is
// answered No.
void CloseDroppingChanges(AppInstance& app, HWND view);

// Our plug-in modules copied into "plugins" beside the program, where it
// looks for them while no folder of its own is set.
bool ShipPlugins(const std::wstring& bin_dir, AppInstance& app);
