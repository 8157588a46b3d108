// Every dialog is an extended template of the language module, copied and
// given the interface font's size before it is shown.
#pragma once

#include <windows.h>

// A copy of a dialog template on the private heap; freed with the object.
class DialogTemplate {
 public:
  explicit DialogTemplate(int id);
  ~DialogTemplate();
  DialogTemplate(const DialogTemplate&) = delete;
  DialogTemplate& operator=(const DialogTemplate&) = delete;

  // nullptr when the module has no such dialog or it carries no font.
  const DLGTEMPLATE* get() const { return static_cast<const DLGTEMPLATE*>(copy_); }

 private:
  void* copy_ = nullptr;
};

// Shows a modal dialog from the language module; -1 when it cannot be shown.
INT_PTR ShowModalDialog(int id, HWND owner, DLGPROC procedure, LPARAM param);

// The OK and Cancel buttons of a small modal dialog: OK runs `accept` on the
// dialog first. TRUE when the command was one of the two.
INT_PTR EndOnOkOrCancel(HWND dialog, WPARAM wparam, void (*accept)(HWND dialog));
