#include "image/folder_watch_win.h"

#include <windows.h>

#include "app/app_state.h"
#include "app/command_ids.h"
#include "app/language_module_win.h"
#include "image/document_win.h"
#include "image/file_list_build.h"
#include "lang/string_ids.h"

namespace {

HANDLE g_notification = INVALID_HANDLE_VALUE;

bool AskToReload() {
  ApplicationState& app = App();
  std::wstring question = LanguageString(app.language.get(), IDS_RELOAD_QUESTION);
  return MessageBoxW(OwnerWindow(), question.c_str(), app.document.name.c_str(),
                     MB_YESNO | MB_ICONQUESTION) == IDYES;
}

}  // namespace

void WatchCurrentFolder() {
  StopWatchingFolder();
  const std::wstring& folder = App().document.folder;
  if (folder.empty()) return;
  g_notification = FindFirstChangeNotificationW(folder.c_str(), FALSE, FILE_NOTIFY_CHANGE_FILE_NAME);
}

void StopWatchingFolder() {
  if (g_notification != INVALID_HANDLE_VALUE) FindCloseChangeNotification(g_notification);
  g_notification = INVALID_HANDLE_VALUE;
}

void CheckFolderForChanges() {
  ApplicationState& app = App();
  if (app.document.source_kind != SourceKind::kFile || g_notification == INVALID_HANDLE_VALUE) return;
  if (WaitForSingleObject(g_notification, 0) != WAIT_OBJECT_0) return;
  FolderRebuild rebuild = RefreshFileList();  // also renews the notification
  if (!rebuild.current_changed) return;
  app.document.last_write = rebuild.current_stamp.last_write;
  app.document.file_bytes = rebuild.current_stamp.size;
  if (app.current.pixels && !app.document.name.empty() && AskToReload()) {
    PostMessageW(app.view_window, WM_COMMAND, kCommandReload, 0);
  }
}
