#include "adjust/options_dialog_win.h"

#include <windows.h>
#include <commctrl.h>

#include "adjust/bindings_dialog_win.h"
#include "adjust/options_session_win.h"
#include "app/app_state.h"
#include "app/dialog_loader_win.h"
#include "app/language_module_win.h"
#include "app/menu_build_win.h"
#include "app/menu_refresh_win.h"
#include "app/program_message_win.h"
#include "app/screen_rect.h"
#include "app/settings_writer.h"
#include "app/window_placement.h"
#include "image/status.h"
#include "lang/string_ids.h"

namespace {

constexpr int kTreeItemHeight = 20;
constexpr int kTreeIndent = 10;
constexpr int kEntryHandOver = 1;
constexpr int kEntryStartDisplayMode = 2;
constexpr int32_t kDefaultViewRect[] = {0, 0, 820, 600};

OptionsSession* Session(HWND window) {
  return reinterpret_cast<OptionsSession*>(GetWindowLongPtrW(window, DWLP_USER));
}

const OptionsPageHooks& HooksOf(int page) {
  if (page < 3) return GeneralPageHooks();
  if (page == 3) return ProgramsPageHooks();
  if (page == 4) return PluginsPageHooks();
  return SystemPageHooks();
}

int PageIndex(HWND page) { return static_cast<int>(GetWindowLongPtrW(page, GWLP_USERDATA)); }

bool IsChangeNotice(int code) {
  return code == BN_CLICKED || code == EN_CHANGE || code == CBN_SELCHANGE;
}

INT_PTR CALLBACK PageProcedure(HWND page, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_INITDIALOG) {
    SetWindowLongPtrW(page, DWLP_USER, lparam);
    return FALSE;
  }
  OptionsSession* session = Session(page);
  if (!session) return FALSE;
  const OptionsPageHooks& hooks = HooksOf(PageIndex(page));
  switch (message) {
    case WM_COMMAND: {
      int id = LOWORD(wparam), code = HIWORD(wparam);
      if (hooks.command && hooks.command(page, id, code, *session)) return TRUE;
      if (IsChangeNotice(code)) MarkOptionsChanged(*session);
      return TRUE;
    }
    case WM_NOTIFY:
      return hooks.notify && hooks.notify(page, reinterpret_cast<const NMHDR*>(lparam), *session);
    case WM_CTLCOLOREDIT:
      if (HBRUSH brush = ProgramCaptionColour(reinterpret_cast<HDC>(wparam),
                                              reinterpret_cast<HWND>(lparam))) {
        return reinterpret_cast<INT_PTR>(brush);
      }
      return FALSE;
    case WM_DRAWITEM:
      return hooks.draw && hooks.draw(reinterpret_cast<const DRAWITEMSTRUCT*>(lparam), *session);
  }
  return FALSE;
}

RECT PageArea(HWND dialog) {
  RECT area = {};
  GetWindowRect(GetDlgItem(dialog, IDC_OPTIONS_PAGE_AREA), &area);
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&area), 2);
  return area;
}

void CreatePages(HWND dialog, OptionsSession& session) {
  RECT area = PageArea(dialog);
  HWND tree = GetDlgItem(dialog, IDC_OPTIONS_TREE);
  for (int i = 0; i < kOptionsPageCount; ++i) {
    DialogTemplate page_template(IDD_OPTIONS_FIRST_PAGE + i);
    HWND page = page_template.get()
                    ? CreateDialogIndirectParamW(App().instance, page_template.get(), dialog,
                                                 PageProcedure,
                                                 reinterpret_cast<LPARAM>(&session))
                    : nullptr;
    session.pages[i] = page;
    if (page) {
      SetWindowLongPtrW(page, GWLP_USERDATA, i);
      SetWindowPos(page, HWND_TOP, area.left, area.top, area.right - area.left,
                   area.bottom - area.top, SWP_NOACTIVATE);
    }
    std::wstring caption = LanguageString(App().language.get(), IDD_OPTIONS_FIRST_PAGE + i);
    TVINSERTSTRUCTW item = {};
    item.hParent = TVI_ROOT;
    item.hInsertAfter = TVI_LAST;
    item.item.mask = TVIF_TEXT | TVIF_PARAM;
    item.item.pszText = caption.data();
    item.item.lParam = i;
    TreeView_InsertItem(tree, &item);
  }
}

void FillPages(OptionsSession& session) {
  session.filling = true;
  for (int i = 0; i < kOptionsPageCount; ++i) {
    if (session.pages[i]) HooksOf(i).fill(session.pages[i], session);
  }
  session.filling = false;
}

HTREEITEM TreeItemOf(HWND tree, int page) {
  HTREEITEM item = TreeView_GetRoot(tree);
  for (int i = 0; item && i < page; ++i) item = TreeView_GetNextSibling(tree, item);
  return item;
}

void ShowPage(OptionsSession& session, int page) {
  if (page < 0 || page >= kOptionsPageCount) page = 0;
  for (int i = 0; i < kOptionsPageCount; ++i) {
    if (session.pages[i]) ShowWindow(session.pages[i], i == page ? SW_SHOW : SW_HIDE);
  }
  session.current_page = page;
}

// Turning the follow-the-image option on keeps the window's place for when
// it is turned off again, which puts the window back there.
void FollowImageChanged(bool now_on) {
  ApplicationState& app = App();
  if (app.display_mode != kDisplayView) return;
  SettingsValues& s = app.settings;
  HWND view = app.view_window;
  if (now_on) {
    WINDOWPLACEMENT placement = {sizeof(placement)};
    GetWindowPlacement(view, &placement);
    const RECT& r = placement.rcNormalPosition;
    s.view_left = r.left, s.view_top = r.top;
    s.view_width = r.right - r.left, s.view_height = r.bottom - r.top;
  } else {
    if (s.view_width <= 0 || s.view_height <= 0) {
      s.view_left = kDefaultViewRect[0], s.view_top = kDefaultViewRect[1];
      s.view_width = kDefaultViewRect[2], s.view_height = kDefaultViewRect[3];
    }
    MONITORINFO monitor = {sizeof(monitor)};
    GetMonitorInfoW(MonitorFromWindow(view, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT& w = monitor.rcWork;
    ScreenRect placed = FitToWorkArea(s.view_left, s.view_top, s.view_width, s.view_height,
                                      {w.left, w.top, w.right, w.bottom});
    SetWindowPos(view, nullptr, placed.left, placed.top, placed.right - placed.left,
                 placed.bottom - placed.top, SWP_NOZORDER | SWP_NOACTIVATE);
  }
  InvalidateRect(view, nullptr, TRUE);
}

// The two start-up entries are read before any window exists, so they go
// to the file at once rather than at exit.
void WriteStartEntries(const SettingsValues& s) {
  SettingsWriter writer;
  if (!writer.Open(App().settings_path.c_str())) return;
  writer.WriteInt(kEntryHandOver, s.hand_over_to_running);
  writer.WriteInt(kEntryStartDisplayMode, s.start_display_mode);
  writer.Finish();
}

void Apply(OptionsSession& session) {
  for (int i = 0; i < kOptionsPageCount; ++i) {
    if (session.pages[i]) HooksOf(i).collect(session.pages[i], session);
  }
  if (session.bindings) InstallBindings(&*session.bindings, &session.pending);
  ApplicationState& app = App();
  bool follow_before = app.settings.view_follows_image != 0;
  session.pending.options_last_page = session.current_page;
  app.settings = session.pending;
  if (follow_before != (app.settings.view_follows_image != 0)) {
    FollowImageChanged(app.settings.view_follows_image != 0);
  }
  session.pending = app.settings;  // the window's place may have been kept
  WriteStartEntries(app.settings);
  // The external programs' captions live in the menus.
  BuildMenus();
  ForgetPreparedPopups();
  InvalidateRect(app.view_window, nullptr, FALSE);
  EnableWindow(GetDlgItem(session.dialog, IDC_OPTIONS_APPLY), FALSE);
}

BOOL Start(HWND dialog, OptionsSession* session) {
  SetWindowLongPtrW(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(session));
  session->dialog = dialog;
  HWND tree = GetDlgItem(dialog, IDC_OPTIONS_TREE);
  TreeView_SetItemHeight(tree, kTreeItemHeight);
  TreeView_SetIndent(tree, kTreeIndent);
  CreatePages(dialog, *session);
  FillPages(*session);
  int first = App().settings.options_last_page;
  ShowPage(*session, first);
  TreeView_SelectItem(tree, TreeItemOf(tree, session->current_page));
  SetFocus(tree);
  return FALSE;
}

INT_PTR CALLBACK OptionsProcedure(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_INITDIALOG) return Start(dialog, reinterpret_cast<OptionsSession*>(lparam));
  OptionsSession* session = Session(dialog);
  if (!session) return FALSE;
  switch (message) {
    case WM_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(lparam);
      if (header->idFrom == IDC_OPTIONS_TREE && header->code == TVN_SELCHANGEDW) {
        const auto* change = reinterpret_cast<const NMTREEVIEWW*>(lparam);
        ShowPage(*session, static_cast<int>(change->itemNew.lParam));
        return TRUE;
      }
      return FALSE;
    }
    case WM_COMMAND:
      switch (LOWORD(wparam)) {
        case IDC_OPTIONS_APPLY: Apply(*session); return TRUE;
        case IDOK:
          Apply(*session);
          EndDialog(dialog, IDOK);
          return TRUE;
        case IDCANCEL: EndDialog(dialog, IDCANCEL); return TRUE;
      }
      return FALSE;
  }
  return FALSE;
}

}  // namespace

void MarkOptionsChanged(OptionsSession& session) {
  if (session.filling || !session.dialog) return;
  EnableWindow(GetDlgItem(session.dialog, IDC_OPTIONS_APPLY), TRUE);
}

void ShowOptionsDialog() {
  ApplicationState& app = App();
  OptionsSession session;
  session.pending = app.settings;
  if (app.list_window) EnableWindow(app.list_window, FALSE);
  INT_PTR result = ShowModalDialog(IDD_OPTIONS, OwnerWindow(), OptionsProcedure,
                                   reinterpret_cast<LPARAM>(&session));
  if (app.list_window) EnableWindow(app.list_window, TRUE);
  if (result == IDOK) ApplyInterfaceChoice(session);
  if (result == -1) ShowProgramMessage(kMessageNoMemory);
}
