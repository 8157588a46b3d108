// Process entry of Ovira.exe: the private heap, COM and help around the
// start-up and the message loop.
#include <windows.h>
#include <htmlhelp.h>
#include <objbase.h>

#include "app/app_state.h"
#include "app/os_class.h"
#include "app/startup_win.h"

namespace {

constexpr SIZE_T kInitialHeapSize = 0x10000;

int ClassifySystem() {
  // GetVersionEx lies to programs without a matching manifest entry; the
  // kernel's own record does not.
  using RtlGetVersionFn = LONG(WINAPI*)(OSVERSIONINFOW*);
  OSVERSIONINFOW version = {sizeof(version)};
  HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  auto get_version =
      ntdll ? reinterpret_cast<RtlGetVersionFn>(
                  reinterpret_cast<void*>(GetProcAddress(ntdll, "RtlGetVersion")))
            : nullptr;
  if (!get_version || get_version(&version) != 0) return 0;
  return OsClassFromVersion(version.dwMajorVersion, version.dwMinorVersion);
}

int RunMessageLoop() {
  ApplicationState& app = App();
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (!app.accelerators_suspended && app.accelerators &&
        TranslateAcceleratorW(app.view_window, app.accelerators.get(), &message))
      continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show_command) {
  ApplicationState& app = App();
  app.heap.reset(HeapCreate(0, kInitialHeapSize, 0));
  if (!app.heap) return 0;
  app.instance = instance;
  app.os_class = ClassifySystem();

  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  DWORD_PTR help_cookie = 0;
  HtmlHelpW(nullptr, nullptr, HH_INITIALIZE, reinterpret_cast<DWORD_PTR>(&help_cookie));

  int result = StartUp(show_command) ? RunMessageLoop() : 0;

  HtmlHelpW(nullptr, nullptr, HH_UNINITIALIZE, help_cookie);
  CoUninitialize();
  app.ui_font.reset();
  app.heap.reset();
  return result;
}
