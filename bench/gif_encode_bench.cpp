// Encoding a 12-megapixel photograph-like picture already reduced to 256
// colours as an 8-bit GIF: our writer (its conversion to 8 bits is the
// exact palette, a copy) against giflib's encoder writing the same rows
// into memory, in one run. The counters give both times and sizes and
// their ratios (ours / giflib's).
#include <benchmark/benchmark.h>
#include <gif_lib.h>

#include <vector>

#include "bench/encoder_comparison.h"
#include "codecs/gif_writer.h"
#include "effects/depth_converter.h"
#include "image/image_buffer.h"

namespace {

constexpr int kWidth = 4000, kHeight = 3000;

// The photograph through the median cut: the index runs and palette a real
// 256-colour picture has. Made once; never released.
const ImageBuffer& ReducedPhotograph() {
  struct Picture {
    Picture() : rows(SyntheticPhotograph(kWidth, kHeight)) {
      const ImageBuffer colour = BorrowedImage(rows, kWidth, kHeight);
      DepthConverter converter;
      converter.width = kWidth;
      converter.height = kHeight;
      PrepareDepthConverter(&converter, 24, 8);
      indices.assign(size_t{converter.target_size} + 4, 0);
      image = colour;
      image.header.bit_count = 8;
      if (ConvertDepth(converter, colour.palette, colour.pixels, image.palette,
                       indices.data()) == Status::kOk) {
        image.pixels = indices.data();
      } else {
        image.pixels = nullptr;
      }
    }
    std::vector<uint8_t> rows, indices;
    ImageBuffer image;
  };
  static const Picture picture;
  return picture.image;
}

size_t EncodeOurs(const ImageBuffer& image) {
  GifWriteContext c;
  c.bits = 8;
  CountingSink sink;
  return WriteGif(image, c, &sink) == Status::kOk ? sink.bytes : 0;
}

int CountGiflibBytes(GifFileType* gif, const GifByteType*, int size) {
  static_cast<CountingSink*>(gif->UserData)->bytes += static_cast<size_t>(size);
  return size;
}

// giflib takes the rows from the picture's top, with the same palette.
size_t EncodeGiflib(const ImageBuffer& image) {
  GifColorType colours[256];
  for (int i = 0; i < 256; ++i) {
    colours[i] = {image.palette[i].red, image.palette[i].green, image.palette[i].blue};
  }
  CountingSink sink;
  int error = 0;
  GifFileType* gif = EGifOpen(&sink, CountGiflibBytes, &error);
  if (!gif) return 0;
  ColorMapObject* map = GifMakeMapObject(256, colours);
  bool ok = map && EGifPutScreenDesc(gif, kWidth, kHeight, 8, 0, map) == GIF_OK &&
            EGifPutImageDesc(gif, 0, 0, kWidth, kHeight, false, nullptr) == GIF_OK;
  for (int y = 0; ok && y < kHeight; ++y) {
    ok = EGifPutLine(gif, RowFromTop(image, y), kWidth) == GIF_OK;
  }
  ok = EGifCloseFile(gif, &error) == GIF_OK && ok;
  GifFreeMapObject(map);
  return ok ? sink.bytes : 0;
}

void BM_GifEncode12MegapixelsAgainstGiflib(benchmark::State& state) {
  const ImageBuffer& image = ReducedPhotograph();
  if (!image.pixels) {
    state.SkipWithError("the photograph could not be reduced");
    return;
  }
  CompareEncodersOn(image, state, "giflib", EncodeOurs, EncodeGiflib);
}
BENCHMARK(BM_GifEncode12MegapixelsAgainstGiflib)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
