#include "image/document_paths.h"

#include "app/app_state.h"

void SetDocumentPath(const std::wstring& path) {
  ApplicationState& app = App();
  size_t slash = path.find_last_of(L"\\/");
  app.document.path = path;
  app.document.name = slash == std::wstring::npos ? path : path.substr(slash + 1);
  app.document.folder = slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
}

void ClearDocumentPath() {
  ApplicationState& app = App();
  app.document.path.clear();
  app.document.name.clear();
}
