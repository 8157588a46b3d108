#include "adjust/adjustment_win.h"

#include <commctrl.h>

#include "adjust/adjustment_bar_win.h"
#include "app/app_state.h"
#include "view/tool_strip_win.h"

namespace {

constexpr int kMenuButtons[] = {5106, 5107, 5108, 5400};

// While an adjustment runs, nothing of the file band may start another
// document operation; its menu buttons show as waiting.
void HoldFileBand(bool held) {
  HWND band = ToolStripBand(kFileBandId);
  if (!band) return;
  for (int id : kMenuButtons) {
    SendMessageW(band, TB_SETSTATE, id, held ? TBSTATE_INDETERMINATE : TBSTATE_ENABLED);
  }
  EnableWindow(band, !held);
}

}  // namespace

CIBase::CIBase() {
  ApplicationState& app = App();
  app.adjustment_hook = true;
  app.hot_label = nullptr;
  HoldFileBand(true);
}

CIBase::~CIBase() {
  ApplicationState& app = App();
  RemoveAdjustmentBar();
  HoldFileBand(false);
  app.hot_label = nullptr;
  app.adjustment_hook = false;
}

int CIBase::CheckValue(HWND) { return 0; }
bool CIBase::IsDragLabel(HWND) { return false; }
void CIBase::BeginLabelDrag() {}
void CIBase::DragLabel(int) {}
bool CIBase::SetPreviewCursor() { return false; }
void CIBase::PreviewHover(LPARAM) {}

void CIBase::PreviewPress(LPARAM point) {
  App().drag_anchor = {static_cast<short>(LOWORD(point)), static_cast<short>(HIWORD(point))};
}

bool CIBase::PreviewDrag(WPARAM, LPARAM) { return false; }
void CIBase::PreviewRelease() {}
void CIBase::EndColourPick(bool) {}
void CIBase::PickHover() {}
void CIBase::ColourBoxClick(HWND) {}

// Without a colour of its own, a box shows the frame's: the transparent colour.
COLORREF CIBase::BoxColour(int) { return App().settings.save_transparent_colour; }

void CIBase::ComputePreview(LPARAM) {}
void CIBase::DrawOverlay() {}
