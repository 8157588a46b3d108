#include "image/document_win.h"

#include <windows.h>
#include <commdlg.h>

#include "app/app_state.h"
#include "app/command_ids.h"
#include "app/language_module_win.h"
#include "app/wide_text.h"
#include "image/colour_count_message_win.h"
#include "image/document_clipboard_win.h"
#include "image/document_comment_win.h"
#include "image/document_delete_win.h"
#include "image/document_information_win.h"
#include "image/document_list_win.h"
#include "image/document_lossless_win.h"
#include "image/document_save_win.h"
#include "image/open_filters_win.h"
#include "image/save_preview_win.h"
#include "image/wallpaper_win.h"
#include "lang/string_ids.h"
#include "view/view_cursor_win.h"

namespace {

ApplicationState& A() { return App(); }

void OpenWithDialog() {
  ApplicationState& app = A();
  std::wstring filters = OpenDialogFilters();
  std::wstring folder = app.document.folder.empty() ? ToWide(app.settings.last_folder)
                                                    : app.document.folder;
  wchar_t file[MAX_PATH] = {};
  OPENFILENAMEW ofn = {sizeof(ofn)};
  ofn.hwndOwner = OwnerWindow();
  ofn.lpstrFilter = filters.c_str();
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = file;
  ofn.nMaxFile = MAX_PATH;
  ofn.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
  ofn.Flags = OFN_FILEMUSTEXIST | OFN_NOCHANGEDIR | OFN_HIDEREADONLY | OFN_EXPLORER;
  if (GetOpenFileNameW(&ofn) && SettleUnsavedChanges()) OpenDocument(file, 0);
}

void Reload() {
  ApplicationState& app = A();
  if (app.document.path.empty() || !SettleUnsavedChanges()) return;
  if (app.file_list.empty()) {
    OpenDocument(app.document.path, 0);
  } else {
    OpenListEntry(app.file_list.current());
  }
}

}  // namespace

bool SettleUnsavedChanges() {
  ApplicationState& app = A();
  if (!app.modified) return true;
  if (app.display_mode == kDisplayFullScreen && app.settings.replace_modified_silently) return true;
  ShowViewCursor();  // the question needs the pointer, full screen or not
  std::wstring caption = app.document.name.empty() ? L"Ovira" : app.document.name;
  std::wstring question = LanguageString(app.language.get(), IDS_SAVE_QUESTION);
  int answer = MessageBoxW(OwnerWindow(), question.c_str(), caption.c_str(),
                           MB_YESNOCANCEL | MB_ICONQUESTION);
  // A box that could not be shown counts as Cancel: changes are never
  // dropped without the user saying so.
  if (answer == IDYES) return SaveDocumentAs();
  return answer == IDNO;
}

bool RunDocumentCommand(int command) {
  if (RunListCommand(command) || RunLosslessRotation(command)) return true;
  switch (command) {
    case kCommandOpen:
      OpenWithDialog();
      return true;
    case kCommandReload:
      Reload();
      return true;
    case kCommandSaveAs:
      SaveDocumentAs();
      return true;
    case kCommandSave:
      SaveDocument();
      return true;
    case kCommandCopy:
      CopyImageToClipboard();
      return true;
    case kCommandCopyView:
      CopyViewToClipboard();
      return true;
    case kCommandPaste:
      PasteFromClipboard();
      return true;
    case kCommandDelete:
      DeleteCurrentFile();
      return true;
    case kCommandComment:
      EditCurrentComment();
      return true;
    case kCommandImageInformation:
      ShowImageInformation();
      return true;
    case kCommandWallpaper:
      SetAsWallpaper();
      return true;
    case kCommandColourCount:
      ShowColourCount();
      return true;
    case kCommandSavePreview:
      MakeSavePreview();
      return true;
  }
  return false;
}
