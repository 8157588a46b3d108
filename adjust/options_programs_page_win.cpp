// The external programs page: eight captions and paths, each with a
// program chooser, a file chooser and a button that clears both.
#include <windows.h>
#include <commdlg.h>

#include <string>

#include "adjust/options_session_win.h"
#include "app/app_state.h"
#include "app/language_module_win.h"
#include "app/settings_location_win.h"
#include "app/wide_text.h"
#include "app/window_text_win.h"
#include "lang/string_ids.h"

namespace {

constexpr COLORREF kCaptionColour = 0xA05000;

int ProgramOf(int id, int first) {
  int i = id - first;
  return i >= 0 && i < kExternalProgramCount ? i : -1;
}

void Fill(HWND page, OptionsSession& session) {
  for (int i = 0; i < kExternalProgramCount; ++i) {
    SetDlgItemTextW(page, IDC_OPT_PROGRAM_CAPTION + i,
                    ToWide(session.pending.program_captions[i]).c_str());
    SetDlgItemTextW(page, IDC_OPT_PROGRAM_PATH + i,
                    ToWide(session.pending.program_paths[i]).c_str());
  }
}

void Collect(HWND page, OptionsSession& session) {
  for (int i = 0; i < kExternalProgramCount; ++i) {
    session.pending.program_captions[i] =
        ToU16(WindowText(GetDlgItem(page, IDC_OPT_PROGRAM_CAPTION + i)));
    session.pending.program_paths[i] =
        ToU16(WindowText(GetDlgItem(page, IDC_OPT_PROGRAM_PATH + i)));
  }
}

// "Programs (*.exe)" and "*.exe", or all files; each pair zero-separated.
std::wstring Filter(bool programs) {
  HMODULE language = App().language.get();
  std::wstring filter =
      LanguageString(language, programs ? IDS_FILTER_PROGRAMS : IDS_FILTER_ALL_FILES);
  filter += L'\0';
  filter += programs ? L"*.exe" : L"*.*";
  filter += L'\0';
  return filter;
}

// Puts the chosen file into program i's path box.
void ChooseFile(HWND page, int i, bool programs, OptionsSession& session) {
  HWND path_box = GetDlgItem(page, IDC_OPT_PROGRAM_PATH + i);
  std::wstring file(MAX_PATH * 4, L'\0');
  std::wstring start;
  if (!programs) {
    std::wstring caption = WindowText(GetDlgItem(page, IDC_OPT_PROGRAM_CAPTION + i));
    if (!caption.empty() && IsFolder(caption)) start = caption;
  }
  std::wstring filter = Filter(programs);
  OPENFILENAMEW request = {sizeof(request)};
  request.hwndOwner = GetParent(page);
  request.lpstrFilter = filter.c_str();
  request.lpstrFile = file.data();
  request.nMaxFile = static_cast<DWORD>(file.size());
  request.lpstrInitialDir = start.empty() ? nullptr : start.c_str();
  request.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
  if (!GetOpenFileNameW(&request)) return;
  file.resize(wcslen(file.c_str()));
  SetWindowTextW(path_box, file.c_str());
  MarkOptionsChanged(session);
}

bool Command(HWND page, int id, int code, OptionsSession& session) {
  if (code != BN_CLICKED) return false;
  if (int i = ProgramOf(id, IDC_OPT_PROGRAM_CHOOSE); i >= 0) {
    ChooseFile(page, i, true, session);
    return true;
  }
  if (int i = ProgramOf(id, IDC_OPT_PROGRAM_FILE); i >= 0) {
    ChooseFile(page, i, false, session);
    return true;
  }
  if (int i = ProgramOf(id, IDC_OPT_PROGRAM_CLEAR); i >= 0) {
    SetDlgItemTextW(page, IDC_OPT_PROGRAM_CAPTION + i, L"");
    SetDlgItemTextW(page, IDC_OPT_PROGRAM_PATH + i, L"");
    MarkOptionsChanged(session);
    return true;
  }
  return false;
}

}  // namespace

// The captions are drawn in the menu's accent colour, so they read as the
// names the menu will show.
HBRUSH ProgramCaptionColour(HDC dc, HWND control) {
  if (ProgramOf(GetDlgCtrlID(control), IDC_OPT_PROGRAM_CAPTION) < 0) return nullptr;
  SetTextColor(dc, kCaptionColour);
  SetBkColor(dc, RGB(255, 255, 255));
  return static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
}

const OptionsPageHooks& ProgramsPageHooks() {
  static const OptionsPageHooks kHooks = {Fill, Collect, Command, nullptr, nullptr};
  return kHooks;
}
