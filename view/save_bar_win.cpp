#include "view/save_bar_win.h"

#include <commctrl.h>

#include <algorithm>
#include <span>
#include <string>
#include <vector>

#include "app/app_state.h"
#include "app/command_ids.h"
#include "app/language_module_win.h"
#include "app/save_choices.h"
#include "app/wide_text.h"
#include "codecs/save_options.h"
#include "image/save_preview_win.h"
#include "lang/string_ids.h"
#include "view/colour_box_win.h"
#include "view/eyedropper_win.h"
#include "view/strip_band_win.h"
#include "view/strip_field_win.h"
#include "view/tool_strip_win.h"

namespace {

constexpr int kTypeButton = 5800;
constexpr int kFirstTypeItem = 5801;  // + save type
constexpr int kDepthButton = 5820;
constexpr int kFirstDepthItem = 5821;  // + place in the type's list of depths
constexpr int kGreyButton = 5830;
constexpr int kSubsamplingButton = 5840;
constexpr int kFirstSubsamplingItem = 5841;  // + mode
constexpr int kSubsamplingModes = 3;
constexpr int kPickButton = 5850;
constexpr int kColourHolder = 9960;
constexpr int kEyedropperImage = 24;
constexpr int kSavePreviewImage = 22;

constexpr BYTE kMenu = BTNS_WHOLEDROPDOWN | BTNS_SHOWTEXT | BTNS_AUTOSIZE;
constexpr BYTE kToggle = BTNS_CHECK | BTNS_SHOWTEXT | BTNS_AUTOSIZE;
constexpr BYTE kLabel = BTNS_BUTTON | BTNS_SHOWTEXT | BTNS_AUTOSIZE;  // a click types into its field

// An on-off option; grey, whose setting depends on the type, has none here.
struct Toggle {
  int id;
  SaveChoice choice;
  uint8_t SettingsValues::*value;
};
constexpr Toggle kToggles[] = {
    {kGreyButton, SaveChoice::kGrey, nullptr},
    {5831, SaveChoice::kDither, &SettingsValues::save_dither},
    {5832, SaveChoice::kInterlace, &SettingsValues::save_interlace},
    {5833, SaveChoice::kProgressive, &SettingsValues::save_jpeg_progressive},
    {5834, SaveChoice::kTransparency, &SettingsValues::save_transparency},
    {5835, SaveChoice::kSizeLimit, &SettingsValues::save_size_limit},
};

// A number field, the button before it that names it, and the separator it
// lies over.
struct NumberField {
  int id;
  int label;
  int holder;
  int digits;
  SaveChoice choice;
  SaveNumberRange range;
  int32_t SettingsValues::*value;
};
constexpr NumberField kFields[] = {
    {1061, 5861, 9961, 3, SaveChoice::kQuality, kSaveQualityRange, &SettingsValues::jpeg_quality},
    {1062, 5835, 9962, 7, SaveChoice::kSizeLimit, kSaveLimitRange,
     &SettingsValues::save_size_limit_kib},
    {1070, 5870, 9970, 1, SaveChoice::kLevel, kSaveLevelRange,
     &SettingsValues::save_compression_level},
    {1073, 5873, 9973, 5, SaveChoice::kGamma, kSaveGammaRange, &SettingsValues::save_gamma},
};

bool g_writing = false;  // the program, not the user, is filling a field

ApplicationState& A() { return App(); }
SettingsValues& Settings() { return A().settings; }

HWND Bar() {
  HWND edit = A().edit_window;
  HWND strip = edit ? GetDlgItem(edit, kToolStripId) : nullptr;
  return strip ? GetDlgItem(strip, kSaveBarId) : nullptr;
}

std::wstring Text(UINT id) { return LanguageString(A().language.get(), id); }


bool FromJpeg() { return A().current.source_format == kSourceJpeg; }
int32_t ShownType() { return SaveTypeFor(Settings().save_type, FromJpeg()); }

// Wide enough for the field's digits in the interface font.
int FieldWidth(int digits) { return StripTextWidth(L"0") * std::max(digits, 2) + 14; }

std::vector<StripButton> Buttons() {
  const StripButton separator = {0, 0, BTNS_SEP};
  // The type and the preview come first: the rest may run past a narrow window.
  std::vector<StripButton> b = {{kTypeButton, I_IMAGENONE, kMenu},
                                {kCommandSavePreview, kSavePreviewImage, kLabel},
                                separator,
                                {kDepthButton, I_IMAGENONE, kMenu}};
  for (const Toggle& t : kToggles) {
    if (t.choice == SaveChoice::kTransparency || t.choice == SaveChoice::kSizeLimit) continue;
    b.push_back({t.id, I_IMAGENONE, kToggle});
  }
  b.push_back({kSubsamplingButton, I_IMAGENONE, kMenu});
  for (const NumberField& f : kFields) {
    b.push_back({f.label, I_IMAGENONE, f.choice == SaveChoice::kSizeLimit ? kToggle : kLabel});
    b.push_back({f.holder, FieldWidth(f.digits), BTNS_SEP});
  }
  b.push_back({5834, I_IMAGENONE, kToggle});
  b.push_back({kColourHolder, StripButtonHeight() - 2, BTNS_SEP});
  b.push_back({kPickButton, kEyedropperImage, BTNS_CHECK});
  return b;
}

void ShowButton(HWND bar, int id, bool shown) {
  SendMessageW(bar, TB_HIDEBUTTON, id, shown ? FALSE : TRUE);
}

void SetCaption(HWND bar, int id, const std::wstring& caption) {
  TBBUTTONINFOW info = {sizeof(info), TBIF_TEXT};
  info.pszText = const_cast<wchar_t*>(caption.c_str());
  SendMessageW(bar, TB_SETBUTTONINFOW, id, reinterpret_cast<LPARAM>(&info));
}

void SetChecked(HWND bar, int id, bool on) { SendMessageW(bar, TB_CHECKBUTTON, id, on); }
void SetEnabled(HWND bar, int id, bool on) { SendMessageW(bar, TB_ENABLEBUTTON, id, on); }

void ShowCaptions(HWND bar, int32_t type) {
  const SettingsValues& s = Settings();
  SetCaption(bar, kTypeButton, Text(static_cast<UINT>(kFirstTypeItem + type)));
  SetCaption(bar, kDepthButton, WithNumber(Text(IDS_SAVE_DEPTH_CAPTION), SaveDepthOf(s, type)));
  const int mode = s.save_jpeg_subsampling >= 0 && s.save_jpeg_subsampling < kSubsamplingModes
                       ? s.save_jpeg_subsampling
                       : 0;
  SetCaption(bar, kSubsamplingButton, Text(static_cast<UINT>(kFirstSubsamplingItem + mode)));
}

bool ToggleOn(const Toggle& t, int32_t type) {
  SettingsValues& s = Settings();
  if (!t.value) {
    const uint8_t* grey = SaveGreySetting(s, type);
    return grey && *grey && SaveGreyOffered(s, type);
  }
  return s.*t.value != 0;
}

void ShowToggles(HWND bar, int32_t type) {
  const SettingsValues& s = Settings();
  for (const Toggle& t : kToggles) {
    ShowButton(bar, t.id, SaveTypeOffers(type, t.choice));
    SetChecked(bar, t.id, ToggleOn(t, type));
  }
  SetEnabled(bar, kGreyButton, SaveGreyOffered(s, type));
  SetEnabled(bar, 5831, SaveDepthOf(s, type) != 24);  // only fewer colours need the error spread
  ShowButton(bar, kDepthButton, SaveTypeOffers(type, SaveChoice::kDepth));
  ShowButton(bar, kSubsamplingButton, SaveTypeOffers(type, SaveChoice::kSubsampling));
  const bool transparency = SaveTypeOffers(type, SaveChoice::kTransparency);
  ShowButton(bar, kColourHolder, transparency);
  ShowButton(bar, kPickButton, transparency);
  SetChecked(bar, kPickButton, A().eyedropper_on);
  SetEnabled(bar, kPickButton, A().current.pixels != nullptr);
  SetEnabled(bar, kCommandSavePreview, A().current.pixels != nullptr);
}

void WriteField(HWND field, int32_t value) {
  g_writing = true;
  SetFieldNumber(field, value);
  g_writing = false;
}

void ShowFields(HWND bar, int32_t type) {
  const SettingsValues& s = Settings();
  for (const NumberField& f : kFields) {
    const bool shown = SaveTypeOffers(type, f.choice);
    ShowButton(bar, f.label, shown);
    ShowButton(bar, f.holder, shown);
    HWND field = GetDlgItem(bar, f.id);
    if (GetFocus() != field) WriteField(field, s.*f.value);
    EnableWindow(field, f.choice != SaveChoice::kSizeLimit || s.save_size_limit);
  }
}

// The fields and the colour box follow their separators, which move as the
// type shows and hides buttons.
void PlaceChildren(HWND bar) {
  for (const NumberField& f : kFields) PlaceOverSeparator(bar, f.holder, GetDlgItem(bar, f.id), 2);
  PlaceOverSeparator(bar, kColourHolder, GetDlgItem(bar, kSaveColourBoxId), 3);
}

const NumberField* FieldOf(HWND control) {
  HWND bar = Bar();
  if (!bar || !control || GetParent(control) != bar) return nullptr;
  const int id = GetDlgCtrlID(control);
  for (const NumberField& f : kFields) {
    if (f.id == id) return &f;
  }
  return nullptr;
}

// The typed number, clamped into the option's range, becomes the setting;
// the field keeps what was typed until it loses the focus.
bool ReadField(const NumberField& f, HWND field) {
  long number = 0;
  if (!FieldNumber(field, &number)) return false;
  Settings().*f.value = static_cast<int32_t>(std::clamp<long>(number, f.range.low, f.range.high));
  return true;
}

// A changed option makes a shown preview stale: it is made again at once.
void OptionChanged() {
  RefreshSaveBar();
  if (!A().document.temporary.path.empty()) MakeSavePreview();
}

void SetType(int32_t type) {
  if (SaveTypeFor(type, FromJpeg()) != type) return;
  Settings().save_type = type;
  OptionChanged();
}

void SetDepth(size_t place) {
  const int32_t type = ShownType();
  std::span<const int32_t> depths = SaveDepthsOf(type);
  int32_t* depth = SaveDepthSetting(Settings(), type);
  if (!depth || place >= depths.size()) return;
  *depth = depths[place];
  OptionChanged();
}

void Flip(const Toggle& t) {
  SettingsValues& s = Settings();
  uint8_t* value = t.value ? &(s.*t.value) : SaveGreySetting(s, ShownType());
  if (!value) return;
  *value = !*value;
  OptionChanged();
}

void FocusFieldOf(int label) {
  for (const NumberField& f : kFields) {
    if (f.label != label) continue;
    HWND field = GetDlgItem(Bar(), f.id);
    SetFocus(field);
    SendMessageW(field, EM_SETSEL, 0, -1);
  }
}

void TogglePicking() {
  if (A().eyedropper_on) {
    EndEyedropper(false);
  } else {
    BeginEyedropper();
  }
  RefreshSaveBar();
}

struct MenuItem {
  int id;
  std::wstring text;
  bool checked;
};

std::vector<MenuItem> TypeItems() {
  static constexpr UINT kTypeNames[] = {IDS_FILTER_BMP,  IDS_FILTER_PNG, IDS_FILTER_JPEG,
                                        IDS_FILTER_TIFF, IDS_FILTER_GIF, IDS_FILTER_JPEG_LOSSLESS};
  std::vector<MenuItem> items;
  for (int32_t type = kSaveBmp; type <= kSaveJpegLossless; ++type) {
    if (SaveTypeFor(type, FromJpeg()) != type) continue;
    items.push_back({kFirstTypeItem + type, Text(kTypeNames[type]), type == ShownType()});
  }
  return items;
}

std::vector<MenuItem> DepthItems() {
  const int32_t type = ShownType();
  const std::wstring text = Text(IDS_SAVE_DEPTH_ITEM);
  std::vector<MenuItem> items;
  std::span<const int32_t> depths = SaveDepthsOf(type);
  for (size_t i = 0; i < depths.size(); ++i) {
    items.push_back({kFirstDepthItem + static_cast<int>(i), WithNumber(text, depths[i]),
                     depths[i] == SaveDepthOf(Settings(), type)});
  }
  return items;
}

std::vector<MenuItem> SubsamplingItems() {
  std::vector<MenuItem> items;
  for (int mode = 0; mode < kSubsamplingModes; ++mode) {
    items.push_back({kFirstSubsamplingItem + mode,
                     Text(static_cast<UINT>(IDS_SAVE_SUBSAMPLING_FIRST + mode)),
                     mode == Settings().save_jpeg_subsampling});
  }
  return items;
}

// The list drops below its button; the chosen item runs as a bar command.
void DropList(HWND bar, int button, const std::vector<MenuItem>& items) {
  HMENU menu = CreatePopupMenu();
  if (!menu) return;
  for (const MenuItem& item : items) {
    AppendMenuW(menu, MF_STRING | (item.checked ? MF_CHECKED : 0), item.id, item.text.c_str());
  }
  RECT place = {};
  const int index = static_cast<int>(SendMessageW(bar, TB_COMMANDTOINDEX, button, 0));
  SendMessageW(bar, TB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&place));
  MapWindowPoints(bar, nullptr, reinterpret_cast<POINT*>(&place), 2);
  SendMessageW(bar, TB_PRESSBUTTON, button, TRUE);
  const int chosen = TrackPopupMenu(menu, TPM_RETURNCMD | TPM_NOANIMATION | TPM_LEFTALIGN,
                                    place.left, place.bottom, 0, A().edit_window, nullptr);
  SendMessageW(bar, TB_PRESSBUTTON, button, FALSE);
  DestroyMenu(menu);
  if (chosen != 0) RunSaveBarCommand(chosen);
}

void TakeColour(COLORREF colour) {
  Settings().save_transparent_colour = colour;
  Settings().save_transparency = 1;
  OptionChanged();
}

}  // namespace

void CreateSaveBar(HWND strip, bool new_row) {
  const std::vector<StripButton> buttons = Buttons();
  HWND bar = CreateBandBar(strip, kSaveBarId, buttons);
  if (!bar) return;
  for (const NumberField& f : kFields) CreateStripField(bar, f.holder, f.id, f.digits);
  CreateColourBox(bar, kSaveColourBoxId, 0, 0, 1);
  AddBand(strip, bar, kSaveBarId, new_row);
  RefreshSaveBar();
}

void RefreshSaveBar() {
  HWND bar = Bar();
  if (!bar) return;
  const int32_t type = ShownType();
  SendMessageW(bar, WM_SETREDRAW, FALSE, 0);
  ShowCaptions(bar, type);
  ShowToggles(bar, type);
  ShowFields(bar, type);
  SendMessageW(bar, WM_SETREDRAW, TRUE, 0);
  FitBandToBar(GetParent(bar), bar);
  PlaceChildren(bar);
  InvalidateRect(bar, nullptr, TRUE);
}

bool RunSaveBarCommand(int command) {
  if (command >= kFirstTypeItem && command <= kFirstTypeItem + kSaveJpegLossless) {
    SetType(command - kFirstTypeItem);
  } else if (command >= kFirstDepthItem && command < kGreyButton) {
    SetDepth(static_cast<size_t>(command - kFirstDepthItem));
  } else if (command >= kFirstSubsamplingItem &&
             command < kFirstSubsamplingItem + kSubsamplingModes) {
    Settings().save_jpeg_subsampling = command - kFirstSubsamplingItem;
    OptionChanged();
  } else if (command == kPickButton) {
    TogglePicking();
  } else if (command == kTypeButton || command == kDepthButton || command == kSubsamplingButton) {
    OpenSaveBarMenu(Bar(), command);
  } else {
    for (const Toggle& t : kToggles) {
      if (t.id != command) continue;
      Flip(t);
      return true;
    }
    for (const NumberField& f : kFields) {
      if (f.label != command) continue;
      FocusFieldOf(command);
      return true;
    }
    return false;
  }
  return true;
}

bool HandleSaveBarControl(WPARAM wparam, LPARAM lparam) {
  HWND field = reinterpret_cast<HWND>(lparam);
  const NumberField* f = FieldOf(field);
  if (!f) return false;
  switch (HIWORD(wparam)) {
    case EN_CHANGE:
      if (!g_writing) ReadField(*f, field);
      break;
    case EN_SETFOCUS:
      OnStripFieldFocus(field, true);
      break;
    case EN_KILLFOCUS:
      OnStripFieldFocus(field, false);
      WriteField(field, Settings().*f->value);
      break;
  }
  return true;
}

bool OpenSaveBarMenu(HWND bar, int button) {
  if (!bar || bar != Bar()) return false;
  switch (button) {
    case kTypeButton: DropList(bar, button, TypeItems()); return true;
    case kDepthButton: DropList(bar, button, DepthItems()); return true;
    case kSubsamplingButton: DropList(bar, button, SubsamplingItems()); return true;
  }
  return false;
}

bool TakeSaveBarField(HWND focus) {
  const NumberField* f = FieldOf(focus);
  if (!f) return false;
  ReadField(*f, focus);
  WriteField(focus, Settings().*f->value);
  SendMessageW(focus, EM_SETSEL, 0, -1);
  return true;
}

void ChooseSaveColour() {
  COLORREF colour = Settings().save_transparent_colour;
  if (ChooseColourFor(A().edit_window, &colour)) TakeColour(colour);
}

void EndSaveColourPick(bool accept, COLORREF colour) {
  if (accept) {
    TakeColour(colour);
  } else {
    RefreshSaveBar();
    RepaintSaveColourBox();
  }
}

void RepaintSaveColourBox() {
  HWND bar = Bar();
  HWND box = bar ? GetDlgItem(bar, kSaveColourBoxId) : nullptr;
  if (!box) return;
  InvalidateRect(box, nullptr, FALSE);
  UpdateWindow(box);
}
