#include "view/title_tip_win.h"

#include <commctrl.h>

#include "app/app_state.h"

namespace {

constexpr int kBelowPointer = 20;  // clear of the cursor's own shape

// The one tool of the tip is the owner window itself.
TTTOOLINFOW ToolOf(HWND tip) {
  TTTOOLINFOW tool = {};
  tool.cbSize = sizeof(tool);
  tool.uFlags = TTF_IDISHWND | TTF_TRACK | TTF_ABSOLUTE;
  tool.hwnd = GetWindow(tip, GW_OWNER);
  tool.uId = reinterpret_cast<UINT_PTR>(tool.hwnd);
  return tool;
}

HWND Tip() { return App().tooltips[1]; }

}  // namespace

void InstallTitleTip(HWND tip, HWND owner) {
  if (!tip) return;
  TTTOOLINFOW tool = ToolOf(tip);
  tool.hwnd = owner;
  tool.uId = reinterpret_cast<UINT_PTR>(owner);
  tool.lpszText = const_cast<wchar_t*>(L"");
  SendMessageW(tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void SetTitleTipText(const std::wstring& text) {
  HWND tip = Tip();
  if (!tip) return;
  TTTOOLINFOW tool = ToolOf(tip);
  tool.lpszText = const_cast<wchar_t*>(text.c_str());
  SendMessageW(tip, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
}

void ShowTitleTip(POINT screen) {
  ApplicationState& app = App();
  HWND tip = Tip();
  if (!tip || app.title_tip_active) return;
  app.title_tip_active = true;
  TTTOOLINFOW tool = ToolOf(tip);
  wchar_t title[512] = {};
  GetWindowTextW(tool.hwnd, title, 512);
  SetTitleTipText(title);
  SendMessageW(tip, TTM_TRACKPOSITION, 0, MAKELPARAM(screen.x, screen.y + kBelowPointer));
  SendMessageW(tip, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&tool));
}

void HideTitleTip() {
  ApplicationState& app = App();
  HWND tip = Tip();
  if (!tip || !app.title_tip_active) return;
  app.title_tip_active = false;
  TTTOOLINFOW tool = ToolOf(tip);
  SendMessageW(tip, TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&tool));
}
