#include "codecs/gif_frames.h"

#include <cstring>

#include "codecs/gif_interlace.h"

namespace {

constexpr int kDisposeToBackground = 2;
constexpr int kDisposeToPrevious = 3;

// The table's colours in the canvas byte order, indexed by palette index.
struct CanvasColours {
  Bgr colour[256];
  explicit CanvasColours(const GifColourTable& table) {
    for (int i = 0; i < 256; ++i) colour[i] = {table.rgb[i][2], table.rgb[i][1], table.rgb[i][0]};
  }
};

uint8_t* CanvasRowFromTop(uint8_t* canvas, int height, uint64_t stride, int row) {
  return canvas + static_cast<size_t>(height - 1 - row) * stride;
}

}  // namespace

Bgr GifFillColour(const GifScreen& screen, const PngReadSettings& settings) {
  if (settings.use_file_background && screen.global.present()) {
    const uint8_t* rgb = screen.global.rgb[screen.background_index];
    return {rgb[2], rgb[1], rgb[0]};
  }
  const uint32_t c = settings.background_colour;
  return {uint8_t(c >> 16), uint8_t(c >> 8), uint8_t(c)};
}

std::vector<int> GifRowOrder(int height, bool interlaced) {
  std::vector<int> stored(static_cast<size_t>(height));
  if (!interlaced) {
    for (int y = 0; y < height; ++y) stored[static_cast<size_t>(y)] = y;
    return stored;
  }
  int next = 0;
  for (int pass = 0; pass < kGifInterlacePasses; ++pass) {
    for (uint32_t y = kGifPassStart[pass]; y < uint32_t(height); y += kGifPassStep[pass]) stored[y] = next++;
  }
  return stored;
}

Status MakeGifStill(const GifScreen& screen, const GifPicture& picture, const PngReadSettings& settings,
                    ImageBuffer* target) {
  if (Status s = AllocatePixels(target, screen.width, screen.height, 8); s != Status::kOk) return s;
  for (int i = 0; i < 256; ++i) {
    const uint8_t* rgb = picture.table->rgb[i];
    target->palette[i] = {rgb[2], rgb[1], rgb[0], 0};
  }
  if (settings.composite_transparency && picture.control.transparent) {
    const Bgr fill = GifFillColour(screen, settings);
    target->palette[picture.control.transparent_index] = {fill.blue, fill.green, fill.red, 0};
  }
  const GifImageDescriptor& d = *picture.descriptor;
  const std::vector<int> stored = GifRowOrder(d.height, d.interlaced);
  for (int y = 0; y < screen.height; ++y) {
    uint8_t* row = RowFromTop(*target, y);
    std::memset(row, screen.background_index, static_cast<size_t>(screen.width));
    if (y < d.top || y >= d.top + d.height) continue;
    const size_t from = static_cast<size_t>(stored[static_cast<size_t>(y - d.top)]) * static_cast<size_t>(d.width);
    std::memcpy(row + d.left, picture.indices + from, static_cast<size_t>(d.width));
  }
  return Status::kOk;
}

GifAnimation::GifAnimation(const GifScreen& screen, Bgr fill, int loop_count, uint64_t memory_limit)
    : screen_(screen), fill_(fill), memory_limit_(memory_limit), list_(std::make_unique<AnimationFrameList>()) {
  list_->loop_count = loop_count;
}

bool GifAnimation::AddFrame(const GifPicture& picture, ImageBuffer* target, Status* status) {
  uint8_t* canvas = StartCanvas(target, status);
  if (!canvas) return false;
  if (picture.control.disposal == kDisposeToPrevious) {
    if (!restore_) restore_ = PageBlock(canvas_bytes_);
    if (!restore_) {
      *status = Status::kNoMemory;
      return false;
    }
    std::memcpy(restore_.data(), canvas, canvas_bytes_);
  } else {
    restore_.Reset();
  }
  Draw(picture, canvas);
  previous_ = canvas;
  previous_rect_ = *picture.descriptor;
  previous_disposal_ = picture.control.disposal;
  list_->frames.back().delay = picture.control.delay;
  return true;
}

// The canvas a new frame is drawn on: the fill colour for the first; for
// the others the last canvas after the last frame's disposal.
uint8_t* GifAnimation::StartCanvas(ImageBuffer* target, Status* status) {
  if (list_->frames.empty()) {
    *status = AllocatePixels(target, screen_.width, screen_.height, 24);
    if (*status != Status::kOk) return nullptr;
    canvas_bytes_ = static_cast<uint32_t>(Stride(*target) * static_cast<uint64_t>(screen_.height));
    memory_used_ = canvas_bytes_;
    list_->frames.emplace_back();
    Fill(target->pixels, 0, 0, screen_.width, screen_.height);
    return target->pixels;
  }
  *status = Status::kOk;
  PageBlock block;
  if (memory_used_ + canvas_bytes_ <= memory_limit_) block = PageBlock(PixelAllocationBytes(canvas_bytes_));
  if (!block) {
    list_->truncated = true;
    return nullptr;
  }
  memory_used_ += canvas_bytes_;
  uint8_t* canvas = block.data();
  const bool restoring = previous_disposal_ == kDisposeToPrevious;
  std::memcpy(canvas, restoring ? restore_.data() : previous_, canvas_bytes_);
  if (previous_disposal_ == kDisposeToBackground) {
    const GifImageDescriptor& r = previous_rect_;
    Fill(canvas, r.left, r.top, r.width, r.height);
  }
  list_->frames.push_back({std::move(block), 0});
  return canvas;
}

void GifAnimation::Fill(uint8_t* canvas, int left, int top, int width, int height) const {
  const uint64_t stride = RowStride(screen_.width, 24);
  for (int y = top; y < top + height; ++y) {
    uint8_t* p = CanvasRowFromTop(canvas, screen_.height, stride, y) + size_t(left) * 3;
    for (int x = 0; x < width; ++x, p += 3) {
      p[0] = fill_.blue;
      p[1] = fill_.green;
      p[2] = fill_.red;
    }
  }
}

void GifAnimation::Draw(const GifPicture& picture, uint8_t* canvas) const {
  const CanvasColours colours(*picture.table);
  const GifImageDescriptor& d = *picture.descriptor;
  const std::vector<int> stored = GifRowOrder(d.height, d.interlaced);
  const uint64_t stride = RowStride(screen_.width, 24);
  const int transparent = picture.control.transparent ? picture.control.transparent_index : -1;
  for (int y = 0; y < d.height; ++y) {
    const uint8_t* index = picture.indices + size_t(stored[size_t(y)]) * size_t(d.width);
    uint8_t* p = CanvasRowFromTop(canvas, screen_.height, stride, d.top + y) + size_t(d.left) * 3;
    for (int x = 0; x < d.width; ++x, p += 3) {
      if (index[x] == transparent) continue;
      const Bgr& c = colours.colour[index[x]];
      p[0] = c.blue;
      p[1] = c.green;
      p[2] = c.red;
    }
  }
}

void GifAnimation::Finish(ImageBuffer* target) { SetAnimation(target, list_.release()); }
