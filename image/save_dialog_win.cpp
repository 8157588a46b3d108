#include "image/save_dialog_win.h"

#include <windows.h>
#include <commdlg.h>
#include <dlgs.h>

#include <algorithm>
#include <vector>

#include "app/app_state.h"
#include "app/dialog_loader_win.h"
#include "app/language_module_win.h"
#include "app/save_choices.h"
#include "app/wide_text.h"
#include "codecs/image_encoders.h"
#include "codecs/save_options.h"
#include "image/save_panel_win.h"
#include "image/status.h"
#include "lang/string_ids.h"

namespace {

struct SaveFilter {
  UINT label;
  const wchar_t* patterns;
  const wchar_t* extension;  // default extension, without the dot
};

// In save-type order; the dialog lists those of the offered types.
const SaveFilter kSaveFilters[] = {
    {IDS_FILTER_BMP, L"*.bmp", L"bmp"},
    {IDS_FILTER_PNG, L"*.png", L"png"},
    {IDS_FILTER_JPEG, L"*.jpg;*.jpe;*.jpeg", L"jpg"},
    {IDS_FILTER_TIFF, L"*.tif;*.tiff", L"tif"},
    {IDS_FILTER_GIF, L"*.gif", L"gif"},
    {IDS_FILTER_JPEG_LOSSLESS, L"*.jpg;*.jpe;*.jpeg", L"jpg"},
};

ApplicationState& A() { return App(); }

std::wstring FilterList(const std::vector<int32_t>& offered) {
  std::wstring list;
  for (int32_t type : offered) {
    const SaveFilter& filter = kSaveFilters[type];
    list += LanguageString(A().language.get(), filter.label) + L" (" + filter.patterns + L")" +
            L'\0' + filter.patterns + L'\0';
  }
  return list + L'\0';
}

// The dialog's filter index counts from 1 through the offered types.
int32_t TypeOfFilter(const std::vector<int32_t>& offered, DWORD filter_index) {
  if (filter_index < 1 || filter_index > offered.size()) return -1;
  return offered[filter_index - 1];
}

DWORD FilterOfType(const std::vector<int32_t>& offered, int32_t type) {
  auto found = std::find(offered.begin(), offered.end(), type);
  return static_cast<DWORD>(found - offered.begin()) + 1;
}

const std::vector<int32_t>& OfferedOf(const OPENFILENAMEW* ofn) {
  return *reinterpret_cast<const std::vector<int32_t>*>(ofn->lCustData);
}

std::wstring WithoutExtension(const std::wstring& name) {
  size_t dot = name.find_last_of(L'.');
  return dot == std::wstring::npos || dot == 0 ? name : name.substr(0, dot);
}

// A new filter changes the type, the default extension and the extension of
// the name typed so far.
void OnTypeChange(HWND panel, const OPENFILENAMEW* ofn) {
  int32_t type = TypeOfFilter(OfferedOf(ofn), ofn->nFilterIndex);
  if (type < 0) return;
  A().settings.save_type = type;
  HWND dialog = GetParent(panel);
  SendMessageW(dialog, CDM_SETDEFEXT, 0, reinterpret_cast<LPARAM>(kSaveFilters[type].extension));
  wchar_t typed[MAX_PATH] = {};
  SendMessageW(dialog, CDM_GETSPEC, MAX_PATH, reinterpret_cast<LPARAM>(typed));
  if (typed[0]) {
    std::wstring renamed = WithoutExtension(typed) + L"." + kSaveFilters[type].extension;
    SendMessageW(dialog, CDM_SETCONTROLTEXT, cmb13, reinterpret_cast<LPARAM>(renamed.c_str()));
    SendMessageW(dialog, CDM_SETCONTROLTEXT, edt1, reinterpret_cast<LPARAM>(renamed.c_str()));
  }
  ShowSavePanelFor(panel, type);
}

// Writing over the archive the image came from would destroy every other
// member in it.
bool RefuseArchivePath(HWND owner, const wchar_t* chosen) {
  const DocumentState& d = A().document;
  if (d.source_kind == SourceKind::kFile || lstrcmpiW(chosen, d.path.c_str()) != 0) return false;
  std::wstring text = LanguageString(A().language.get(), kMessageCopyFailed);
  MessageBoxW(owner, text.c_str(), L"Ovira", MB_OK | MB_ICONERROR);
  return true;
}

UINT_PTR CALLBACK PanelHook(HWND panel, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_INITDIALOG) {
    FillSavePanel(panel);
    return TRUE;
  }
  if (message == WM_COMMAND) return OnSavePanelCommand(panel, wparam) ? TRUE : 0;
  if (message != WM_NOTIFY) return 0;
  auto* notify = reinterpret_cast<OFNOTIFYW*>(lparam);
  switch (notify->hdr.code) {
    case CDN_TYPECHANGE:
      OnTypeChange(panel, notify->lpOFN);
      break;
    case CDN_FILEOK:
      if (RefuseArchivePath(GetParent(panel), notify->lpOFN->lpstrFile)) {
        SetWindowLongPtrW(panel, DWLP_MSGRESULT, 1);
        return 1;
      }
      ReadSavePanel(panel);
      break;
  }
  return 0;
}

}  // namespace

bool AskSavePath(std::wstring* chosen) {
  ApplicationState& app = A();
  bool from_jpeg = app.current.source_format == kSourceJpeg;
  const std::vector<int32_t> offered = OfferedSaveTypes(from_jpeg);
  if (offered.empty()) return false;
  app.settings.save_type = SaveTypeFor(app.settings.save_type, from_jpeg);
  std::wstring filters = FilterList(offered);
  std::wstring folder = app.document.folder.empty() ? ToWide(app.settings.last_folder)
                                                    : app.document.folder;
  wchar_t file[MAX_PATH] = {};
  lstrcpynW(file, WithoutExtension(app.document.name).c_str(), MAX_PATH);

  DialogTemplate panel(IDD_SAVE_PANEL);
  OPENFILENAMEW ofn = {sizeof(ofn)};
  ofn.hwndOwner = OwnerWindow();
  ofn.lpstrFilter = filters.c_str();
  ofn.nFilterIndex = FilterOfType(offered, app.settings.save_type);
  ofn.lCustData = reinterpret_cast<LPARAM>(&offered);
  ofn.lpstrFile = file;
  ofn.nMaxFile = MAX_PATH;
  ofn.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
  ofn.lpstrDefExt = kSaveFilters[app.settings.save_type].extension;
  ofn.Flags = OFN_EXPLORER | OFN_ENABLESIZING | OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY |
              OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST;
  if (panel.get()) {
    ofn.Flags |= OFN_ENABLEHOOK | OFN_ENABLETEMPLATEHANDLE;
    ofn.hInstance = reinterpret_cast<HINSTANCE>(const_cast<DLGTEMPLATE*>(panel.get()));
    ofn.lpfnHook = PanelHook;
  }
  if (!GetSaveFileNameW(&ofn)) return false;
  if (!panel.get() && RefuseArchivePath(OwnerWindow(), file)) return false;
  int32_t chosen_type = TypeOfFilter(offered, ofn.nFilterIndex);
  if (chosen_type >= 0) app.settings.save_type = chosen_type;
  *chosen = file;
  return true;
}
