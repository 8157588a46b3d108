#include "image/document_paths.h"

#include "app/app_state.h"
#include "image/path_parts.h"

void SetDocumentPath(const std::wstring& path) {
  ApplicationState& app = App();
  app.document.path = path;
  app.document.name = NameOfPath(path);
  app.document.folder = FolderOfPath(path);
  app.document.member_folder.clear();
}

void ClearDocumentPath() {
  ApplicationState& app = App();
  app.document.path.clear();
  app.document.name.clear();
  app.document.member_folder.clear();
}
