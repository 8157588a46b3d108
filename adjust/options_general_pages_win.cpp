// The first three pages: viewing, zoom and mouse settings, each a check box,
// radio button, number field or list bound to one settings field.
#include <windows.h>
#include <commctrl.h>

#include "adjust/bindings_dialog_win.h"
#include "adjust/option_controls.h"
#include "adjust/option_fields.h"
#include "adjust/options_session_win.h"
#include "app/app_state.h"
#include "app/language_module_win.h"
#include "app/wide_text.h"
#include "app/window_text_win.h"
#include "lang/string_ids.h"
#include "view/colour_box_win.h"

namespace {

constexpr int kLeftDragChoices = 3;

struct NumberField {
  int id, spin;
  int32_t lo, hi;
  int32_t SettingsValues::*value;
};

constexpr NumberField kNumberFields[] = {
    {IDC_OPT_INTERVAL, IDC_OPT_INTERVAL_SPIN, 1, 60, &SettingsValues::slideshow_interval},
    {IDC_OPT_DRAG_THRESHOLD, IDC_OPT_DRAG_THRESHOLD_SPIN, 0, 99, &SettingsValues::drag_threshold},
};

int PageOf(HWND page) { return static_cast<int>(GetWindowLongPtrW(page, GWLP_USERDATA)); }

void FillNumbers(HWND page, const SettingsValues& s) {
  for (const NumberField& f : kNumberFields) {
    HWND field = GetDlgItem(page, f.id);
    if (!field) continue;
    SendMessageW(field, EM_LIMITTEXT, 2, 0);
    SendDlgItemMessageW(page, f.spin, UDM_SETRANGE32, f.lo, f.hi);
    SetWindowTextW(field, std::to_wstring(s.*f.value).c_str());
  }
  if (HWND gamma = GetDlgItem(page, IDC_OPT_PNG_DISPLAY_GAMMA)) {
    SetWindowTextW(gamma, ToWide(GammaFieldText(s.png_display_gamma)).c_str());
  }
}

void FillLeftDrag(HWND page, const SettingsValues& s) {
  HWND list = GetDlgItem(page, IDC_OPT_LEFT_DRAG);
  if (!list) return;
  for (int i = 0; i < kLeftDragChoices; ++i) {
    std::wstring text = LanguageString(App().language.get(), IDS_LEFT_DRAG_FIRST + i);
    SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
  }
  int index = s.view_left_drag_action;
  SendMessageW(list, CB_SETCURSEL, index >= 0 && index < kLeftDragChoices ? index : 0, 0);
}

void Fill(HWND page, OptionsSession& session) {
  FillOptionChecks(page, PageOf(page), session.pending);
  FillNumbers(page, session.pending);
  FillLeftDrag(page, session.pending);
}

// A number field shows its value held in range once it loses the keys.
void HoldField(HWND page, const NumberField& f) {
  HWND field = GetDlgItem(page, f.id);
  int32_t value = ClampedFieldValue(ToU16(WindowText(field)), f.lo, f.hi);
  std::wstring text = std::to_wstring(value);
  if (WindowText(field) != text) SetWindowTextW(field, text.c_str());
}

void Collect(HWND page, OptionsSession& session) {
  SettingsValues& s = session.pending;
  CollectOptionChecks(page, PageOf(page), &s);
  for (const NumberField& f : kNumberFields) {
    if (HWND field = GetDlgItem(page, f.id)) {
      s.*f.value = ClampedFieldValue(ToU16(WindowText(field)), f.lo, f.hi);
    }
  }
  if (HWND gamma = GetDlgItem(page, IDC_OPT_PNG_DISPLAY_GAMMA)) {
    s.png_display_gamma = GammaFromField(ToU16(WindowText(gamma)));
  }
  if (HWND list = GetDlgItem(page, IDC_OPT_LEFT_DRAG)) {
    LRESULT index = SendMessageW(list, CB_GETCURSEL, 0, 0);
    if (index >= 0) s.view_left_drag_action = static_cast<int32_t>(index);
  }
}

void ChoosePngColour(HWND page, OptionsSession& session) {
  COLORREF colour = session.pending.png_background_colour;
  if (!ChooseColourFor(page, &colour)) return;
  session.pending.png_background_colour = colour;
  InvalidateRect(GetDlgItem(page, IDC_OPT_PNG_COLOUR), nullptr, TRUE);
  MarkOptionsChanged(session);
}

void EditBindings(HWND page, OptionsSession& session) {
  if (!session.bindings) session.bindings = CurrentBindings();
  bool mouse = ShowBindingsDialog(GetParent(page), &*session.bindings,
                                  session.pending.bindings_dialog_mouse_mode != 0);
  // The mode is remembered whether or not the options are applied.
  session.pending.bindings_dialog_mouse_mode = mouse ? 1 : 0;
  App().settings.bindings_dialog_mouse_mode = mouse ? 1 : 0;
  if (session.bindings->keys_changed || session.bindings->mouse_changed) {
    MarkOptionsChanged(session);
  }
}

bool Command(HWND page, int id, int code, OptionsSession& session) {
  if (id == IDC_OPT_BINDINGS && code == BN_CLICKED) {
    EditBindings(page, session);
    return true;
  }
  if (id == IDC_OPT_PNG_COLOUR_CHOOSE || (id == IDC_OPT_PNG_COLOUR && code == STN_CLICKED)) {
    ChoosePngColour(page, session);
    return true;
  }
  for (const NumberField& f : kNumberFields) {
    if (id == f.id && code == EN_KILLFOCUS) {
      HoldField(page, f);
      return true;
    }
  }
  return false;
}

bool Draw(const DRAWITEMSTRUCT* item, OptionsSession& session) {
  if (item->CtlID != IDC_OPT_PNG_COLOUR) return false;
  HBRUSH brush = CreateSolidBrush(session.pending.png_background_colour);
  FillRect(item->hDC, &item->rcItem, brush);
  DeleteObject(brush);
  return true;
}

}  // namespace

void FillOptionChecks(HWND page, int page_index, const SettingsValues& settings) {
  for (const OptionControl& c : OptionControls()) {
    if (c.page != page_index) continue;
    CheckDlgButton(page, c.id, IsOptionChecked(settings, c) ? BST_CHECKED : BST_UNCHECKED);
  }
}

void CollectOptionChecks(HWND page, int page_index, SettingsValues* settings) {
  for (const OptionControl& c : OptionControls()) {
    if (c.page != page_index) continue;
    StoreOptionState(settings, c, IsDlgButtonChecked(page, c.id) == BST_CHECKED);
  }
}

const OptionsPageHooks& GeneralPageHooks() {
  static const OptionsPageHooks kHooks = {Fill, Collect, Command, nullptr, Draw};
  return kHooks;
}
