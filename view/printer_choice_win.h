// The printer the user chose: its device-mode and device-names blocks, kept
// for the rest of the run, the contexts made from them, and the system
// dialogs that change them.
#pragma once

#include <windows.h>

#include "app/win_handles.h"
#include "view/print_layout.h"

struct PrinterChoice {
  UniqueGlobal dev_mode;
  UniqueGlobal dev_names;

  bool empty() const { return !dev_names; }
  void reset() {
    dev_mode.reset();
    dev_names.reset();
  }
};

// A context for the chosen printer; null when there is none or the driver
// refuses the kept device mode.
UniqueDc CreatePrinterContext(const PrinterChoice& choice);

// The default printer's blocks and context, asked of the system without a
// dialog. Null (and the choice untouched) when there is no printer.
UniqueDc TakeDefaultPrinter(PrinterChoice* choice);

PrinterMetrics ReadPrinterMetrics(HDC printer);

// The system page-setup dialog over the kept blocks, with the printable
// area's edges as fixed margins. True when the user pressed OK; the
// choice then holds the new blocks.
bool ChoosePageSetup(HWND owner, const PrinterMetrics& metrics, PrinterChoice* choice);

enum class PrintDialogResult { kCancel, kApply, kPrint };

// The system print dialog over the kept blocks: one copy, no page range or
// selection. The choice takes whatever blocks the dialog hands back; for
// Apply and Print `printer` receives its context.
PrintDialogResult ChoosePrinter(HWND owner, PrinterChoice* choice, UniqueDc* printer);
