// The block structure of a GIF file: the header and logical screen, colour
// tables, extensions and image descriptors, each sub-block checked against
// the end of the data.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "image/status.h"

constexpr uint8_t kGifExtensionIntroducer = 0x21;
constexpr uint8_t kGifImageSeparator = 0x2C;
constexpr uint8_t kGifTrailer = 0x3B;

struct GifColourTable {
  uint8_t rgb[256][3] = {};  // red, green, blue; entries the file lacks stay black
  int bits = 0;              // 2^bits entries; 0 when the file has no such table
  bool present() const { return bits > 0; }
};

struct GifScreen {
  int width = 0;
  int height = 0;
  uint8_t background_index = 0;
  GifColourTable global;
};

// What a graphic control extension says about the image after it.
struct GifGraphicControl {
  bool transparent = false;
  uint8_t transparent_index = 0;
  int disposal = 0;
  uint16_t delay = 0;  // hundredths of a second
};

struct GifImageDescriptor {
  int left = 0, top = 0, width = 0, height = 0;
  bool interlaced = false;
  GifColourTable local;
  int min_code_size = 0;
};

// What the extensions met so far have said.
struct GifExtensionFindings {
  GifGraphicControl pending;  // for the next image
  bool looping = false;       // a looping (NETSCAPE2.0) extension was met
  int loop_count = 0;         // from the first one
  bool comment = false;
};

// Reads forward through the data; remembers when a read wanted bytes past
// the end, which tells a cut-off file from a broken one.
class GifCursor {
 public:
  GifCursor(const uint8_t* at, const uint8_t* end) : at_(at), end_(end) {}

  // Points `bytes` at the next n bytes and moves past them.
  bool Take(size_t n, const uint8_t** bytes) {
    if (static_cast<size_t>(end_ - at_) < n) {
      ran_out_ = true;
      return false;
    }
    *bytes = at_;
    at_ += n;
    return true;
  }
  bool Byte(uint8_t* value) {
    const uint8_t* b = nullptr;
    if (!Take(1, &b)) return false;
    *value = *b;
    return true;
  }
  bool ran_out() const { return ran_out_; }

 private:
  const uint8_t* at_;
  const uint8_t* end_;
  bool ran_out_ = false;
};

// The signature, the logical screen descriptor and the global colour table.
Status ReadGifScreen(GifCursor* cursor, GifScreen* screen);

// The extension after its introducer: its label and sub-blocks.
Status ReadGifExtension(GifCursor* cursor, GifExtensionFindings* findings);

// The image descriptor after its separator, its local colour table and the
// LZW minimum code size.
Status ReadGifImageDescriptor(GifCursor* cursor, const GifScreen& screen, GifImageDescriptor* image);

// Joins the image data sub-blocks into `data`, which grows only with the
// bytes the file really holds; more than `limit` bytes, or none, is corrupt.
Status GatherGifImageData(GifCursor* cursor, uint64_t limit, std::vector<uint8_t>* data);

// The most image data an image of the descriptor's size may carry.
uint64_t GifImageDataLimit(const GifImageDescriptor& image);
