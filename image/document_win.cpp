#include "image/document_win.h"

#include "app/app_state.h"

// Nothing can be modified or decoded yet: images arrive with the codecs and
// the document operations built on them.

bool SettleUnsavedChanges() { return !App().modified; }

// A failed open leaves the empty canvas with its note.
bool OpenDocument(const std::wstring&, int) {
  ApplicationState& app = App();
  ReleasePixels(&app.current);
  app.open_failed = true;
  if (app.view_window) InvalidateRect(app.view_window, nullptr, FALSE);
  return false;
}

bool RunDocumentCommand(int) { return false; }
