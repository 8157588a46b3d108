#include "view/edit_hooks_win.h"

#include "app/app_state.h"
#include "app/command_ids.h"
#include "view/view_mouse_win.h"

namespace {

constexpr WORD kFromAccelerator = 1;
constexpr LPARAM kKeyReleased = LPARAM{1} << 31;

HHOOK g_keyboard = nullptr;

void RunAsAccelerator(int command) {
  SendMessageW(App().view_window, WM_COMMAND, MAKEWPARAM(command, kFromAccelerator), 0);
}

LRESULT CALLBACK KeyboardHook(int code, WPARAM key, LPARAM flags) {
  if (code == HC_ACTION && !(flags & kKeyReleased) && HandleEditKey(key)) return 1;
  return CallNextHookEx(g_keyboard, code, key, flags);
}

}  // namespace

void InstallEditHooks() {
  if (g_keyboard) return;
  g_keyboard = SetWindowsHookExW(WH_KEYBOARD, KeyboardHook, nullptr, GetCurrentThreadId());
}

void RemoveEditHooks() {
  if (g_keyboard) UnhookWindowsHookEx(g_keyboard);
  g_keyboard = nullptr;
}

bool HandleEditKey(WPARAM key) {
  ApplicationState& app = App();
  if (!app.edit_window || !IsWindowEnabled(app.edit_window)) return false;
  switch (key) {
    case VK_RETURN:
      if (app.mouse_state != 0 || !app.adjustment_in_progress) return false;
      RunAsAccelerator(kCommandApplyAdjustment);
      return true;
    case VK_ESCAPE:
      if (app.mouse_state != 0) {
        CancelViewDrag();
        return true;
      }
      if (!app.adjustment_in_progress) return false;
      RunAsAccelerator(kCommandCancelAdjustment);
      return true;
  }
  return false;
}
