#include "adjust/adjustment_run_win.h"

#include <memory>
#include <new>

#include "adjust/adjustment_modes.h"
#include "adjust/adjustment_win.h"
#include "adjust/tone_adjustments_win.h"
#include "app/app_state.h"
#include "app/program_message_win.h"
#include "image/commit_image.h"
#include "image/save_preview_win.h"
#include "image/status.h"
#include "view/edit_panes_win.h"
#include "view/eyedropper_win.h"
#include "view/title_win.h"
#include "view/view_control_win.h"

namespace {

constexpr int kSourceOnly = 1;

ApplicationState& A() { return App(); }

bool HasClass(int mode) { return mode >= 13 && mode <= 15; }

CIBase* Create(int mode) {
  switch (mode) {
    case 13: return new (std::nothrow) CGamCt;
    case 14: return new (std::nothrow) CBrtCt;
    case 15: return new (std::nothrow) CCrtCt;
  }
  return nullptr;
}

LPARAM Packed(POINT client) { return MAKELPARAM(client.x, client.y); }

bool g_pressed = false;  // the left button went down on the preview pane

void CommitResult(int mode) {
  ApplicationState& app = A();
  CommitImage(&app.result, &app.current);
  app.modified = true;
  if (IsGeometryMode(mode)) {
    ShowNewViewImage(true);
  } else {
    LayOutEditView();
    RepaintEditPanes();
  }
}

}  // namespace

bool OpenAdjustmentOfCommand(int command) {
  const int mode = AdjustmentModeOfCommand(command);
  return mode != 0 && OpenAdjustmentByMode(mode);
}

bool OpenAdjustmentByMode(int mode) {
  ApplicationState& app = A();
  if (!HasClass(mode)) return false;
  if (!app.current.pixels || app.adjustment) return true;
  DiscardSavePreview();
  if (app.preview_pane) InvalidateRect(app.preview_pane, nullptr, TRUE);
  RefreshTitle();
  CIBase* adjustment = Create(mode);
  if (!adjustment) {
    ShowProgramMessage(kMessageNoMemory);
    return true;
  }
  app.adjustment = adjustment;
  app.adjustment_mode = adjustment->Start();
  if (app.adjustment_mode == 0) {
    delete adjustment;
    app.adjustment = nullptr;
    ReleasePixels(&app.result);
  }
  RefreshTitle();
  return true;
}

void FinishAdjustment(bool accept) {
  ApplicationState& app = A();
  CIBase* adjustment = app.adjustment;
  if (!adjustment) return;
  SetCursor(app.cursor_wait ? app.cursor_wait : LoadCursorW(nullptr, IDC_WAIT));
  EndEyedropper(false);
  const int mode = app.adjustment_mode;
  const int changed = adjustment->Finish(accept);
  delete adjustment;
  app.adjustment = nullptr;
  app.adjustment_mode = 0;
  g_pressed = false;
  if (changed != 0) CommitResult(mode);
  ReleasePixels(&app.result);
  SetActivePane(kSourceOnly);
  LayOutEditPanes();
  app.accelerators_suspended = false;
  SetCursor(app.cursor_arrow ? app.cursor_arrow : LoadCursorW(nullptr, IDC_ARROW));
  RefreshTitle();
}

bool SetAdjustmentPaneCursor() {
  ApplicationState& app = A();
  if (!app.adjustment) return false;
  if (app.preview_busy.load(std::memory_order_relaxed)) {
    SetCursor(app.cursor_background ? app.cursor_background
                                    : LoadCursorW(nullptr, IDC_APPSTARTING));
    return true;
  }
  return !(GetKeyState(VK_CONTROL) & 0x8000) && app.adjustment->SetPreviewCursor();
}

bool HandleAdjustmentPaneMouse(UINT message, WPARAM keys, POINT client) {
  CIBase* adjustment = A().adjustment;
  if (!adjustment) return false;
  switch (message) {
    case WM_MOUSEMOVE:
      if (g_pressed && (keys & MK_LBUTTON)) return adjustment->PreviewDrag(keys, Packed(client));
      if (!(keys & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON)) && keys != MK_CONTROL) {
        adjustment->PreviewHover(Packed(client));
      }
      return false;
    case WM_LBUTTONDOWN:
      if (keys != MK_LBUTTON) return false;
      g_pressed = true;
      adjustment->PreviewPress(Packed(client));
      return false;
    case WM_LBUTTONUP:
      if (!g_pressed) return false;
      g_pressed = false;
      adjustment->PreviewRelease();
      return false;
  }
  return false;
}

void OnAdjustmentCtrlReleased() {
  ApplicationState& app = A();
  if (!app.adjustment || app.mouse_state != 0 || app.preview_busy.load(std::memory_order_relaxed) ||
      !app.preview_pane) {
    return;
  }
  POINT at;
  GetCursorPos(&at);
  ScreenToClient(app.preview_pane, &at);
  RECT client;
  GetClientRect(app.preview_pane, &client);
  if (!PtInRect(&client, at)) return;
  app.adjustment->SetPreviewCursor();
  app.adjustment->PreviewHover(Packed(at));
}
