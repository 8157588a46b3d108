#include "app/dialog_loader_win.h"

#include <cstring>

#include "app/app_state.h"
#include "app/dialog_template.h"

DialogTemplate::DialogTemplate(int id) {
  ApplicationState& app = App();
  HMODULE language = app.language.get();
  HRSRC found = language ? FindResourceW(language, MAKEINTRESOURCEW(id), RT_DIALOG) : nullptr;
  HGLOBAL loaded = found ? LoadResource(language, found) : nullptr;
  const void* bytes = loaded ? LockResource(loaded) : nullptr;
  DWORD size = found ? SizeofResource(language, found) : 0;
  if (!bytes || size == 0) return;

  HANDLE heap = app.heap ? app.heap.get() : GetProcessHeap();
  void* copy = HeapAlloc(heap, 0, size);
  if (!copy) return;
  std::memcpy(copy, bytes, size);
  uint16_t points = DialogPointSizeForFontHeight(app.settings.font_height);
  if (!SetDialogTemplatePointSize(static_cast<uint8_t*>(copy), size, points)) {
    HeapFree(heap, 0, copy);
    return;
  }
  copy_ = copy;
}

DialogTemplate::~DialogTemplate() {
  if (!copy_) return;
  ApplicationState& app = App();
  HeapFree(app.heap ? app.heap.get() : GetProcessHeap(), 0, copy_);
}

INT_PTR ShowModalDialog(int id, HWND owner, DLGPROC procedure, LPARAM param) {
  DialogTemplate dialog(id);
  if (!dialog.get()) return -1;
  return DialogBoxIndirectParamW(App().instance, dialog.get(), owner, procedure, param);
}

INT_PTR EndOnOkOrCancel(HWND dialog, WPARAM wparam, void (*accept)(HWND dialog)) {
  int command = LOWORD(wparam);
  if (command != IDOK && command != IDCANCEL) return FALSE;
  if (command == IDOK) accept(dialog);
  EndDialog(dialog, command);
  return TRUE;
}
