// Keys, the context menu and the commands behind them, driven as a user
// would: key presses posted to the view window go through the program's
// own message loop and its accelerator table.
#include <windows.h>

#include <string>

#include "app/accelerator_records.h"
#include "app/settings_reader.h"
#include "tests/e2e/app_instance.h"
#include "tests/e2e/capture.h"
#include "tests/e2e/scenario.h"
#include "tests/e2e/settings_file.h"

namespace {

constexpr int kEntryKeyTable = 30;
constexpr int kEntryProgramCaption1 = 12;
constexpr int kEntryProgramPath1 = 20;

void PressKey(HWND window, UINT key) {
  UINT scan = MapVirtualKeyW(key, MAPVK_VK_TO_VSC);
  PostMessageW(window, WM_KEYDOWN, key, 1 | LPARAM(scan) << 16);
  PostMessageW(window, WM_KEYUP, key, 1 | LPARAM(scan) << 16 | LPARAM(3) << 30);
}

constexpr int kEntryAlwaysOnTop = 5;

// Whether the program ended with always-on-top set. The flag is what the
// command toggles; the window's own topmost style cannot tell under Wine,
// which keeps a window that owns topmost tool tips out of the topmost band.
bool EndedOnTop(const AppInstance& app) {
  return InlineValue(ReadFileBytes(app.settings_path()), kEntryAlwaysOnTop) == 1;
}

// Starts the program with these settings and waits for its view window.
HWND StartViewer(ScenarioContext& ctx, AppInstance& app, const std::vector<IntSetting>& ints,
                 const std::vector<ByteSetting>& bytes = {}) {
  if (!ctx.Expect(app.Prepare({}), "program folder prepared")) return nullptr;
  WriteSettingsFile(app.settings_path(), QuietSettings(ints), bytes);
  if (!ctx.Expect(app.Start(), "process started")) return nullptr;
  HWND view = app.WaitForWindow(L"Ovira_vwin_class");
  ctx.Expect(view != nullptr, "the view window appears");
  Sleep(300);
  return view;
}

std::vector<uint8_t> StoredKeyTable(const std::wstring& settings_path) {
  SettingsReader reader;
  reader.Open(settings_path.c_str());
  return reader.ReadAccelerators();
}

std::vector<uint8_t> Utf16Bytes(const std::wstring& text) {
  const auto* bytes = reinterpret_cast<const uint8_t*>(text.data());
  return std::vector<uint8_t>(bytes, bytes + text.size() * sizeof(wchar_t));
}

// Whether any pixel of the rows [top, bottom) and columns [left, right)
// differs from the colour at (right, top).
bool HasInk(const ClientPixels& shot, int left, int right, int top, int bottom) {
  uint32_t background = shot.At(right, top);
  for (int y = top; y < bottom; ++y) {
    for (int x = left; x < right; ++x) {
      if (shot.At(x, y) != background) return true;
    }
  }
  return false;
}

}  // namespace

E2E_SCENARIO(BuiltInKeysWorkWithoutSettings) {
  AppInstance app(ctx.bin_dir);
  if (!ctx.Expect(app.Prepare({}), "program folder prepared")) return;
  if (!ctx.Expect(app.Start(), "process started")) return;
  HWND notice = app.WaitForWindow(L"#32770");
  if (!ctx.Expect(notice != nullptr, "the start-up notice shows")) return;
  PostMessageW(notice, WM_COMMAND, IDCANCEL, 0);
  for (int i = 0; i < 50 && IsWindow(notice); ++i) Sleep(100);
  HWND view = app.WaitForWindow(L"Ovira_vwin_class");
  if (!ctx.Expect(view != nullptr && !IsWindow(notice), "the view window remains")) return;
  Sleep(300);

  PressKey(view, 'T');
  PressKey(view, 'T');
  PressKey(view, 'T');
  // What the system sends for the keyboard's menu key.
  PostMessageW(view, WM_CONTEXTMENU, WPARAM(view), -1);
  ctx.Expect(app.WaitForWindow(L"#32768", 5000) != nullptr, "the menu key opens the context menu");
  PressKey(view, VK_ESCAPE);  // taken by the menu
  Sleep(300);
  ctx.Expect(app.WaitForExit(100) == -1, "Esc in the menu only closes the menu");
  PressKey(view, VK_ESCAPE);
  if (!ctx.Expect(app.WaitForExit(5000) == 0, "Esc closes the program")) return;
  ctx.Expect(EndedOnTop(app), "T three times leaves the window on top");
  ctx.Expect(StoredKeyTable(app.settings_path()) ==
                 EncodeAccelRecords(TableFromSlots(DefaultBindingSlots())),
             "the built-in key table is stored at exit");
}

E2E_SCENARIO(KeysWaitWhileTheRightButtonIsHeld) {
  AppInstance app(ctx.bin_dir);
  HWND view = StartViewer(ctx, app, {});
  if (!view) return;
  PostMessageW(view, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(100, 100));
  PressKey(view, 'T');
  PressKey(view, VK_ESCAPE);
  Sleep(500);
  ctx.Expect(app.WaitForExit(200) == -1, "Esc does nothing while the button is down");

  PostMessageW(view, WM_RBUTTONUP, 0, MAKELPARAM(100, 100));
  HWND menu = app.WaitForWindow(L"#32768", 5000);
  if (!ctx.Expect(menu != nullptr, "releasing the button opens the context menu")) return;
  Sleep(300);
  ClientPixels shot;
  if (ctx.Expect(CaptureClient(menu, &shot) && shot.height > 40, "the menu is captured")) {
    // The last item is Exit, bound to Esc: its binding sits at the right.
    int row = shot.height / 12;
    ctx.Expect(HasInk(shot, shot.width * 3 / 5, shot.width - 12, shot.height - row, shot.height - 3),
               "the last item shows its key on the right");
  }
  // Up from no selection reaches the last item, Exit.
  PressKey(view, VK_UP);
  PressKey(view, VK_RETURN);
  if (!ctx.Expect(app.WaitForExit(5000) == 0, "choosing Exit from the menu closes the program"))
    return;
  ctx.Expect(!EndedOnTop(app), "T did nothing while the button was down");
}

E2E_SCENARIO(StoredKeyTableDecidesTheKeys) {
  std::vector<AccelRecord> stored = {{FVIRTKEY, 'B', 5345},   // a command without a slot
                                     {FVIRTKEY, 'Q', 5550}};
  AppInstance app(ctx.bin_dir);
  HWND view = StartViewer(ctx, app, {{32, 0}}, {{kEntryKeyTable, EncodeAccelRecords(stored)}});
  if (!view) return;
  PressKey(view, 'T');
  PressKey(view, VK_ESCAPE);
  PressKey(view, 'B');
  Sleep(500);
  ClientPixels shot;
  ctx.Expect(CaptureClient(view, &shot) && shot.At(10, 10) == 0, "B paints the background black");
  ctx.Expect(app.WaitForExit(100) == -1, "Esc is not bound any more");
  PressKey(view, 'Q');
  if (!ctx.Expect(app.WaitForExit(5000) == 0, "Q closes the program")) return;
  ctx.Expect(!EndedOnTop(app), "T is not bound any more");
  ctx.Expect(StoredKeyTable(app.settings_path()) == EncodeAccelRecords(stored),
             "the stored table goes back unchanged");
}

E2E_SCENARIO(ExternalProgramStartsFromItsKey) {
  AppInstance app(ctx.bin_dir);
  if (!ctx.Expect(app.Prepare({}), "program folder prepared")) return;
  std::wstring recorder = app.folder() + L"\\recorder.cmd";
  std::wstring record = app.folder() + L"\\arguments.txt";
  HANDLE h = CreateFileW(recorder.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  const char script[] = "@echo [%*]> \"%~dp0arguments.txt\"\r\n";
  DWORD written = 0;
  WriteFile(h, script, sizeof(script) - 1, &written, nullptr);
  CloseHandle(h);
  WriteSettingsFile(app.settings_path(), QuietSettings(),
                    {{kEntryProgramCaption1 + 1, Utf16Bytes(L"&Recorder")},
                     {kEntryProgramPath1 + 1, Utf16Bytes(recorder)}});
  if (!ctx.Expect(app.Start(), "process started")) return;
  HWND view = app.WaitForWindow(L"Ovira_vwin_class");
  if (!ctx.Expect(view != nullptr, "the view window appears")) return;
  Sleep(300);
  PressKey(view, '1');  // program 1 has no path: nothing
  PressKey(view, '2');
  std::vector<uint8_t> text;
  for (int i = 0; i < 100 && text.empty(); ++i) {
    Sleep(100);
    text = ReadFileBytes(record);
  }
  std::string arguments(text.begin(), text.end());
  ctx.Expect(arguments.rfind("[]", 0) == 0, "2 starts program 2, without a file: no arguments");
  PostMessageW(view, WM_CLOSE, 0, 0);
  ctx.Expect(app.WaitForExit(5000) == 0, "the process ends with code 0");
}

// Ctrl must really be down in the program's own input state for Ctrl+O to
// translate. Attaching the driver's input to the program's thread shares
// that state, so setting it here is what holding the key would do.
E2E_SCENARIO(CtrlOOpensTheOpenDialog) {
  AppInstance app(ctx.bin_dir);
  HWND view = StartViewer(ctx, app, {});
  if (!view) return;
  DWORD program_thread = GetWindowThreadProcessId(view, nullptr);
  bool attached = AttachThreadInput(GetCurrentThreadId(), program_thread, TRUE) != 0;
  if (!ctx.Expect(attached, "input attached to the program's thread")) return;
  BYTE keys[256];
  GetKeyboardState(keys);
  keys[VK_CONTROL] |= 0x80;
  keys[VK_LCONTROL] |= 0x80;
  SetKeyboardState(keys);
  PressKey(view, 'O');
  HWND dialog = app.WaitForWindow(L"#32770", 5000);
  keys[VK_CONTROL] &= 0x7F;
  keys[VK_LCONTROL] &= 0x7F;
  SetKeyboardState(keys);
  AttachThreadInput(GetCurrentThreadId(), program_thread, FALSE);
  if (ctx.Expect(dialog != nullptr, "Ctrl+O shows the open dialog")) {
    PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
  }
  Sleep(300);
  PostMessageW(view, WM_CLOSE, 0, 0);
  ctx.Expect(app.WaitForExit(5000) == 0, "the program ends with code 0");
}
