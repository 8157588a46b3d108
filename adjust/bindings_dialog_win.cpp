#include "adjust/bindings_dialog_win.h"

#include <commctrl.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/accelerator_records.h"
#include "app/accelerator_table_win.h"
#include "app/app_state.h"
#include "app/command_ids.h"
#include "app/dialog_loader_win.h"
#include "app/key_names.h"
#include "app/language_module_win.h"
#include "app/menu_build_win.h"
#include "app/menu_tree.h"
#include "app/wide_text.h"
#include "app/window_text_win.h"
#include "lang/string_ids.h"

namespace {

constexpr COLORREF kInactiveColumn = 0x808080;
constexpr int kColumnPadding = 12;
constexpr int kKeyColumn = 1, kMouseColumn = 2;
constexpr int kFullScreenCommand = 5530, kFullScreenRowString = 5531;
constexpr int kEditWindowCommand = 5310;
constexpr int kScrollBarsCommand = 5710, kNavigatorCommand = 5740;

struct BindingsState {
  BindingEdit* edit = nullptr;
  bool mouse_mode = false;
  std::vector<std::wstring> names;  // each row's name, in slot order
};

BindingsState* State(HWND dialog) {
  return reinterpret_cast<BindingsState*>(GetWindowLongPtrW(dialog, DWLP_USER));
}

std::wstring Language(int id) { return LanguageString(App().language.get(), static_cast<UINT>(id)); }

// Menu texts carry mnemonics and the "..." of a dialog; a row shows neither.
std::wstring Plain(std::wstring text) {
  std::wstring plain;
  for (wchar_t c : text) {
    if (c != L'&') plain += c;
  }
  while (!plain.empty() && (plain.back() == L'.' || plain.back() == L' ')) plain.pop_back();
  return plain;
}

std::wstring CommandText(int command) {
  int program = command - kCommandExternalProgram1;
  if (program >= 0 && program < kExternalProgramCount) {
    const std::u16string& caption = App().settings.program_captions[program];
    if (!caption.empty()) return ToWide(caption);
    return Language(IDS_PROGRAM_ROW) + L" " + std::to_wstring(program + 1) + L")";
  }
  if (command == kEditWindowCommand) return Language(IDS_EDIT_WINDOW_ROW);
  if (command == kFullScreenCommand) return Plain(Language(kFullScreenRowString));
  // The pane options share their names with the view's; the note tells them apart.
  if (command == kScrollBarsCommand || command == kNavigatorCommand) {
    return Plain(Language(command)) + Language(IDS_EDIT_WINDOW_NOTE);
  }
  return Plain(Language(command));
}

// "File - Open": the menu that holds the command, then the command.
std::wstring RowName(int command) {
  std::wstring text = CommandText(command);
  int menu = MenuHolding(command);
  if (menu == 0 || menu == kMainPopup || menu == kZoomPopup) return text;
  return Plain(Language(menu)) + L" - " + text;
}

std::wstring KeyText(const AccelRecord& row) {
  if (row.key == 0) return {};
  std::string text = std::string(ModifierPrefix(row.flags)) + KeyName(static_cast<uint8_t>(row.key));
  return std::wstring(text.begin(), text.end());
}

std::wstring MouseText(const BindingEdit& edit, int row) {
  int slot = MouseSlotOfRow(edit, row);
  return slot < 0 ? std::wstring() : Language(IDS_MOUSE_SLOT_FIRST + slot);
}

HWND Rows(HWND dialog) { return GetDlgItem(dialog, IDC_BIND_ROWS); }

// The row of the list's selected item, or kNoSelection.
int SelectedRow(HWND dialog) {
  HWND list = Rows(dialog);
  int item = ListView_GetNextItem(list, -1, LVNI_SELECTED);
  if (item < 0) return kNoSelection;
  LVITEMW get = {};
  get.mask = LVIF_PARAM;
  get.iItem = item;
  ListView_GetItem(list, &get);
  return static_cast<int>(get.lParam);
}

void ShowRowTexts(HWND list, int item, const BindingsState& state, int row) {
  std::wstring key = KeyText(state.edit->keys[row]);
  std::wstring mouse = MouseText(*state.edit, row);
  ListView_SetItemText(list, item, kKeyColumn, key.data());
  ListView_SetItemText(list, item, kMouseColumn, mouse.data());
}

// The rows the filter lets through, keeping the selected one selected.
void ListRows(HWND dialog) {
  BindingsState& state = *State(dialog);
  HWND list = Rows(dialog);
  int selected = SelectedRow(dialog);
  std::u16string filter = ToU16(WindowText(GetDlgItem(dialog, IDC_BIND_FILTER)));
  SendMessageW(list, WM_SETREDRAW, FALSE, 0);
  ListView_DeleteAllItems(list);
  int item = 0;
  for (int row = 0; row < kBindingSlotCount; ++row) {
    if (!RowMatchesFilter(ToU16(state.names[row]), ToU16(KeyText(state.edit->keys[row])), filter)) {
      continue;
    }
    LVITEMW add = {};
    add.mask = LVIF_TEXT | LVIF_PARAM;
    add.iItem = item;
    add.pszText = state.names[row].data();
    add.lParam = row;
    ListView_InsertItem(list, &add);
    ShowRowTexts(list, item, state, row);
    if (row == selected) {
      ListView_SetItemState(list, item, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    }
    ++item;
  }
  SendMessageW(list, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list, nullptr, TRUE);
}

void RefreshAllRows(HWND dialog) {
  BindingsState& state = *State(dialog);
  HWND list = Rows(dialog);
  int items = ListView_GetItemCount(list);
  for (int item = 0; item < items; ++item) {
    LVITEMW get = {};
    get.mask = LVIF_PARAM;
    get.iItem = item;
    ListView_GetItem(list, &get);
    ShowRowTexts(list, item, state, static_cast<int>(get.lParam));
  }
}

int TextWidth(HWND window, const std::wstring& text) {
  HDC dc = GetDC(window);
  HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0)));
  SIZE size = {};
  GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
  SelectObject(dc, old);
  ReleaseDC(window, dc);
  return size.cx;
}

void AddColumns(HWND list) {
  ListView_SetExtendedListViewStyle(list, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
  int key = TextWidth(list, L"Ctrl+Shift+") + TextWidth(list, L"Z") + kColumnPadding;
  int mouse = std::max(TextWidth(list, Language(IDS_MOUSE_SLOT_FIRST + 1)),
                       TextWidth(list, Language(IDS_MOUSE_SLOT_FIRST + 6))) +
              kColumnPadding;
  RECT client;
  GetClientRect(list, &client);
  int command = client.right - key - mouse - GetSystemMetrics(SM_CXVSCROLL) - kColumnPadding;
  const int titles[] = {IDS_BIND_COMMAND, IDS_BIND_KEY, IDS_BIND_MOUSE};
  const int widths[] = {std::max(command, 40), key, mouse};
  for (int i = 0; i < 3; ++i) {
    std::wstring title = Language(titles[i]);
    LVCOLUMNW column = {};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.cx = widths[i];
    column.pszText = title.data();
    ListView_InsertColumn(list, i, &column);
  }
}

void FillChoiceLists(HWND dialog) {
  HWND keys = GetDlgItem(dialog, IDC_BIND_KEYS);
  for (uint8_t code : BindableKeys()) {
    std::string name = KeyName(code);
    std::wstring text(name.begin(), name.end());
    LRESULT at = SendMessageW(keys, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    SendMessageW(keys, LB_SETITEMDATA, static_cast<WPARAM>(at), code);
  }
  HWND slots = GetDlgItem(dialog, IDC_BIND_MOUSE_SLOTS);
  for (int slot = 0; slot < kMouseSlotCount; ++slot) {
    std::wstring text = Language(IDS_MOUSE_SLOT_FIRST + slot);
    SendMessageW(slots, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
  }
}

void ShowMode(HWND dialog) {
  bool mouse = State(dialog)->mouse_mode;
  CheckRadioButton(dialog, IDC_BIND_KEYS_MODE, IDC_BIND_MOUSE_MODE,
                   mouse ? IDC_BIND_MOUSE_MODE : IDC_BIND_KEYS_MODE);
  ShowWindow(GetDlgItem(dialog, IDC_BIND_KEYS), mouse ? SW_HIDE : SW_SHOW);
  ShowWindow(GetDlgItem(dialog, IDC_BIND_MOUSE_SLOTS), mouse ? SW_SHOW : SW_HIDE);
  EnableWindow(GetDlgItem(dialog, IDC_BIND_CTRL), !mouse);
  EnableWindow(GetDlgItem(dialog, IDC_BIND_SHIFT), !mouse);
  InvalidateRect(Rows(dialog), nullptr, TRUE);
}

void Refuse(HWND dialog, BindingRefusal refusal) {
  int text = refusal == BindingRefusal::kTaken      ? IDS_BIND_TAKEN
             : refusal == BindingRefusal::kNoChoice ? IDS_BIND_NO_CHOICE
                                                    : IDS_BIND_NO_ROW;
  MessageBoxW(dialog, Language(text).c_str(), Language(IDS_BIND_CAPTION).c_str(),
              MB_OK | MB_ICONERROR | MB_SETFOREGROUND);
}

int ChosenIndex(HWND dialog, int list) {
  LRESULT at = SendDlgItemMessageW(dialog, list, LB_GETCURSEL, 0, 0);
  return at == LB_ERR ? kNoSelection : static_cast<int>(at);
}

void Assign(HWND dialog) {
  BindingsState& state = *State(dialog);
  int row = SelectedRow(dialog);
  BindingRefusal refusal;
  if (row == kNoSelection) {
    refusal = BindingRefusal::kNoRow;
  } else if (state.mouse_mode) {
    refusal = AssignMouse(state.edit, row, ChosenIndex(dialog, IDC_BIND_MOUSE_SLOTS));
  } else {
    int chosen = ChosenIndex(dialog, IDC_BIND_KEYS);
    int key = chosen == kNoSelection
                  ? 0
                  : static_cast<int>(SendDlgItemMessageW(dialog, IDC_BIND_KEYS, LB_GETITEMDATA,
                                                         static_cast<WPARAM>(chosen), 0));
    refusal = AssignKey(state.edit, row, key, IsDlgButtonChecked(dialog, IDC_BIND_CTRL) != 0,
                        IsDlgButtonChecked(dialog, IDC_BIND_SHIFT) != 0);
  }
  if (refusal != BindingRefusal::kNone) {
    Refuse(dialog, refusal);
    return;
  }
  // A mouse slot may have moved from another row.
  RefreshAllRows(dialog);
}

void Remove(HWND dialog) {
  BindingsState& state = *State(dialog);
  int row = SelectedRow(dialog);
  BindingRefusal refusal = state.mouse_mode ? RemoveMouse(state.edit, row)
                                            : RemoveKey(state.edit, row);
  if (refusal != BindingRefusal::kNone) {
    Refuse(dialog, refusal);
    return;
  }
  RefreshAllRows(dialog);
}

void Reset(HWND dialog) {
  if (MessageBoxW(dialog, Language(IDS_BIND_RESET_QUESTION).c_str(),
                  Language(IDS_BIND_RESET_CAPTION).c_str(), MB_YESNO | MB_ICONQUESTION) != IDYES) {
    return;
  }
  BindingsState& state = *State(dialog);
  if (state.mouse_mode) {
    ResetMouse(state.edit);
  } else {
    ResetKeys(state.edit);
  }
  RefreshAllRows(dialog);
}

// The column of the mode not being edited is drawn in grey.
LRESULT CustomDraw(HWND dialog, NMLVCUSTOMDRAW* draw) {
  switch (draw->nmcd.dwDrawStage) {
    case CDDS_PREPAINT: return CDRF_NOTIFYITEMDRAW;
    case CDDS_ITEMPREPAINT: return CDRF_NOTIFYSUBITEMDRAW;
    case CDDS_ITEMPREPAINT | CDDS_SUBITEM: {
      int inactive = State(dialog)->mouse_mode ? kKeyColumn : kMouseColumn;
      draw->clrText = draw->iSubItem == inactive ? kInactiveColumn : GetSysColor(COLOR_WINDOWTEXT);
      return CDRF_NEWFONT;
    }
  }
  return CDRF_DODEFAULT;
}

BOOL Start(HWND dialog, BindingsState* state) {
  SetWindowLongPtrW(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(state));
  for (int row = 0; row < kBindingSlotCount; ++row) {
    state->names.push_back(RowName(state->edit->keys[row].command));
  }
  AddColumns(Rows(dialog));
  FillChoiceLists(dialog);
  ListRows(dialog);
  ShowMode(dialog);
  return TRUE;
}

INT_PTR CALLBACK BindingsProcedure(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_INITDIALOG) return Start(dialog, reinterpret_cast<BindingsState*>(lparam));
  if (!State(dialog)) return FALSE;
  switch (message) {
    case WM_NOTIFY: {
      auto* header = reinterpret_cast<NMHDR*>(lparam);
      if (header->idFrom != IDC_BIND_ROWS || header->code != NM_CUSTOMDRAW) return FALSE;
      SetWindowLongPtrW(dialog, DWLP_MSGRESULT,
                        CustomDraw(dialog, reinterpret_cast<NMLVCUSTOMDRAW*>(lparam)));
      return TRUE;
    }
    case WM_COMMAND:
      switch (LOWORD(wparam)) {
        case IDC_BIND_KEYS_MODE:
        case IDC_BIND_MOUSE_MODE:
          State(dialog)->mouse_mode = LOWORD(wparam) == IDC_BIND_MOUSE_MODE;
          ShowMode(dialog);
          return TRUE;
        case IDC_BIND_FILTER:
          if (HIWORD(wparam) == EN_CHANGE) ListRows(dialog);
          return TRUE;
        case IDC_BIND_ASSIGN: Assign(dialog); return TRUE;
        case IDC_BIND_REMOVE: Remove(dialog); return TRUE;
        case IDC_BIND_RESET: Reset(dialog); return TRUE;
        case IDC_BIND_CLOSE:
        case IDCANCEL: EndDialog(dialog, State(dialog)->mouse_mode ? 1 : 0); return TRUE;
      }
      return FALSE;
  }
  return FALSE;
}

}  // namespace

BindingEdit CurrentBindings() {
  ApplicationState& app = App();
  BindingEdit edit;
  std::vector<uint8_t> table =
      app.accelerators ? AcceleratorTableBytes(app.accelerators.get()) : std::vector<uint8_t>{};
  edit.keys = table.empty() ? app.key_slots : KeyBindingsFromSettings(table).slots;
  edit.mouse = app.settings.mouse_bindings;
  return edit;
}

bool ShowBindingsDialog(HWND owner, BindingEdit* edit, bool mouse_mode) {
  BindingsState state;
  state.edit = edit;
  state.mouse_mode = mouse_mode;
  INT_PTR mode = ShowModalDialog(IDD_BINDINGS, owner, BindingsProcedure,
                                 reinterpret_cast<LPARAM>(&state));
  return mode < 0 ? mouse_mode : mode == 1;
}

void InstallBindings(BindingEdit* edit, SettingsValues* settings) {
  ApplicationState& app = App();
  if (edit->keys_changed) {
    app.key_slots = edit->keys;
    std::vector<ACCEL> table;
    for (const AccelRecord& r : TableFromSlots(edit->keys)) table.push_back({r.flags, r.key, r.command});
    app.accelerators.reset(CreateAcceleratorTableW(table.data(), static_cast<int>(table.size())));
    edit->keys_changed = false;
  }
  if (edit->mouse_changed) {
    settings->mouse_bindings = edit->mouse;
    edit->mouse_changed = false;
  }
}
