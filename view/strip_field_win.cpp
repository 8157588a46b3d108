#include "view/strip_field_win.h"

#include <commctrl.h>
#include <imm.h>

#include <cwchar>
#include <string>

#include "app/app_state.h"

namespace {

RECT SeparatorRect(HWND bar, int holder) {
  RECT place = {};
  const int index = static_cast<int>(SendMessageW(bar, TB_COMMANDTOINDEX, holder, 0));
  SendMessageW(bar, TB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&place));
  return place;
}

}  // namespace

HWND CreateStripField(HWND bar, int holder, int id, int digits) {
  HWND field = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", nullptr,
                               WS_CHILD | WS_VISIBLE | ES_RIGHT | ES_NUMBER | ES_AUTOHSCROLL, 0, 0,
                               1, 1, bar, reinterpret_cast<HMENU>(INT_PTR{id}), App().instance,
                               nullptr);
  if (!field) return nullptr;
  if (App().ui_font) {
    SendMessageW(field, WM_SETFONT, reinterpret_cast<WPARAM>(App().ui_font.get()), 0);
  }
  SendMessageW(field, EM_LIMITTEXT, digits, 0);
  PlaceOverSeparator(bar, holder, field, 2);
  return field;
}

void PlaceOverSeparator(HWND bar, int holder, HWND control, int inset) {
  TBBUTTONINFOW info = {sizeof(info), TBIF_STATE};
  SendMessageW(bar, TB_GETBUTTONINFOW, holder, reinterpret_cast<LPARAM>(&info));
  if (info.fsState & TBSTATE_HIDDEN) {
    ShowWindow(control, SW_HIDE);
    return;
  }
  const RECT place = SeparatorRect(bar, holder);
  SetWindowPos(control, nullptr, place.left + inset, place.top + inset,
               place.right - place.left - 2 * inset, place.bottom - place.top - 2 * inset,
               SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

void OnStripFieldFocus(HWND field, bool gained) {
  App().accelerators_suspended = gained;
  if (!gained) return;
  if (HIMC context = ImmGetContext(field)) {
    ImmSetOpenStatus(context, FALSE);
    ImmReleaseContext(field, context);
  }
}

bool FieldNumber(HWND field, long* number) {
  wchar_t text[16] = {};
  GetWindowTextW(field, text, 16);
  if (text[0] == L'\0') return false;
  wchar_t* end = nullptr;
  *number = std::wcstol(text, &end, 10);
  return *end == L'\0';
}

void SetFieldNumber(HWND field, long number) {
  SetWindowTextW(field, std::to_wstring(number).c_str());
}
