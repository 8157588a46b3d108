#include "view/edit_hooks_win.h"

#include "adjust/adjustment_run_win.h"
#include "app/app_state.h"
#include "app/command_ids.h"
#include "view/eyedropper_win.h"
#include "view/save_bar_win.h"
#include "view/tool_strip_win.h"
#include "view/view_mouse_win.h"

namespace {

constexpr WORD kFromAccelerator = 1;
constexpr LPARAM kKeyReleased = LPARAM{1} << 31;

HHOOK g_keyboard = nullptr;
HHOOK g_menu = nullptr;

void RunAsAccelerator(int command) {
  SendMessageW(App().view_window, WM_COMMAND, MAKEWPARAM(command, kFromAccelerator), 0);
}

LRESULT CALLBACK KeyboardHook(int code, WPARAM key, LPARAM flags) {
  if (code == HC_ACTION && key == VK_CONTROL && (flags & kKeyReleased)) HandleCtrlReleased();
  if (code == HC_ACTION && !(flags & kKeyReleased) && HandleEditKey(key)) return 1;
  return CallNextHookEx(g_keyboard, code, key, flags);
}

LRESULT CALLBACK MenuHook(int code, WPARAM wparam, LPARAM lparam) {
  if (code == MSGF_MENU && HandleMenuLoopMessage(*reinterpret_cast<const MSG*>(lparam))) return 1;
  return CallNextHookEx(g_menu, code, wparam, lparam);
}

}  // namespace

void InstallEditHooks() {
  const DWORD thread = GetCurrentThreadId();
  if (!g_keyboard) g_keyboard = SetWindowsHookExW(WH_KEYBOARD, KeyboardHook, nullptr, thread);
  if (!g_menu) g_menu = SetWindowsHookExW(WH_MSGFILTER, MenuHook, nullptr, thread);
}

void RemoveEditHooks() {
  for (HHOOK* hook : {&g_keyboard, &g_menu}) {
    if (*hook) UnhookWindowsHookEx(*hook);
    *hook = nullptr;
  }
}

bool HandleEditKey(WPARAM key) {
  ApplicationState& app = App();
  if (!app.edit_window || !IsWindowEnabled(app.edit_window)) return false;
  switch (key) {
    case VK_RETURN:
      if (app.mouse_state != 0 || app.eyedropper_on) return false;
      if (app.adjustment_hook && app.adjustment_mode != 0) {
        RunAsAccelerator(kCommandApplyAdjustment);
        return true;
      }
      if (!TakeSaveBarField(GetFocus())) return false;
      RunAsAccelerator(kCommandSavePreview);
      return true;
    case VK_ESCAPE:
      if (app.mouse_state != 0) {
        CancelViewDrag();
        return true;
      }
      if (app.eyedropper_on) {
        EndEyedropper(false);
        return true;
      }
      if (!app.adjustment_hook || app.adjustment_mode == 0) return false;
      RunAsAccelerator(kCommandCancelAdjustment);
      return true;
  }
  return false;
}

void HandleCtrlReleased() {
  const ApplicationState& app = App();
  if (app.edit_window && IsWindowEnabled(app.edit_window) && app.adjustment_hook) {
    OnAdjustmentCtrlReleased();
  }
}
