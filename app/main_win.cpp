// Process entry of Ovira.exe.
#include <windows.h>

#include "view/view_window.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show_command) {
  if (!RegisterViewWindowClass(instance)) return 0;
  HWND view = CreateViewWindow(instance);
  if (!view) return 0;
  ShowWindow(view, show_command == SW_SHOWDEFAULT ? SW_SHOWNORMAL : show_command);
  UpdateWindow(view);

  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}
