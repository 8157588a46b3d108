// GDI reads the record's header and palette in place as a BITMAPINFO with 256
// colours; these checks keep the portable layout honest against the system's.
#include "image/image_buffer_win.h"

#include <cstddef>

#define SAME_FIELD(ours, theirs)                                            \
  static_assert(offsetof(DibHeader, ours) == offsetof(BITMAPINFOHEADER, theirs) && \
                sizeof(DibHeader::ours) == sizeof(BITMAPINFOHEADER::theirs))
SAME_FIELD(size, biSize);
SAME_FIELD(width, biWidth);
SAME_FIELD(height, biHeight);
SAME_FIELD(planes, biPlanes);
SAME_FIELD(bit_count, biBitCount);
SAME_FIELD(compression, biCompression);
SAME_FIELD(size_image, biSizeImage);
SAME_FIELD(x_pels_per_meter, biXPelsPerMeter);
SAME_FIELD(y_pels_per_meter, biYPelsPerMeter);
SAME_FIELD(clr_used, biClrUsed);
SAME_FIELD(clr_important, biClrImportant);
#undef SAME_FIELD

static_assert(sizeof(DibHeader) == sizeof(BITMAPINFOHEADER));
static_assert(sizeof(RgbQuad) == sizeof(RGBQUAD));
static_assert(offsetof(RgbQuad, blue) == offsetof(RGBQUAD, rgbBlue));
static_assert(offsetof(RgbQuad, green) == offsetof(RGBQUAD, rgbGreen));
static_assert(offsetof(RgbQuad, red) == offsetof(RGBQUAD, rgbRed));
static_assert(sizeof(FileTimeValue) == sizeof(FILETIME));
static_assert(offsetof(FileTimeValue, high) == offsetof(FILETIME, dwHighDateTime));

// Header followed directly by 256 palette entries, as BITMAPINFO expects.
static_assert(offsetof(ImageBuffer, header) == offsetof(BITMAPINFO, bmiHeader));
static_assert(offsetof(ImageBuffer, palette) == offsetof(BITMAPINFO, bmiColors));
static_assert(offsetof(ImageBuffer, palette) + sizeof(ImageBuffer::palette) ==
              sizeof(BITMAPINFOHEADER) + 256 * sizeof(RGBQUAD));
