#include "view/view_paint_win.h"

#include "image/image_buffer_win.h"

namespace {

void FillStrip(HDC dc, int left, int top, int right, int bottom, HBRUSH brush) {
  if (right <= left || bottom <= top) return;
  RECT strip = {left, top, right, bottom};
  FillRect(dc, &strip, brush);
}

void PaintImage(HDC dc, const RECT& client, const ImageBuffer& image, const uint8_t* rows,
                const ViewGeometry& g, HBRUSH background) {
  const int dl = g.destination_x, dt = g.destination_y;
  const int dr = dl + g.destination_width, db = dt + g.destination_height;
  if (g.scaled_width < g.client_width) {
    FillStrip(dc, client.left, client.top, dl, client.bottom, background);
    FillStrip(dc, dr, client.top, client.right, client.bottom, background);
  }
  if (g.scaled_height < g.client_height) {
    FillStrip(dc, dl, client.top, dr, dt, background);
    FillStrip(dc, dl, db, dr, client.bottom, background);
  }
  // Rows are stored bottom-up, so the source's y counts from the bottom.
  int source_y = image.header.height - g.source_y - g.source_height;
  StretchDIBits(dc, dl, dt, g.destination_width, g.destination_height, g.source_x, source_y,
                g.source_width, g.source_height, rows, AsBitmapInfo(image),
                DIB_RGB_COLORS, SRCCOPY);
}

void PaintEmpty(HDC dc, const RECT& client, HBRUSH background, const wchar_t* note) {
  FillRect(dc, &client, background);
  if (!note || !*note) return;
  RECT area = client;
  int old_mode = SetBkMode(dc, TRANSPARENT);
  // The kept view DC draws with an XOR pen for the zoom rectangle; text
  // must not take part in that, and some GDI implementations let it.
  int old_rop = SetROP2(dc, R2_COPYPEN);
  DrawTextW(dc, note, -1, &area, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_WORD_ELLIPSIS);
  SetROP2(dc, old_rop);
  SetBkMode(dc, old_mode);
}

}  // namespace

void PaintViewContent(HDC dc, const RECT& client, const ViewPaintInput& input) {
  if (input.image && input.image->pixels && input.geometry) {
    const uint8_t* rows = input.frame_pixels ? input.frame_pixels : input.image->pixels;
    PaintImage(dc, client, *input.image, rows, *input.geometry, input.background);
  } else {
    PaintEmpty(dc, client, input.background, input.note);
  }
}
