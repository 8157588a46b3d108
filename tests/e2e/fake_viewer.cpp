#include "tests/e2e/fake_viewer.h"

namespace {

FakeViewer* g_current = nullptr;

void RegisterStandInClass(const wchar_t* name, WNDPROC proc) {
  WNDCLASSEXW wc = {sizeof(wc)};
  if (GetClassInfoExW(GetModuleHandleW(nullptr), name, &wc)) return;
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = proc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.lpszClassName = name;
  RegisterClassExW(&wc);
}

}  // namespace

FakeViewer::FakeViewer(bool visible) {
  g_current = this;
  RegisterStandInClass(L"Ovira_vwin_class", Proc);
  RegisterStandInClass(L"Ovira_swin_class", Proc);
  HINSTANCE instance = GetModuleHandleW(nullptr);
  view_ = CreateWindowExW(0, L"Ovira_vwin_class", L"stand-in", WS_OVERLAPPEDWINDOW, 10, 10, 200,
                          150, nullptr, nullptr, instance, nullptr);
  edit_ = CreateWindowExW(0, L"Ovira_swin_class", L"stand-in edit", WS_OVERLAPPEDWINDOW, 40, 40,
                          200, 150, nullptr, nullptr, instance, nullptr);
  ShowWindow(visible ? view_ : edit_, SW_SHOWNORMAL);
  PumpMessages(100);
}

FakeViewer::~FakeViewer() {
  DestroyWindow(view_);
  DestroyWindow(edit_);
  PumpMessages(50);
  g_current = nullptr;
}

bool FakeViewer::WaitForCopyData(DWORD timeout_ms) {
  received_ = false;
  data_.clear();
  DWORD start = GetTickCount();
  while (!received_ && GetTickCount() - start < timeout_ms) PumpMessages(20);
  return received_;
}

LRESULT CALLBACK FakeViewer::Proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_COPYDATA && g_current) {
    auto* copy = reinterpret_cast<const COPYDATASTRUCT*>(lparam);
    const uint8_t* bytes = static_cast<const uint8_t*>(copy->lpData);
    g_current->data_.assign(bytes, bytes + copy->cbData);
    g_current->kind_ = copy->dwData;
    g_current->receiver_ = window;
    g_current->received_ = true;
    return 1;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

void PumpMessages(DWORD milliseconds) {
  DWORD start = GetTickCount();
  do {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  } while (GetTickCount() - start < milliseconds);
}
