#include "image/save_panel_win.h"

#include <commdlg.h>

#include <cwchar>
#include <string>

#include "app/app_state.h"
#include "app/language_module_win.h"
#include "app/save_choices.h"
#include "app/wide_text.h"
#include "codecs/save_options.h"
#include "image/save_comment_dialog_win.h"
#include "lang/string_ids.h"
#include "view/colour_box_win.h"

namespace {

constexpr int kLevels = 10;      // deflate levels 0 to 9
constexpr int kFilterModes = 6;  // automatic, then the five filters

constexpr int kSubsamplingModes = 3;  // 2 x 2, 2 x 1, 1 x 1
constexpr int kMarkerChoices = 3;     // none, comments, all
constexpr int kQualityDigits = 3;
constexpr int kLimitDigits = 7;

constexpr unsigned kAnyType = ~0u;
constexpr unsigned kJpegTypes = 1u << kSaveJpeg | 1u << kSaveJpegLossless;
struct PanelControl {
  int id;
  SaveChoice choice;
  unsigned types = kAnyType;  // of the types with the choice, those this control serves
};
constexpr PanelControl kControls[] = {
    {IDC_SAVE_DEPTH_LABEL, SaveChoice::kDepth},
    {IDC_SAVE_DEPTH, SaveChoice::kDepth, 1u << kSaveBmp},
    {IDC_SAVE_PNG_DEPTH, SaveChoice::kDepth, 1u << kSavePng},
    {IDC_SAVE_GIF_DEPTH, SaveChoice::kDepth, 1u << kSaveGif},
    {IDC_SAVE_TIFF_DEPTH, SaveChoice::kDepth, 1u << kSaveTiff},
    {IDC_SAVE_DITHER, SaveChoice::kDither},
    {IDC_SAVE_GREY, SaveChoice::kGrey, 1u << kSavePng},
    {IDC_SAVE_TIFF_GREY, SaveChoice::kGrey, 1u << kSaveTiff},
    {IDC_SAVE_JPEG_GREY, SaveChoice::kGrey, kJpegTypes},
    {IDC_SAVE_INTERLACE, SaveChoice::kInterlace},
    {IDC_SAVE_LEVEL_LABEL, SaveChoice::kLevel},
    {IDC_SAVE_LEVEL, SaveChoice::kLevel},
    {IDC_SAVE_FILTER_LABEL, SaveChoice::kFilter},
    {IDC_SAVE_FILTER, SaveChoice::kFilter},
    {IDC_SAVE_TRANSPARENCY, SaveChoice::kTransparency},
    {IDC_SAVE_TRANSPARENT_COLOUR, SaveChoice::kTransparency},
    {IDC_SAVE_CHOOSE_COLOUR, SaveChoice::kTransparency},
    {IDC_SAVE_GAMMA_LABEL, SaveChoice::kGamma},
    {IDC_SAVE_GAMMA, SaveChoice::kGamma},
    {IDC_SAVE_QUALITY_LABEL, SaveChoice::kQuality},
    {IDC_SAVE_QUALITY, SaveChoice::kQuality},
    {IDC_SAVE_SUBSAMPLING_LABEL, SaveChoice::kSubsampling},
    {IDC_SAVE_SUBSAMPLING, SaveChoice::kSubsampling},
    {IDC_SAVE_MARKERS_LABEL, SaveChoice::kMarkers},
    {IDC_SAVE_MARKERS, SaveChoice::kMarkers},
    {IDC_SAVE_PROGRESSIVE, SaveChoice::kProgressive},
    {IDC_SAVE_KEEP_EXIF, SaveChoice::kKeepExif},
    {IDC_SAVE_TRIM, SaveChoice::kTrim},
    {IDC_SAVE_SIZE_LIMIT, SaveChoice::kSizeLimit},
    {IDC_SAVE_SIZE_LIMIT_KIB, SaveChoice::kSizeLimit},
    {IDC_SAVE_COMMENT, SaveChoice::kComment},
    {IDC_SAVE_EDIT_COMMENT, SaveChoice::kComment},
};

SettingsValues& Settings() { return App().settings; }

std::wstring Text(UINT id) { return LanguageString(App().language.get(), id); }


void AddChoice(HWND panel, int id, const std::wstring& text, int value, int selected) {
  HWND box = GetDlgItem(panel, id);
  LRESULT row = SendMessageW(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
  SendMessageW(box, CB_SETITEMDATA, row, value);
  if (value == selected) SendMessageW(box, CB_SETCURSEL, row, 0);
}

// Items whose texts are consecutive strings, valued 0, 1, 2...
void FillNumberedChoices(HWND panel, int id, UINT first_text, int count, int selected) {
  for (int value = 0; value < count; ++value) {
    AddChoice(panel, id, Text(first_text + value), value, selected);
  }
}

void SetNumber(HWND panel, int id, int digits, int32_t value) {
  SendDlgItemMessageW(panel, id, EM_LIMITTEXT, digits, 0);
  SetDlgItemInt(panel, id, static_cast<UINT>(value), FALSE);
}

// The typed number when it lies in the range; `kept` otherwise.
int32_t TypedNumber(HWND panel, int id, SaveNumberRange range, int32_t kept) {
  BOOL read = FALSE;
  const UINT value = GetDlgItemInt(panel, id, &read, FALSE);
  if (!read || value < static_cast<UINT>(range.low) || value > static_cast<UINT>(range.high)) {
    return kept;
  }
  return static_cast<int32_t>(value);
}

void FillDepths(HWND panel, int id, int32_t save_type, int selected) {
  const std::wstring item = Text(IDS_SAVE_DEPTH_ITEM);
  for (int32_t bits : SaveDepthsOf(save_type)) {
    AddChoice(panel, id, WithNumber(item, bits), bits, selected);
  }
}

// The value of the chosen item, or `unchosen` when there is none.
int32_t Chosen(HWND panel, int id, int32_t unchosen) {
  HWND box = GetDlgItem(panel, id);
  LRESULT row = SendMessageW(box, CB_GETCURSEL, 0, 0);
  return row == CB_ERR ? unchosen : static_cast<int32_t>(SendMessageW(box, CB_GETITEMDATA, row, 0));
}

void Check(HWND panel, int id, bool on) {
  CheckDlgButton(panel, id, on ? BST_CHECKED : BST_UNCHECKED);
}
bool Checked(HWND panel, int id) { return IsDlgButtonChecked(panel, id) == BST_CHECKED; }

// RRGGBB, red first, of a colour with red in the low byte (a COLORREF).
std::wstring ColourText(uint32_t colour) {
  wchar_t text[8];
  swprintf(text, 8, L"%02X%02X%02X", colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
  return text;
}

bool ColourOfText(HWND panel, uint32_t* colour) {
  wchar_t text[16] = {};
  GetDlgItemTextW(panel, IDC_SAVE_TRANSPARENT_COLOUR, text, 16);
  wchar_t* end = nullptr;
  const unsigned long rgb = std::wcstoul(text, &end, 16);
  if (std::wcslen(text) != 6 || *end != L'\0' || text[0] == L'+' || text[0] == L'-') return false;
  *colour = static_cast<uint32_t>(((rgb >> 16) & 0xFF) | (rgb & 0xFF00) | ((rgb & 0xFF) << 16));
  return true;
}

void ChooseTransparentColour(HWND panel) {
  uint32_t colour = Settings().save_transparent_colour;
  ColourOfText(panel, &colour);
  COLORREF chosen = colour;
  if (!ChooseColourFor(GetParent(panel), &chosen)) return;
  SetDlgItemTextW(panel, IDC_SAVE_TRANSPARENT_COLOUR, ColourText(chosen).c_str());
  Check(panel, IDC_SAVE_TRANSPARENCY, true);
}

// The PNG and TIFF writers keep grey levels at 8 bits only, so each
// format's choice is offered only there.
void OfferGreyForDepth(HWND panel) {
  EnableWindow(GetDlgItem(panel, IDC_SAVE_GREY), Chosen(panel, IDC_SAVE_PNG_DEPTH, 24) == 8);
  EnableWindow(GetDlgItem(panel, IDC_SAVE_TIFF_GREY), Chosen(panel, IDC_SAVE_TIFF_DEPTH, 24) == 8);
}

void FillJpegChoices(HWND panel) {
  const SettingsValues& s = Settings();
  SetNumber(panel, IDC_SAVE_QUALITY, kQualityDigits, s.jpeg_quality);
  FillNumberedChoices(panel, IDC_SAVE_SUBSAMPLING, IDS_SAVE_SUBSAMPLING_FIRST, kSubsamplingModes,
                      s.save_jpeg_subsampling);
  FillNumberedChoices(panel, IDC_SAVE_MARKERS, IDS_SAVE_MARKERS_FIRST, kMarkerChoices,
                      s.save_lossless_markers);
  Check(panel, IDC_SAVE_JPEG_GREY, s.save_jpeg_greyscale);
  Check(panel, IDC_SAVE_PROGRESSIVE, s.save_jpeg_progressive);
  Check(panel, IDC_SAVE_KEEP_EXIF, s.save_keep_exif);
  Check(panel, IDC_SAVE_TRIM, s.save_lossless_trim);
  Check(panel, IDC_SAVE_SIZE_LIMIT, s.save_size_limit);
  SetNumber(panel, IDC_SAVE_SIZE_LIMIT_KIB, kLimitDigits, s.save_size_limit_kib);
}

// A quality or limit that is not a number in range keeps the setting.
void ReadJpegChoices(HWND panel) {
  SettingsValues& s = Settings();
  s.jpeg_quality = TypedNumber(panel, IDC_SAVE_QUALITY, kSaveQualityRange, s.jpeg_quality);
  s.save_jpeg_subsampling = Chosen(panel, IDC_SAVE_SUBSAMPLING, s.save_jpeg_subsampling);
  s.save_lossless_markers = Chosen(panel, IDC_SAVE_MARKERS, s.save_lossless_markers);
  s.save_jpeg_greyscale = Checked(panel, IDC_SAVE_JPEG_GREY);
  s.save_jpeg_progressive = Checked(panel, IDC_SAVE_PROGRESSIVE);
  s.save_keep_exif = Checked(panel, IDC_SAVE_KEEP_EXIF);
  s.save_lossless_trim = Checked(panel, IDC_SAVE_TRIM);
  s.save_size_limit = Checked(panel, IDC_SAVE_SIZE_LIMIT);
  s.save_size_limit_kib = TypedNumber(panel, IDC_SAVE_SIZE_LIMIT_KIB, kSaveLimitRange, s.save_size_limit_kib);
}

}  // namespace

void FillSavePanel(HWND panel) {
  const SettingsValues& s = Settings();
  FillDepths(panel, IDC_SAVE_DEPTH, kSaveBmp, s.save_bmp_depth);
  FillDepths(panel, IDC_SAVE_PNG_DEPTH, kSavePng, s.save_png_depth);
  FillDepths(panel, IDC_SAVE_GIF_DEPTH, kSaveGif, s.save_gif_depth);
  FillDepths(panel, IDC_SAVE_TIFF_DEPTH, kSaveTiff, s.save_tiff_depth);
  for (int level = 0; level < kLevels; ++level) {
    AddChoice(panel, IDC_SAVE_LEVEL, std::to_wstring(level), level, s.save_compression_level);
  }
  for (int mode = 0; mode < kFilterModes; ++mode) {
    AddChoice(panel, IDC_SAVE_FILTER, Text(IDS_SAVE_FILTER_AUTOMATIC + mode), mode,
              s.save_filter_mode);
  }
  Check(panel, IDC_SAVE_DITHER, s.save_dither);
  Check(panel, IDC_SAVE_GREY, s.save_png_grey);
  Check(panel, IDC_SAVE_TIFF_GREY, s.save_tiff_grey);
  OfferGreyForDepth(panel);
  Check(panel, IDC_SAVE_INTERLACE, s.save_interlace);
  Check(panel, IDC_SAVE_TRANSPARENCY, s.save_transparency);
  SendDlgItemMessageW(panel, IDC_SAVE_TRANSPARENT_COLOUR, EM_LIMITTEXT, 6, 0);
  SetDlgItemTextW(panel, IDC_SAVE_TRANSPARENT_COLOUR,
                  ColourText(s.save_transparent_colour).c_str());
  SendDlgItemMessageW(panel, IDC_SAVE_GAMMA, EM_LIMITTEXT, 5, 0);
  SetDlgItemInt(panel, IDC_SAVE_GAMMA, static_cast<UINT>(s.save_gamma), FALSE);
  Check(panel, IDC_SAVE_COMMENT, s.save_comment);
  FillJpegChoices(panel);
  ShowSavePanelFor(panel, s.save_type);
}

void ShowSavePanelFor(HWND panel, int save_type) {
  for (const PanelControl& c : kControls) {
    const bool shown = SaveTypeOffers(save_type, c.choice) && (c.types >> save_type & 1u);
    ShowWindow(GetDlgItem(panel, c.id), shown ? SW_SHOW : SW_HIDE);
  }
}

// A colour or gamma that does not parse keeps the setting it had.
void ReadSavePanel(HWND panel) {
  SettingsValues& s = Settings();
  s.save_bmp_depth = Chosen(panel, IDC_SAVE_DEPTH, s.save_bmp_depth);
  s.save_png_depth = Chosen(panel, IDC_SAVE_PNG_DEPTH, s.save_png_depth);
  s.save_gif_depth = Chosen(panel, IDC_SAVE_GIF_DEPTH, s.save_gif_depth);
  s.save_tiff_depth = Chosen(panel, IDC_SAVE_TIFF_DEPTH, s.save_tiff_depth);
  s.save_compression_level = Chosen(panel, IDC_SAVE_LEVEL, s.save_compression_level);
  s.save_filter_mode = Chosen(panel, IDC_SAVE_FILTER, s.save_filter_mode);
  s.save_dither = Checked(panel, IDC_SAVE_DITHER);
  s.save_png_grey = Checked(panel, IDC_SAVE_GREY) && s.save_png_depth == 8;
  s.save_tiff_grey = Checked(panel, IDC_SAVE_TIFF_GREY) && s.save_tiff_depth == 8;
  s.save_interlace = Checked(panel, IDC_SAVE_INTERLACE);
  s.save_transparency = Checked(panel, IDC_SAVE_TRANSPARENCY);
  ColourOfText(panel, &s.save_transparent_colour);
  s.save_gamma = TypedNumber(panel, IDC_SAVE_GAMMA, kSaveGammaRange, s.save_gamma);
  s.save_comment = Checked(panel, IDC_SAVE_COMMENT);
  ReadJpegChoices(panel);
}

bool OnSavePanelCommand(HWND panel, WPARAM wparam) {
  const bool depth_list = LOWORD(wparam) == IDC_SAVE_PNG_DEPTH || LOWORD(wparam) == IDC_SAVE_TIFF_DEPTH;
  if (depth_list && HIWORD(wparam) == CBN_SELCHANGE) {
    OfferGreyForDepth(panel);
    return true;
  }
  if (HIWORD(wparam) != BN_CLICKED) return false;
  switch (LOWORD(wparam)) {
    case IDC_SAVE_CHOOSE_COLOUR: ChooseTransparentColour(panel); return true;
    case IDC_SAVE_EDIT_COMMENT:
      if (EditSaveComment(GetParent(panel))) {
        Check(panel, IDC_SAVE_COMMENT, !App().save_comment_text.empty());
      }
      return true;
    default: return false;
  }
}
