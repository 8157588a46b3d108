#include "view/print_preview_win.h"

#include <algorithm>

#include "app/gdi_guards_win.h"
#include "image/image_buffer_win.h"

namespace {

constexpr wchar_t kClassName[] = L"Ovira_prtp_class";
constexpr COLORREF kHandleColour = 0x6000FF;
constexpr COLORREF kPrintableEdgeColour = RGB(176, 176, 176);

// The press that started a drag: what it grabbed and the layout then.
struct PreviewDrag {
  bool active = false;
  POINT anchor = {};
  PlacementGrip grip = PlacementGrip::kNone;
  FillCrop crop;
  PlacementLayout placement;
};

struct PreviewState {
  PrintPreviewSource* source = nullptr;
  PreviewDrag drag;
};

PreviewState* State(HWND preview) {
  return reinterpret_cast<PreviewState*>(GetWindowLongPtrW(preview, GWLP_USERDATA));
}

RECT AsRect(const PrintRect& r) { return {r.left, r.top, r.left + r.width, r.top + r.height}; }

// Draws `part` of the image (image pixels, rows from the top) into `target`,
// through the picture, which may be smaller than the image.
void DrawImagePart(HDC dc, const PrintPreviewSource& source, const PrintRect& part,
                   const PrintRect& target) {
  const ImageBuffer& picture = *source.picture;
  const PrintImageSize& image = source.page->image;
  double sx = static_cast<double>(picture.header.width) / image.width;
  double sy = static_cast<double>(picture.header.height) / image.height;
  int x = static_cast<int>(part.left * sx);
  int y = static_cast<int>(part.top * sy);
  int w = std::max(1, static_cast<int>(part.width * sx + 0.5));
  int h = std::max(1, static_cast<int>(part.height * sy + 0.5));
  SetStretchBltMode(dc, HALFTONE);
  SetBrushOrgEx(dc, 0, 0, nullptr);
  // Rows are stored bottom-up, so the source's y counts from the bottom.
  StretchDIBits(dc, target.left, target.top, target.width, target.height, x,
                picture.header.height - y - h, w, h, picture.pixels, AsBitmapInfo(picture),
                DIB_RGB_COLORS, SRCCOPY);
}

void DrawHandles(HDC dc, const PrintRect& image) {
  UniqueGdiObject pen(CreatePen(PS_SOLID, 1, kHandleColour));
  SelectionGuard pen_in(dc, pen.get());
  SelectionGuard brush_in(dc, GetStockObject(WHITE_BRUSH));
  for (PlacementGrip corner : {PlacementGrip::kTopLeft, PlacementGrip::kTopRight,
                               PlacementGrip::kBottomLeft, PlacementGrip::kBottomRight}) {
    RECT r = AsRect(PlacementHandle(image, corner));
    Rectangle(dc, r.left, r.top, r.right, r.bottom);
  }
}

void DrawPrintableEdge(HDC dc, const PrintRect& area) {
  UniqueGdiObject pen(CreatePen(PS_DOT, 1, kPrintableEdgeColour));
  SelectionGuard pen_in(dc, pen.get());
  SelectionGuard brush_in(dc, GetStockObject(NULL_BRUSH));
  RECT r = AsRect(area);
  Rectangle(dc, r.left - 1, r.top - 1, r.right + 1, r.bottom + 1);
}

void DrawPage(HDC dc, const RECT& client, const PrintPreviewSource& source) {
  FillRect(dc, &client, GetSysColorBrush(COLOR_APPWORKSPACE));
  const PrintPage& page = *source.page;
  RECT paper = AsRect(page.fit.page);
  FillRect(dc, &paper, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  PrintRect printable = PreviewPrintableArea(page.fit, page.metrics);
  DrawPrintableEdge(dc, printable);
  if (!source.picture || !source.picture->pixels) return;
  if (page.fill) {
    PrintRect crop = {page.crop.x, page.crop.y, page.crop.width, page.crop.height};
    DrawImagePart(dc, source, crop, printable);
    return;
  }
  PrintRect placed = PreviewPlacement(page.fit, page.placement);
  DrawImagePart(dc, source, {0, 0, page.image.width, page.image.height}, placed);
  DrawHandles(dc, placed);
}

// Paints through a bitmap, so that dragging does not flicker.
void Paint(HWND preview) {
  PaintGuard paint(preview);
  PreviewState* state = State(preview);
  RECT client;
  GetClientRect(preview, &client);
  if (!state || !state->source || !state->source->page) {
    FillRect(paint.dc(), &client, GetSysColorBrush(COLOR_APPWORKSPACE));
    return;
  }
  MemoryDcGuard memory(paint.dc());
  UniqueGdiObject bitmap(CreateCompatibleBitmap(paint.dc(), client.right, client.bottom));
  if (!memory.get() || !bitmap) {
    DrawPage(paint.dc(), client, *state->source);
    return;
  }
  {
    SelectionGuard bitmap_in(memory.get(), bitmap.get());
    DrawPage(memory.get(), client, *state->source);
    BitBlt(paint.dc(), 0, 0, client.right, client.bottom, memory.get(), 0, 0, SRCCOPY);
  }
}

PlacementGrip GripAt(const PrintPage& page, POINT p) {
  return PlacementGripAt(PreviewPlacement(page.fit, page.placement), page.fit.page, p.x, p.y);
}

void BeginDrag(HWND preview, POINT at) {
  PreviewState* state = State(preview);
  if (!state || !state->source || !state->source->page) return;
  const PrintPage& page = *state->source->page;
  PreviewDrag& drag = state->drag;
  drag.grip = page.fill ? PlacementGrip::kBody : GripAt(page, at);
  if (drag.grip == PlacementGrip::kNone) return;
  drag.active = true;
  drag.anchor = at;
  drag.crop = page.crop;
  drag.placement = page.placement;
  SetCapture(preview);
}

void ContinueDrag(HWND preview, POINT at) {
  PreviewState* state = State(preview);
  if (!state || !state->drag.active) return;
  PrintPage& page = *state->source->page;
  const PreviewDrag& drag = state->drag;
  int dx = at.x - drag.anchor.x, dy = at.y - drag.anchor.y;
  if (page.fill) {
    page.crop = drag.crop;
    DragFillCrop(page.fit, page.metrics, dx, dy, &page.crop);
  } else {
    page.stored = DragPlacement(page.metrics, page.fit, drag.placement, drag.grip, dx, dy);
  }
  SendMessageW(GetParent(preview), kPrintPreviewDragged, 0, 0);
}

void EndDrag(HWND preview) {
  PreviewState* state = State(preview);
  if (state) state->drag.active = false;
  if (GetCapture() == preview) ReleaseCapture();
}

LPCWSTR CursorFor(PlacementGrip grip) {
  switch (grip) {
    case PlacementGrip::kTopLeft:
    case PlacementGrip::kBottomRight: return IDC_SIZENWSE;
    case PlacementGrip::kTopRight:
    case PlacementGrip::kBottomLeft: return IDC_SIZENESW;
    default: return nullptr;
  }
}

// The corner handles show which way they size; everything else keeps the
// class's move cursor.
bool SetHandleCursor(HWND preview) {
  PreviewState* state = State(preview);
  if (!state || !state->source || !state->source->page || state->source->page->fill) return false;
  POINT p;
  GetCursorPos(&p);
  ScreenToClient(preview, &p);
  PlacementGrip grip = state->drag.active ? state->drag.grip : GripAt(*state->source->page, p);
  LPCWSTR shape = CursorFor(grip);
  if (!shape) return false;
  SetCursor(LoadCursorW(nullptr, shape));
  return true;
}

POINT PointOf(LPARAM lparam) {
  return {static_cast<short>(LOWORD(lparam)), static_cast<short>(HIWORD(lparam))};
}

LRESULT CALLBACK PreviewProcedure(HWND preview, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_NCCREATE:
      SetWindowLongPtrW(preview, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(new PreviewState));
      break;
    case WM_NCDESTROY:
      delete State(preview);
      SetWindowLongPtrW(preview, GWLP_USERDATA, 0);
      break;
    case WM_PAINT: Paint(preview); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_LBUTTONDOWN: BeginDrag(preview, PointOf(lparam)); return 0;
    case WM_MOUSEMOVE: ContinueDrag(preview, PointOf(lparam)); return 0;
    case WM_LBUTTONUP: EndDrag(preview); return 0;
    case WM_CAPTURECHANGED:
      if (State(preview)) State(preview)->drag.active = false;
      return 0;
    case WM_SETCURSOR:
      if (LOWORD(lparam) == HTCLIENT && SetHandleCursor(preview)) return TRUE;
      break;
  }
  return DefWindowProcW(preview, message, wparam, lparam);
}

}  // namespace

bool RegisterPrintPreviewClass(HINSTANCE instance) {
  WNDCLASSEXW c = {sizeof(c)};
  c.style = CS_VREDRAW | CS_HREDRAW;
  c.lpfnWndProc = PreviewProcedure;
  c.hInstance = instance;
  c.hCursor = LoadCursorW(nullptr, IDC_SIZEALL);
  c.lpszClassName = kClassName;
  return RegisterClassExW(&c) != 0;
}

void UnregisterPrintPreviewClass(HINSTANCE instance) { UnregisterClassW(kClassName, instance); }

void SetPrintPreviewSource(HWND preview, PrintPreviewSource* source) {
  if (PreviewState* state = State(preview)) state->source = source;
  InvalidateRect(preview, nullptr, FALSE);
}
