// Turning the decoded indices of GIF images into pictures: the 8-bit still
// of the first image, or the full-canvas 24-bit frames of an animation with
// each frame's disposal and transparency.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "codecs/gif_blocks.h"
#include "image/animation_frames.h"
#include "image/decode_settings.h"
#include "image/image_buffer.h"
#include "image/page_memory.h"

// One decoded image: its rectangle on the screen, its indices as the file
// stores its rows, the colour table that applies and its graphic control.
struct GifPicture {
  const GifImageDescriptor* descriptor;
  const uint8_t* indices;  // width x height
  const GifColourTable* table;
  GifGraphicControl control;
};

struct Bgr {
  uint8_t blue = 0, green = 0, red = 0;
};

// What shows where an image leaves the screen or a frame is disposed of:
// the file's background colour when wanted and known, else the setting.
Bgr GifFillColour(const GifScreen& screen, const PngReadSettings& settings);

// For each row of the picture, top first, the row of the stored indices
// that holds it (interlaced images store four passes of rows).
std::vector<int> GifRowOrder(int height, bool interlaced);

// The 8-bit picture of the logical screen with the one image on it.
Status MakeGifStill(const GifScreen& screen, const GifPicture& picture, const PngReadSettings& settings,
                    ImageBuffer* target);

// Builds the frames one by one. The first frame's canvas is the target's
// pixels; later canvases go to the frame list, within the memory an
// animation may take.
class GifAnimation {
 public:
  GifAnimation(const GifScreen& screen, Bgr fill, int loop_count,
               uint64_t memory_limit = kAnimationMemoryLimit);

  // False when the frame was not added: the status then says why, or is
  // kOk when the memory for animations is used up (the list is marked
  // truncated and reading should stop).
  bool AddFrame(const GifPicture& picture, ImageBuffer* target, Status* status);

  int frame_count() const { return list_->frame_count(); }
  // Hands the frame list to the target.
  void Finish(ImageBuffer* target);

 private:
  uint8_t* StartCanvas(ImageBuffer* target, Status* status);
  void Draw(const GifPicture& picture, uint8_t* canvas) const;
  void Fill(uint8_t* canvas, int left, int top, int width, int height) const;

  const GifScreen& screen_;
  const Bgr fill_;
  const uint64_t memory_limit_;
  uint32_t canvas_bytes_ = 0;
  uint64_t memory_used_ = 0;
  std::unique_ptr<AnimationFrameList> list_;
  uint8_t* previous_ = nullptr;  // the last frame's canvas
  GifImageDescriptor previous_rect_;
  int previous_disposal_ = 0;
  // The canvas as it was before the last frame was drawn, kept only while
  // that frame asks to be undone once shown.
  PageBlock restore_;
};
