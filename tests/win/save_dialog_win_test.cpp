// The save dialog offers only the types that can be written in this build,
// and shows each type's options in its panel, read into the settings when
// the user saves; the plain comment dialog keeps the text to embed.
#include <gtest/gtest.h>
#include <windows.h>
#include <dlgs.h>

#include <string>
#include <vector>

#include "app/app_state.h"
#include "app/language_module_win.h"
#include "image/document_save_win.h"
#include "image/image_buffer.h"
#include "image/save_comment_dialog_win.h"
#include "image/save_dialog_win.h"
#include "lang/string_ids.h"

namespace {

// What to do with a dialog once it shows, from inside its modal loop.
using DialogStep = void (*)(HWND dialog);
DialogStep g_step = nullptr;
int g_marker = 0;  // a control only the awaited dialog has
bool g_done = false;

BOOL CALLBACK RunStepOn(HWND window, LPARAM) {
  wchar_t name[16] = {};
  GetClassNameW(window, name, 16);
  if (std::wstring(name) != L"#32770" || !IsWindowVisible(window)) return TRUE;
  if (!GetDlgItem(window, g_marker)) return TRUE;
  g_done = true;
  g_step(window);
  return FALSE;
}

void CALLBACK LookForDialog(HWND, UINT, UINT_PTR timer, DWORD) {
  if (!g_done) EnumThreadWindows(GetCurrentThreadId(), RunStepOn, 0);
  if (g_done) KillTimer(nullptr, timer);
}

// Arms the step for the next dialog holding `marker`; the caller then opens it.
UINT_PTR WhenShown(int marker, DialogStep step) {
  g_marker = marker, g_step = step, g_done = false;
  return SetTimer(nullptr, 0, 200, LookForDialog);
}

struct ChildSearch {
  int id;
  HWND found;
};
BOOL CALLBACK MatchChild(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<ChildSearch*>(param);
  if (GetDlgCtrlID(window) != search->id) return TRUE;
  search->found = window;
  return FALSE;
}
// The panel's controls are grandchildren of the dialog.
HWND Control(HWND dialog, int id) {
  ChildSearch search = {id, nullptr};
  EnumChildWindows(dialog, MatchChild, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

bool Shown(HWND dialog, int id) {
  HWND control = Control(dialog, id);
  return control && (GetWindowLongW(control, GWL_STYLE) & WS_VISIBLE);
}

int ChosenValue(HWND dialog, int id) {
  HWND box = Control(dialog, id);
  LRESULT row = SendMessageW(box, CB_GETCURSEL, 0, 0);
  return row == CB_ERR ? -1 : int(SendMessageW(box, CB_GETITEMDATA, row, 0));
}

// Chooses as a user does, so the panel hears of the change.
void Choose(HWND dialog, int id, int value) {
  HWND box = Control(dialog, id);
  for (LRESULT row = 0; row < SendMessageW(box, CB_GETCOUNT, 0, 0); ++row) {
    if (SendMessageW(box, CB_GETITEMDATA, row, 0) == value) SendMessageW(box, CB_SETCURSEL, row, 0);
  }
  SendMessageW(GetParent(box), WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(box));
}

std::wstring TextOf(HWND dialog, int id) {
  wchar_t text[256] = {};
  GetWindowTextW(Control(dialog, id), text, 256);
  return text;
}

// The values of a list's items, in order.
std::vector<int> ListedValues(HWND dialog, int id) {
  std::vector<int> values;
  HWND box = Control(dialog, id);
  for (LRESULT row = 0; row < SendMessageW(box, CB_GETCOUNT, 0, 0); ++row) {
    values.push_back(int(SendMessageW(box, CB_GETITEMDATA, row, 0)));
  }
  return values;
}

void Tick(HWND dialog, int id) { SendMessageW(Control(dialog, id), BM_SETCHECK, BST_CHECKED, 0); }

std::vector<std::wstring> g_offered;

void ReadTypesAndCancel(HWND dialog) {
  HWND types = GetDlgItem(dialog, cmb1);
  int count = int(SendMessageW(types, CB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    wchar_t text[256] = {};
    SendMessageW(types, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
    g_offered.push_back(text);
  }
  PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
}

// Picks the `row`th type of the dialog's list as a user does.
void ChooseType(HWND dialog, int row) {
  HWND types = GetDlgItem(dialog, cmb1);
  SendMessageW(types, CB_SETCURSEL, row, 0);
  SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(cmb1, CBN_SELCHANGE), reinterpret_cast<LPARAM>(types));
  SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(cmb1, CBN_SELENDOK), reinterpret_cast<LPARAM>(types));
}

std::wstring g_save_path;

// Types the test's path as the file name and presses OK.
void TypePathAndSave(HWND dialog) {
  HWND name = GetDlgItem(dialog, cmb13);
  if (!name) name = GetDlgItem(dialog, edt1);
  SetWindowTextW(name, g_save_path.c_str());
  PostMessageW(dialog, WM_COMMAND, IDOK, 0);
}

// What the panel showed, seen from inside the dialog.
struct PanelSeen {
  bool bmp_depth = false, png_depth = false, grey = false, filter = false;  // shown for BMP
  bool png_bmp_depth = true, png_png_depth = false, png_grey = false, png_level = false,
       png_filter = false, png_transparency = false, png_gamma = false, png_comment = false;
  bool grey_offered_at_2 = true, grey_offered_at_4 = true, grey_offered_at_8 = false;
  int depth = 0, level = 0, filter_mode = 0;  // from the settings
  std::wstring colour, gamma, filter_text;
};
PanelSeen g_seen;

// Looks at the BMP panel, switches to PNG, looks again, sets every PNG
// option and saves.
void SetPngOptionsAndSave(HWND dialog) {
  PanelSeen& s = g_seen;
  s.bmp_depth = Shown(dialog, IDC_SAVE_DEPTH);
  s.png_depth = Shown(dialog, IDC_SAVE_PNG_DEPTH);
  s.grey = Shown(dialog, IDC_SAVE_GREY);
  s.filter = Shown(dialog, IDC_SAVE_FILTER);
  ChooseType(dialog, 1);  // BMP, PNG
  s.png_bmp_depth = Shown(dialog, IDC_SAVE_DEPTH);
  s.png_png_depth = Shown(dialog, IDC_SAVE_PNG_DEPTH);
  s.png_grey = Shown(dialog, IDC_SAVE_GREY) && Shown(dialog, IDC_SAVE_INTERLACE);
  s.png_level = Shown(dialog, IDC_SAVE_LEVEL);
  s.png_filter = Shown(dialog, IDC_SAVE_FILTER);
  s.png_transparency = Shown(dialog, IDC_SAVE_TRANSPARENCY) && Shown(dialog, IDC_SAVE_TRANSPARENT_COLOUR) &&
                       Shown(dialog, IDC_SAVE_CHOOSE_COLOUR);
  s.png_gamma = Shown(dialog, IDC_SAVE_GAMMA);
  s.png_comment = Shown(dialog, IDC_SAVE_COMMENT) && Shown(dialog, IDC_SAVE_EDIT_COMMENT);
  s.depth = ChosenValue(dialog, IDC_SAVE_PNG_DEPTH);
  s.level = ChosenValue(dialog, IDC_SAVE_LEVEL);
  s.filter_mode = ChosenValue(dialog, IDC_SAVE_FILTER);
  wchar_t filter_text[64] = {};
  HWND filter = Control(dialog, IDC_SAVE_FILTER);
  SendMessageW(filter, CB_GETLBTEXT, SendMessageW(filter, CB_GETCURSEL, 0, 0),
               reinterpret_cast<LPARAM>(filter_text));
  s.filter_text = filter_text;
  s.colour = TextOf(dialog, IDC_SAVE_TRANSPARENT_COLOUR);
  s.gamma = TextOf(dialog, IDC_SAVE_GAMMA);

  s.grey_offered_at_2 = IsWindowEnabled(Control(dialog, IDC_SAVE_GREY)) != 0;
  Choose(dialog, IDC_SAVE_PNG_DEPTH, 4);
  s.grey_offered_at_4 = IsWindowEnabled(Control(dialog, IDC_SAVE_GREY)) != 0;
  Choose(dialog, IDC_SAVE_PNG_DEPTH, 8);
  s.grey_offered_at_8 = IsWindowEnabled(Control(dialog, IDC_SAVE_GREY)) != 0;
  Choose(dialog, IDC_SAVE_LEVEL, 3);
  Choose(dialog, IDC_SAVE_FILTER, 5);
  Tick(dialog, IDC_SAVE_GREY);
  Tick(dialog, IDC_SAVE_INTERLACE);
  Tick(dialog, IDC_SAVE_TRANSPARENCY);
  Tick(dialog, IDC_SAVE_COMMENT);
  SetWindowTextW(Control(dialog, IDC_SAVE_TRANSPARENT_COLOUR), L"FF8000");
  SetWindowTextW(Control(dialog, IDC_SAVE_GAMMA), L"1800");
  TypePathAndSave(dialog);
}

class SaveDialog : public ::testing::Test {
 protected:
  void SetUp() override {
    ApplicationState& app = App();
    std::wstring name;
    app.language.reset(LoadLanguageModule(L"English", &name));
    app.view_window = nullptr;
    app.document = {};
    g_offered.clear();
  }
  void TearDown() override {
    App().current.source_format = 0;
    App().language.reset();
  }
  // Runs the save dialog with `act` working the panel once it is shown;
  // the dialog is to save under `name` in the temporary folder.
  bool SaveThroughPanel(const wchar_t* name, DialogStep act, std::wstring* chosen) {
    wchar_t folder[MAX_PATH];
    GetTempPathW(MAX_PATH, folder);
    g_save_path = std::wstring(folder) + name;
    DeleteFileW(g_save_path.c_str());
    UINT_PTR timer = WhenShown(cmb1, act);
    const bool saved = AskSavePath(chosen);
    KillTimer(nullptr, timer);
    return saved;
  }
  // The types offered for a save that starts with this type chosen.
  std::vector<std::wstring> Offered(int32_t save_type) {
    App().settings.save_type = save_type;
    g_offered.clear();
    UINT_PTR timer = WhenShown(cmb1, ReadTypesAndCancel);
    std::wstring chosen;
    EXPECT_FALSE(AskSavePath(&chosen));
    KillTimer(nullptr, timer);
    return g_offered;
  }
};

TEST_F(SaveDialog, OffersOnlyTheTypesThatCanBeWritten) {
  std::vector<std::wstring> offered = Offered(0);
  ASSERT_EQ(offered.size(), 5u);
  EXPECT_NE(offered[0].find(L"*.bmp"), std::wstring::npos);
  EXPECT_NE(offered[1].find(L"*.png"), std::wstring::npos);
  EXPECT_NE(offered[2].find(L"*.jpg"), std::wstring::npos);
  EXPECT_NE(offered[3].find(L"*.tif;*.tiff"), std::wstring::npos);
  EXPECT_NE(offered[4].find(L"*.gif"), std::wstring::npos);
  EXPECT_EQ(Offered(5).size(), 5u);
  EXPECT_EQ(App().settings.save_type, 2) << "keeping JPEG data needs a JPEG: a new JPEG instead";
  App().current.source_format = kSourceJpeg;
  offered = Offered(5);
  ASSERT_EQ(offered.size(), 6u) << "a JPEG may keep its coded data";
  EXPECT_NE(offered[5].find(L"original compressed data"), std::wstring::npos);
  EXPECT_NE(offered[5].find(L"*.jpg"), std::wstring::npos);
  EXPECT_EQ(App().settings.save_type, 5);
  EXPECT_EQ(Offered(3).size(), 6u);
  EXPECT_EQ(App().settings.save_type, 3);
}

// The JPEG choices, and those of the save keeping the coded data, each
// shown for their own type, read into the settings on OK.
struct JpegPanelSeen {
  bool jpeg_quality = false, jpeg_markers = true, jpeg_keep_exif = false, jpeg_limit = false,
       jpeg_comment = false;
  bool lossless_quality = true, lossless_markers = false, lossless_trim = false,
       lossless_grey = false, lossless_comment = true;
  std::wstring quality, limit;
  int subsampling = -1, markers = -1;
};
JpegPanelSeen g_jpeg_seen;

void SetJpegOptionsAndSave(HWND dialog) {
  JpegPanelSeen& s = g_jpeg_seen;
  s.jpeg_quality = Shown(dialog, IDC_SAVE_QUALITY) && Shown(dialog, IDC_SAVE_SUBSAMPLING);
  s.jpeg_markers = Shown(dialog, IDC_SAVE_MARKERS) || Shown(dialog, IDC_SAVE_TRIM);
  s.jpeg_keep_exif = Shown(dialog, IDC_SAVE_KEEP_EXIF);
  s.jpeg_limit = Shown(dialog, IDC_SAVE_SIZE_LIMIT) && Shown(dialog, IDC_SAVE_SIZE_LIMIT_KIB);
  s.jpeg_comment = Shown(dialog, IDC_SAVE_COMMENT);
  s.quality = TextOf(dialog, IDC_SAVE_QUALITY);
  s.limit = TextOf(dialog, IDC_SAVE_SIZE_LIMIT_KIB);
  s.subsampling = ChosenValue(dialog, IDC_SAVE_SUBSAMPLING);
  s.markers = ChosenValue(dialog, IDC_SAVE_MARKERS);
  Choose(dialog, IDC_SAVE_SUBSAMPLING, 2);
  Tick(dialog, IDC_SAVE_PROGRESSIVE);
  Tick(dialog, IDC_SAVE_SIZE_LIMIT);
  SetWindowTextW(Control(dialog, IDC_SAVE_QUALITY), L"92");
  SetWindowTextW(Control(dialog, IDC_SAVE_SIZE_LIMIT_KIB), L"250");
  ChooseType(dialog, 5);  // BMP, PNG, JPEG, TIFF, GIF, JPEG keeping its data
  s.lossless_quality = Shown(dialog, IDC_SAVE_QUALITY);
  s.lossless_markers = Shown(dialog, IDC_SAVE_MARKERS);
  s.lossless_trim = Shown(dialog, IDC_SAVE_TRIM);
  s.lossless_grey = Shown(dialog, IDC_SAVE_JPEG_GREY) && Shown(dialog, IDC_SAVE_PROGRESSIVE);
  s.lossless_comment = Shown(dialog, IDC_SAVE_COMMENT);
  Choose(dialog, IDC_SAVE_MARKERS, 1);
  Tick(dialog, IDC_SAVE_TRIM);
  TypePathAndSave(dialog);
}

TEST_F(SaveDialog, TheJpegChoicesShowForTheirTypesAndAreReadIntoTheSettings) {
  SettingsValues& s = App().settings;
  App().current.source_format = kSourceJpeg;
  s.save_type = 2;
  s.jpeg_quality = 80, s.save_jpeg_subsampling = 1, s.save_lossless_markers = 2;
  s.save_size_limit_kib = 100;
  s.save_jpeg_progressive = s.save_size_limit = s.save_lossless_trim = 0;
  g_jpeg_seen = {};
  std::wstring chosen;
  ASSERT_TRUE(SaveThroughPanel(L"ovira-panel-test.jpg", SetJpegOptionsAndSave, &chosen));
  const JpegPanelSeen& seen = g_jpeg_seen;
  EXPECT_TRUE(seen.jpeg_quality && seen.jpeg_keep_exif && seen.jpeg_limit && seen.jpeg_comment);
  EXPECT_FALSE(seen.jpeg_markers) << "a new JPEG has no markers to copy";
  EXPECT_EQ(seen.quality, L"80");
  EXPECT_EQ(seen.limit, L"100");
  EXPECT_EQ(seen.subsampling, 1);
  EXPECT_EQ(seen.markers, 2);
  EXPECT_TRUE(seen.lossless_markers && seen.lossless_trim && seen.lossless_grey);
  EXPECT_FALSE(seen.lossless_quality || seen.lossless_comment) << "kept data are not re-coded";

  EXPECT_EQ(s.save_type, 5);
  EXPECT_EQ(s.jpeg_quality, 92);
  EXPECT_EQ(s.save_jpeg_subsampling, 2);
  EXPECT_TRUE(s.save_jpeg_progressive && s.save_size_limit && s.save_lossless_trim);
  EXPECT_EQ(s.save_size_limit_kib, 250);
  EXPECT_EQ(s.save_lossless_markers, 1);
}

TEST_F(SaveDialog, ThePngOptionsShowForPngAndAreReadIntoTheSettings) {
  SettingsValues& s = App().settings;
  s.save_type = 0;
  s.save_bmp_depth = 8, s.save_png_depth = 2, s.save_compression_level = 7, s.save_filter_mode = 3;
  s.save_png_grey = s.save_interlace = s.save_transparency = s.save_comment = 0;
  s.save_transparent_colour = 0x563412, s.save_gamma = 2200;
  g_seen = {};
  std::wstring chosen;
  ASSERT_TRUE(SaveThroughPanel(L"ovira-panel-test.png", SetPngOptionsAndSave, &chosen));
  EXPECT_EQ(lstrcmpiW(chosen.c_str(), g_save_path.c_str()), 0);

  EXPECT_TRUE(g_seen.bmp_depth);
  EXPECT_FALSE(g_seen.png_depth || g_seen.grey || g_seen.filter) << "BMP shows no PNG option";
  EXPECT_FALSE(g_seen.png_bmp_depth) << "PNG hides the BMP depths";
  EXPECT_TRUE(g_seen.png_png_depth && g_seen.png_grey && g_seen.png_level && g_seen.png_filter &&
              g_seen.png_transparency && g_seen.png_gamma && g_seen.png_comment);
  EXPECT_EQ(g_seen.depth, 2);
  EXPECT_FALSE(g_seen.grey_offered_at_2 || g_seen.grey_offered_at_4) << "grey is written at 8 bits only";
  EXPECT_TRUE(g_seen.grey_offered_at_8);
  EXPECT_EQ(g_seen.level, 7);
  EXPECT_EQ(g_seen.filter_mode, 3);
  EXPECT_EQ(g_seen.filter_text, L"Up");
  EXPECT_EQ(g_seen.colour, L"123456");
  EXPECT_EQ(g_seen.gamma, L"2200");

  EXPECT_EQ(s.save_type, 1);
  EXPECT_EQ(s.save_png_depth, 8);
  EXPECT_EQ(s.save_bmp_depth, 8) << "the BMP depth is left as it was";
  EXPECT_EQ(s.save_compression_level, 3);
  EXPECT_EQ(s.save_filter_mode, 5);
  EXPECT_TRUE(s.save_png_grey && s.save_interlace && s.save_transparency && s.save_comment);
  EXPECT_EQ(s.save_transparent_colour, 0x0080FFu) << "red in the low byte";
  EXPECT_EQ(s.save_gamma, 1800);
}

// What the panel showed for GIF, seen from inside the dialog.
struct GifPanelSeen {
  bool depth = false, others_depth = true, interlace = false, transparency = false,
       dither = false, png_or_jpeg_fields = true;
  int chosen_depth = 0;
  std::vector<int> depths;
};
GifPanelSeen g_gif_seen;

// Switches to GIF, looks, chooses 4 bits and interlacing and saves.
void SetGifOptionsAndSave(HWND dialog) {
  GifPanelSeen& s = g_gif_seen;
  ChooseType(dialog, 4);  // BMP, PNG, JPEG, TIFF, GIF
  s.depth = Shown(dialog, IDC_SAVE_GIF_DEPTH) && Shown(dialog, IDC_SAVE_DEPTH_LABEL);
  s.others_depth = Shown(dialog, IDC_SAVE_DEPTH) || Shown(dialog, IDC_SAVE_PNG_DEPTH);
  s.interlace = Shown(dialog, IDC_SAVE_INTERLACE);
  s.transparency = Shown(dialog, IDC_SAVE_TRANSPARENCY) &&
                   Shown(dialog, IDC_SAVE_TRANSPARENT_COLOUR) && Shown(dialog, IDC_SAVE_CHOOSE_COLOUR);
  s.dither = Shown(dialog, IDC_SAVE_DITHER);
  for (int id : {IDC_SAVE_GAMMA, IDC_SAVE_LEVEL, IDC_SAVE_FILTER, IDC_SAVE_GREY, IDC_SAVE_QUALITY,
                 IDC_SAVE_SUBSAMPLING, IDC_SAVE_COMMENT, IDC_SAVE_EDIT_COMMENT}) {
    s.png_or_jpeg_fields = Shown(dialog, id);
    if (s.png_or_jpeg_fields) break;
  }
  s.chosen_depth = ChosenValue(dialog, IDC_SAVE_GIF_DEPTH);
  s.depths = ListedValues(dialog, IDC_SAVE_GIF_DEPTH);
  Choose(dialog, IDC_SAVE_GIF_DEPTH, 4);
  Tick(dialog, IDC_SAVE_INTERLACE);
  TypePathAndSave(dialog);
}

std::vector<uint8_t> FileBytes(const std::wstring& path) {
  std::vector<uint8_t> bytes;
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                            nullptr);
  if (file == INVALID_HANDLE_VALUE) return bytes;
  bytes.resize(GetFileSize(file, nullptr));
  DWORD read = 0;
  if (!ReadFile(file, bytes.data(), DWORD(bytes.size()), &read, nullptr)) read = 0;
  bytes.resize(read);
  CloseHandle(file);
  return bytes;
}

// Saves a 5 x 10 picture of twelve blues through the dialog, `act` working
// the panel; the file's bytes, empty when nothing was saved.
std::vector<uint8_t> SaveTwelveBlues(const wchar_t* name, DialogStep act) {
  ApplicationState& app = App();
  app.list_window = nullptr;
  ResetImageBuffer(&app.current);
  EXPECT_EQ(AllocatePixels(&app.current, 5, 10, 24), Status::kOk);
  for (int y = 0; y < 10; ++y) {
    for (int x = 0; x < 5; ++x) RowFromTop(app.current, y)[3 * x] = uint8_t(16 * ((x + y) % 12));
  }
  wchar_t folder[MAX_PATH];
  GetTempPathW(MAX_PATH, folder);
  g_save_path = std::wstring(folder) + name;
  DeleteFileW(g_save_path.c_str());
  UINT_PTR timer = WhenShown(cmb1, act);
  const bool saved = SaveDocumentAs();
  KillTimer(nullptr, timer);
  std::vector<uint8_t> file = FileBytes(g_save_path);
  DeleteFileW(g_save_path.c_str());
  ReleasePixels(&app.current);
  if (!saved) file.clear();
  return file;
}

TEST_F(SaveDialog, TheGifOptionsShowForGifAndShapeTheSavedFile) {
  SettingsValues& s = App().settings;
  s.save_type = 0;
  s.save_gif_depth = 8;
  s.save_interlace = s.save_transparency = s.save_dither = s.save_comment = 0;
  g_gif_seen = {};
  const std::vector<uint8_t> file = SaveTwelveBlues(L"ovira-panel-test.gif", SetGifOptionsAndSave);
  ASSERT_FALSE(file.empty());

  const GifPanelSeen& seen = g_gif_seen;
  EXPECT_TRUE(seen.depth && seen.interlace && seen.transparency && seen.dither);
  EXPECT_FALSE(seen.others_depth) << "GIF hides the BMP and PNG depths";
  EXPECT_FALSE(seen.png_or_jpeg_fields) << "no gamma, level, filter, grey, JPEG field or comment";
  EXPECT_EQ(seen.chosen_depth, 8);
  EXPECT_EQ(seen.depths, (std::vector<int>{8, 7, 6, 5, 4, 3, 2, 1}));
  EXPECT_EQ(s.save_type, 4);
  EXPECT_EQ(s.save_gif_depth, 4);
  EXPECT_TRUE(s.save_interlace);

  // Twelve colours at 4 bits: a 16-entry table, then the interlaced image.
  ASSERT_GT(file.size(), 13u + 48 + 10);
  EXPECT_EQ(std::string(file.begin(), file.begin() + 6), "GIF89a");
  EXPECT_EQ(file[6], 5);
  EXPECT_EQ(file[8], 10);
  EXPECT_EQ(file[10], 0x80 | 3 << 4 | 3);
  EXPECT_EQ(file[13 + 48], 0x2C);
  EXPECT_EQ(file[13 + 48 + 9], 0x40);
  EXPECT_EQ(file[13 + 48 + 10], 4) << "LZW minimum code size";
  EXPECT_EQ(file.back(), ';');
}

// What the panel showed for TIFF, seen from inside the dialog.
struct TiffPanelSeen {
  bool depth = false, others_depth = true, dither = false, other_fields = true;
  bool grey_offered_at_24 = true, grey_offered_at_8 = false;
  int chosen_depth = 0;
  std::vector<int> depths;
};
TiffPanelSeen g_tiff_seen;

// Switches to TIFF, looks, chooses 8 bits in grey levels and saves.
void SetTiffOptionsAndSave(HWND dialog) {
  TiffPanelSeen& s = g_tiff_seen;
  ChooseType(dialog, 3);  // BMP, PNG, JPEG, TIFF
  s.depth = Shown(dialog, IDC_SAVE_TIFF_DEPTH) && Shown(dialog, IDC_SAVE_DEPTH_LABEL) &&
            Shown(dialog, IDC_SAVE_TIFF_GREY);
  s.others_depth = Shown(dialog, IDC_SAVE_DEPTH) || Shown(dialog, IDC_SAVE_PNG_DEPTH) ||
                   Shown(dialog, IDC_SAVE_GIF_DEPTH) || Shown(dialog, IDC_SAVE_GREY);
  s.dither = Shown(dialog, IDC_SAVE_DITHER);
  for (int id : {IDC_SAVE_GAMMA, IDC_SAVE_LEVEL, IDC_SAVE_FILTER, IDC_SAVE_INTERLACE,
                 IDC_SAVE_TRANSPARENCY, IDC_SAVE_QUALITY, IDC_SAVE_COMMENT}) {
    s.other_fields = Shown(dialog, id);
    if (s.other_fields) break;
  }
  s.chosen_depth = ChosenValue(dialog, IDC_SAVE_TIFF_DEPTH);
  s.depths = ListedValues(dialog, IDC_SAVE_TIFF_DEPTH);
  s.grey_offered_at_24 = IsWindowEnabled(Control(dialog, IDC_SAVE_TIFF_GREY)) != 0;
  Choose(dialog, IDC_SAVE_TIFF_DEPTH, 8);
  s.grey_offered_at_8 = IsWindowEnabled(Control(dialog, IDC_SAVE_TIFF_GREY)) != 0;
  Tick(dialog, IDC_SAVE_TIFF_GREY);
  TypePathAndSave(dialog);
}

TEST_F(SaveDialog, TheTiffOptionsShowForTiffAndShapeTheSavedFile) {
  SettingsValues& s = App().settings;
  s.save_type = 0;
  s.save_tiff_depth = 24;
  s.save_tiff_grey = s.save_png_grey = s.save_dither = 0;
  g_tiff_seen = {};
  const std::vector<uint8_t> file = SaveTwelveBlues(L"ovira-panel-test.tif", SetTiffOptionsAndSave);
  ASSERT_FALSE(file.empty());

  const TiffPanelSeen& seen = g_tiff_seen;
  EXPECT_TRUE(seen.depth && seen.dither);
  EXPECT_FALSE(seen.others_depth) << "TIFF hides the other depths and PNG's grey box";
  EXPECT_FALSE(seen.other_fields) << "no gamma, level, filter, interlace, transparency, JPEG field or comment";
  EXPECT_EQ(seen.chosen_depth, 24);
  EXPECT_EQ(seen.depths, (std::vector<int>{24, 8, 4, 1}));
  EXPECT_FALSE(seen.grey_offered_at_24) << "grey is written at 8 bits only";
  EXPECT_TRUE(seen.grey_offered_at_8);
  EXPECT_EQ(s.save_type, 3);
  EXPECT_EQ(s.save_tiff_depth, 8);
  EXPECT_TRUE(s.save_tiff_grey);
  EXPECT_FALSE(s.save_png_grey) << "each format keeps its own grey choice";

  // Eleven entries, the first 8-bit grey strip at 162, ten rows of five.
  ASSERT_EQ(file.size(), 162u + 50);
  EXPECT_EQ(std::string(file.begin(), file.begin() + 4), std::string("II*\0", 4));
  EXPECT_EQ(file[8], 11);
  const uint8_t* photometric = &file[10 + 4 * 12];
  EXPECT_EQ(photometric[0] | photometric[1] << 8, 262);
  EXPECT_EQ(photometric[8], 1) << "BlackIsZero";
}

std::wstring g_comment_shown;
LRESULT g_comment_limit = 0;

void ReadCommentAndReplace(HWND dialog) {
  wchar_t text[64] = {};
  GetDlgItemTextW(dialog, IDC_SAVE_COMMENT_TEXT, text, 64);
  g_comment_shown = text;
  g_comment_limit = SendDlgItemMessageW(dialog, IDC_SAVE_COMMENT_TEXT, EM_GETLIMITTEXT, 0, 0);
  SetDlgItemTextW(dialog, IDC_SAVE_COMMENT_TEXT, L"line one\r\nline two");
  PostMessageW(dialog, WM_COMMAND, IDOK, 0);
}

void ReplaceCommentAndCancel(HWND dialog) {
  SetDlgItemTextW(dialog, IDC_SAVE_COMMENT_TEXT, L"never taken");
  PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
}

TEST_F(SaveDialog, TheCommentDialogKeepsTheTextInTheState) {
  App().save_comment_text = "earlier";
  UINT_PTR timer = WhenShown(IDC_SAVE_COMMENT_TEXT, ReadCommentAndReplace);
  EXPECT_TRUE(EditSaveComment(nullptr));
  KillTimer(nullptr, timer);
  EXPECT_EQ(g_comment_shown, L"earlier");
  EXPECT_EQ(g_comment_limit, 4096);
  EXPECT_EQ(App().save_comment_text, "line one\r\nline two");

  timer = WhenShown(IDC_SAVE_COMMENT_TEXT, ReplaceCommentAndCancel);
  EXPECT_FALSE(EditSaveComment(nullptr));
  KillTimer(nullptr, timer);
  EXPECT_EQ(App().save_comment_text, "line one\r\nline two") << "Cancel takes nothing";
}

}  // namespace
