// The plug-ins page: the folder the image plug-ins come from, and its
// modules, each checked while it is used.
#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include <string>
#include <vector>

#include "adjust/options_session_win.h"
#include "app/app_state.h"
#include "app/language_module_win.h"
#include "app/wide_text.h"
#include "app/window_text_win.h"
#include "image/ascii_case.h"
#include "image/plugin_host_win.h"
#include "image/plugin_places_win.h"
#include "lang/string_ids.h"

namespace {

constexpr int kModuleColumnWidth = 120;
constexpr int kFormatsColumnWidth = 300;

HWND List(HWND page) { return GetDlgItem(page, IDC_OPT_PLUGIN_LIST); }

std::wstring FolderText(HWND page) { return WindowText(GetDlgItem(page, IDC_OPT_PLUGIN_FOLDER)); }

bool IsDisabled(const std::vector<std::u16string>& disabled, const std::wstring& name) {
  for (const std::u16string& off : disabled) {
    if (EqualIgnoringAsciiCase(off, ToU16(name))) return true;
  }
  return false;
}

void AddColumns(HWND list) {
  ListView_SetExtendedListViewStyle(list, LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
  HMODULE language = App().language.get();
  const int ids[] = {IDS_PLUGIN_MODULE, IDS_PLUGIN_FORMATS};
  const int widths[] = {kModuleColumnWidth, kFormatsColumnWidth};
  for (int i = 0; i < 2; ++i) {
    std::wstring title = LanguageString(language, static_cast<UINT>(ids[i]));
    LVCOLUMNW column = {};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.cx = widths[i];
    column.pszText = title.data();
    ListView_InsertColumn(list, i, &column);
  }
}

// Lists the modules of the folder now in the box; a module of the kept
// list shows unchecked.
void ListModules(HWND page, OptionsSession& session) {
  bool was_filling = session.filling;
  session.filling = true;
  HWND list = List(page);
  ListView_DeleteAllItems(list);
  std::wstring folder = FolderText(page);
  int row = 0;
  for (std::wstring& name : folder.empty() ? std::vector<std::wstring>{}
                                           : PluginModuleNames(folder)) {
    std::wstring patterns, descriptions;
    DescribePlugin(folder, name, &patterns, &descriptions);
    std::wstring formats = descriptions.empty() ? patterns : descriptions + L"  (" + patterns + L")";
    LVITEMW item = {};
    item.mask = LVIF_TEXT;
    item.iItem = row;
    item.pszText = name.data();
    ListView_InsertItem(list, &item);
    ListView_SetItemText(list, row, 1, formats.data());
    ListView_SetCheckState(list, row, !IsDisabled(session.pending.plugin_modules, name));
    ++row;
  }
  session.filling = was_filling;
}

void Fill(HWND page, OptionsSession& session) {
  AddColumns(List(page));
  // Without a folder of its own the one beside the program is in use: the
  // box shows it, so the user sees where the plug-ins come from.
  SetDlgItemTextW(page, IDC_OPT_PLUGIN_FOLDER, CurrentPluginPlaces().folder.c_str());
  ListModules(page, session);
}

void Collect(HWND page, OptionsSession& session) {
  SettingsValues& s = session.pending;
  std::wstring folder = FolderText(page);
  // The folder beside the program stays the default while it is the one shown.
  if (s.plugin_folder_stored || folder != CurrentPluginPlaces().folder) {
    s.plugin_folder = ToU16(folder);
    s.plugin_folder_stored = true;
  }
  s.plugin_modules.clear();
  HWND list = List(page);
  int rows = ListView_GetItemCount(list);
  for (int row = 0; row < rows; ++row) {
    if (ListView_GetCheckState(list, row)) continue;
    wchar_t name[MAX_PATH] = {};
    ListView_GetItemText(list, row, 0, name, MAX_PATH);
    s.plugin_modules.push_back(ToU16(name));
  }
}

void ChooseFolder(HWND page, OptionsSession& session) {
  std::wstring title = LanguageString(App().language.get(), IDS_CHOOSE_PLUGIN_FOLDER);
  BROWSEINFOW browse = {};
  browse.hwndOwner = GetParent(page);
  browse.lpszTitle = title.c_str();
  browse.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
  LPITEMIDLIST chosen = SHBrowseForFolderW(&browse);
  if (!chosen) return;
  wchar_t path[MAX_PATH] = {};
  bool found = SHGetPathFromIDListW(chosen, path);
  CoTaskMemFree(chosen);
  if (!found) return;
  SetDlgItemTextW(page, IDC_OPT_PLUGIN_FOLDER, path);
  ListModules(page, session);
  MarkOptionsChanged(session);
}

void ConfigureSelected(HWND page) {
  HWND list = List(page);
  int row = ListView_GetNextItem(list, -1, LVNI_SELECTED);
  if (row < 0) return;
  wchar_t name[MAX_PATH] = {};
  ListView_GetItemText(list, row, 0, name, MAX_PATH);
  ConfigurePlugin(FolderText(page), name, GetParent(page));
}

bool Command(HWND page, int id, int code, OptionsSession& session) {
  switch (id) {
    case IDC_OPT_PLUGIN_FOLDER:
      if (code == EN_KILLFOCUS) ListModules(page, session);
      return code == EN_KILLFOCUS;
    case IDC_OPT_PLUGIN_CHOOSE: ChooseFolder(page, session); return true;
    case IDC_OPT_PLUGIN_CLEAR:
      SetDlgItemTextW(page, IDC_OPT_PLUGIN_FOLDER, L"");
      ListModules(page, session);
      MarkOptionsChanged(session);
      return true;
    case IDC_OPT_PLUGIN_SETTINGS: ConfigureSelected(page); return true;
  }
  return false;
}

bool Notify(HWND, const NMHDR* header, OptionsSession& session) {
  if (header->idFrom != IDC_OPT_PLUGIN_LIST || header->code != LVN_ITEMCHANGED) return false;
  const auto* change = reinterpret_cast<const NMLISTVIEW*>(header);
  if (change->uChanged & LVIF_STATE &&
      ((change->uNewState ^ change->uOldState) & LVIS_STATEIMAGEMASK)) {
    MarkOptionsChanged(session);
  }
  return true;
}

}  // namespace

const OptionsPageHooks& PluginsPageHooks() {
  static const OptionsPageHooks kHooks = {Fill, Collect, Command, Notify, nullptr};
  return kHooks;
}
