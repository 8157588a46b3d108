// Decoding GIF files by our reader and by giflib 5 asked for the same
// result: a 4000 x 3000 still into an 8-bit picture of the screen, and a
// 200-frame 500 x 500 animation with every disposal into full 24-bit
// canvases. giflib reads the files whole (DGifSlurp) and the canvases are
// composed here as our reader composes them, so both do the same work; the
// equal pixels of the two decodes confirm it. The files are written with
// giflib's encoder before the runs.
#include <benchmark/benchmark.h>
#include <gif_lib.h>

#include <chrono>
#include <cstring>
#include <vector>

#include "bench/synthetic_photograph.h"
#include "codecs/gif_reader.h"
#include "image/animation_frames.h"
#include "image/image_buffer.h"

namespace {

using Bytes = std::vector<uint8_t>;

constexpr int kStillWidth = 4000, kStillHeight = 3000;
constexpr int kScreen = 500, kFrames = 200;

int WriteToBytes(GifFileType* gif, const GifByteType* data, int size) {
  static_cast<Bytes*>(gif->UserData)->insert(static_cast<Bytes*>(gif->UserData)->end(), data, data + size);
  return size;
}

// 256 colours: 3 bits of red and green, 2 of blue.
ColorMapObject* ColourCube() {
  GifColorType colours[256];
  for (int i = 0; i < 256; ++i) {
    colours[i] = {GifByteType((i >> 5) * 255 / 7), GifByteType(((i >> 2) & 7) * 255 / 7), GifByteType((i & 3) * 85)};
  }
  return GifMakeMapObject(256, colours);
}

uint8_t CubeIndex(const uint8_t* bgr) { return uint8_t((bgr[2] >> 5) << 5 | (bgr[1] >> 5) << 2 | bgr[0] >> 6); }

struct Writer {
  Writer() : gif(EGifOpen(&bytes, WriteToBytes, nullptr)) { EGifSetGifVersion(gif, true); }
  Bytes Close() {
    EGifCloseFile(gif, nullptr);
    return bytes;
  }
  Bytes bytes;
  GifFileType* gif;
};

Bytes MakeStill() {
  std::vector<uint8_t> bgr = SyntheticPhotograph(kStillWidth, kStillHeight);
  Writer w;
  ColorMapObject* map = ColourCube();
  EGifPutScreenDesc(w.gif, kStillWidth, kStillHeight, 8, 0, map);
  EGifPutImageDesc(w.gif, 0, 0, kStillWidth, kStillHeight, false, nullptr);
  std::vector<GifPixelType> line(kStillWidth);
  const size_t stride = RowStride(kStillWidth, 24);
  for (int y = 0; y < kStillHeight; ++y) {
    const uint8_t* row = bgr.data() + size_t(kStillHeight - 1 - y) * stride;
    for (int x = 0; x < kStillWidth; ++x) line[size_t(x)] = CubeIndex(row + 3 * x);
    EGifPutLine(w.gif, line.data(), kStillWidth);
  }
  GifFreeMapObject(map);
  return w.Close();
}

// Frames of moving, growing rectangles, cycling through the disposals,
// every third with a transparent index.
Bytes MakeAnimation() {
  Writer w;
  ColorMapObject* map = ColourCube();
  EGifPutScreenDesc(w.gif, kScreen, kScreen, 8, 0, map);
  const GifByteType loop[3] = {1, 0, 0};
  EGifPutExtensionLeader(w.gif, APPLICATION_EXT_FUNC_CODE);
  EGifPutExtensionBlock(w.gif, 11, "NETSCAPE2.0");
  EGifPutExtensionBlock(w.gif, 3, loop);
  EGifPutExtensionTrailer(w.gif);
  for (int f = 0; f < kFrames; ++f) {
    const int size = f == 0 ? kScreen : 100 + (f * 37) % 300;
    const int left = f == 0 ? 0 : (f * 53) % (kScreen - size), top = f == 0 ? 0 : (f * 29) % (kScreen - size);
    const bool transparent = f % 3 == 1;
    const GifByteType control[4] = {GifByteType((f % 4) << 2 | (transparent ? 1 : 0)), 4, 0, 7};
    EGifPutExtension(w.gif, GRAPHICS_EXT_FUNC_CODE, 4, control);
    EGifPutImageDesc(w.gif, left, top, size, size, false, nullptr);
    std::vector<GifPixelType> line(static_cast<size_t>(size));
    for (int y = 0; y < size; ++y) {
      for (int x = 0; x < size; ++x) line[size_t(x)] = GifPixelType(((x / 8) ^ (y / 8)) * 7 + f);
      EGifPutLine(w.gif, line.data(), size);
    }
  }
  GifFreeMapObject(map);
  return w.Close();
}

const Bytes& Sample(bool animation) {
  static const Bytes files[] = {MakeStill(), MakeAnimation()};
  return files[animation ? 1 : 0];
}

struct Reading {
  const Bytes* bytes;
  size_t at = 0;
};

int ReadFromBytes(GifFileType* gif, GifByteType* data, int size) {
  Reading* r = static_cast<Reading*>(gif->UserData);
  const size_t n = std::min(size_t(size), r->bytes->size() - r->at);
  std::memcpy(data, r->bytes->data() + r->at, n);
  r->at += n;
  return int(n);
}

// giflib's decode into the pictures our reader makes.
struct GiflibPictures {
  std::vector<Bytes> canvases;
};

void FillRect(uint8_t* canvas, int left, int top, int width, int height, const GifColorType& c) {
  const size_t stride = RowStride(kScreen, 24);
  for (int y = top; y < top + height; ++y) {
    uint8_t* p = canvas + size_t(kScreen - 1 - y) * stride + size_t(left) * 3;
    for (int x = 0; x < width; ++x, p += 3) p[0] = c.Blue, p[1] = c.Green, p[2] = c.Red;
  }
}

void Compose(GifFileType* gif, GiflibPictures* out) {
  const size_t bytes = RowStride(kScreen, 24) * kScreen;
  const GifColorType fill = gif->SColorMap->Colors[gif->SBackGroundColor];
  Bytes restore;
  int previous_disposal = 0;
  GifImageDesc previous{};
  for (int i = 0; i < gif->ImageCount; ++i) {
    const SavedImage& image = gif->SavedImages[i];
    GraphicsControlBlock gcb{};
    gcb.TransparentColor = NO_TRANSPARENT_COLOR;
    DGifSavedExtensionToGCB(gif, i, &gcb);
    Bytes canvas(bytes + 4);
    if (i == 0) {
      FillRect(canvas.data(), 0, 0, kScreen, kScreen, fill);
    } else {
      canvas = previous_disposal == DISPOSE_PREVIOUS ? restore : out->canvases.back();
      if (previous_disposal == DISPOSE_BACKGROUND)
        FillRect(canvas.data(), previous.Left, previous.Top, previous.Width, previous.Height, fill);
    }
    if (gcb.DisposalMode == DISPOSE_PREVIOUS) restore = canvas;
    const GifImageDesc& d = image.ImageDesc;
    const ColorMapObject* map = d.ColorMap ? d.ColorMap : gif->SColorMap;
    const size_t stride = RowStride(kScreen, 24);
    for (int y = 0; y < d.Height; ++y) {
      const GifByteType* index = image.RasterBits + size_t(y) * size_t(d.Width);
      uint8_t* p = canvas.data() + size_t(kScreen - 1 - d.Top - y) * stride + size_t(d.Left) * 3;
      for (int x = 0; x < d.Width; ++x, p += 3) {
        if (index[x] == gcb.TransparentColor) continue;
        const GifColorType& c = map->Colors[index[x]];
        p[0] = c.Blue, p[1] = c.Green, p[2] = c.Red;
      }
    }
    previous_disposal = gcb.DisposalMode;
    previous = d;
    out->canvases.push_back(std::move(canvas));
  }
}

// The still: the screen of indices, bottom row first, padded rows.
void Place(GifFileType* gif, GiflibPictures* out) {
  const GifImageDesc& d = gif->SavedImages[0].ImageDesc;
  const size_t stride = RowStride(gif->SWidth, 8);
  Bytes canvas(stride * size_t(gif->SHeight) + 4, 0);
  for (int y = 0; y < gif->SHeight; ++y) std::memset(&canvas[size_t(gif->SHeight - 1 - y) * stride], gif->SBackGroundColor, size_t(gif->SWidth));
  for (int y = 0; y < d.Height; ++y) {
    std::memcpy(&canvas[size_t(gif->SHeight - 1 - d.Top - y) * stride + size_t(d.Left)],
                gif->SavedImages[0].RasterBits + size_t(y) * size_t(d.Width), size_t(d.Width));
  }
  out->canvases.push_back(std::move(canvas));
}

bool DecodeWithGiflib(const Bytes& bytes, bool animation, GiflibPictures* out) {
  Reading reading{&bytes};
  GifFileType* gif = DGifOpen(&reading, ReadFromBytes, nullptr);
  if (!gif) return false;
  const bool read = DGifSlurp(gif) == GIF_OK && gif->ImageCount > 0;
  if (read) animation ? Compose(gif, out) : Place(gif, out);
  DGifCloseFile(gif, nullptr);
  return read;
}

bool SamePictures(const ImageBuffer& ours, const GiflibPictures& theirs) {
  const size_t bytes = size_t{Stride(ours)} * size_t(ours.header.height);
  const int frames = ours.animation ? ours.animation->frame_count() : 1;
  if (size_t(frames) != theirs.canvases.size()) return false;
  for (int i = 0; i < frames; ++i) {
    const uint8_t* canvas = ours.animation ? FrameCanvas(*ours.animation, ours.pixels, i) : ours.pixels;
    if (std::memcmp(canvas, theirs.canvases[size_t(i)].data(), bytes) != 0) return false;
  }
  return true;
}

double Seconds(std::chrono::steady_clock::duration d) { return std::chrono::duration<double>(d).count(); }

void BM_GifDecode(benchmark::State& state) {
  const bool animation = state.range(0) != 0;
  const Bytes& bytes = Sample(animation);
  DecodeSettings settings;
  settings.animation = animation;
  double ours = 0, theirs = 0;
  bool same = true;
  for (auto _ : state) {
    OwnedImage image;
    GiflibPictures pictures;
    auto t0 = std::chrono::steady_clock::now();
    const Status status = ReadGifBytes(bytes.data(), bytes.size(), settings, &image.record);
    auto t1 = std::chrono::steady_clock::now();
    const bool giflib = DecodeWithGiflib(bytes, animation, &pictures);
    auto t2 = std::chrono::steady_clock::now();
    if (status != Status::kOk) state.SkipWithError("our reader failed");
    if (!giflib) state.SkipWithError("giflib failed");
    ours += Seconds(t1 - t0);
    theirs += Seconds(t2 - t1);
    state.SetIterationTime(Seconds(t1 - t0));
    same = same && status == Status::kOk && giflib && SamePictures(image.record, pictures);
  }
  state.counters["giflib_ms"] = 1000 * theirs / double(state.iterations());
  state.counters["ours/giflib"] = ours / theirs;
  state.counters["file_MB"] = double(bytes.size()) / 1e6;
  state.counters["same_pixels"] = same;
}
BENCHMARK(BM_GifDecode)->Arg(0)->Arg(1)->ArgName("animation")->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
