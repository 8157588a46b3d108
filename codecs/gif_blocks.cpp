#include "codecs/gif_blocks.h"

#include <cstring>

#include "app/little_endian.h"
#include "codecs/gif_lzw.h"

namespace {

constexpr size_t kScreenDescriptorEnd = 13;
constexpr size_t kImageDescriptorBytes = 9;
constexpr uint8_t kTableFlag = 0x80;
constexpr uint8_t kInterlaceFlag = 0x40;

constexpr uint8_t kPlainTextLabel = 0x01;
constexpr uint8_t kGraphicControlLabel = 0xF9;
constexpr uint8_t kCommentLabel = 0xFE;
constexpr uint8_t kApplicationLabel = 0xFF;

Status ReadTable(GifCursor* cursor, uint8_t packed, GifColourTable* table) {
  if (!(packed & kTableFlag)) return Status::kOk;
  const int bits = (packed & 7) + 1;
  const uint8_t* entries = nullptr;
  if (!cursor->Take(size_t{3} << bits, &entries)) return Status::kCorrupt;
  std::memcpy(table->rgb, entries, size_t{3} << bits);
  table->bits = bits;
  return Status::kOk;
}

// One sub-block: its length byte and that many bytes; length 0 ends the
// sequence.
Status NextSubBlock(GifCursor* cursor, const uint8_t** bytes, size_t* length) {
  uint8_t n = 0;
  if (!cursor->Byte(&n) || !cursor->Take(n, bytes)) return Status::kCorrupt;
  *length = n;
  return Status::kOk;
}

Status SkipSubBlocks(GifCursor* cursor) {
  for (;;) {
    const uint8_t* bytes = nullptr;
    size_t length = 0;
    if (Status s = NextSubBlock(cursor, &bytes, &length); s != Status::kOk) return s;
    if (length == 0) return Status::kOk;
  }
}

Status ReadGraphicControl(GifCursor* cursor, GifGraphicControl* control) {
  const uint8_t* bytes = nullptr;
  size_t length = 0;
  if (Status s = NextSubBlock(cursor, &bytes, &length); s != Status::kOk) return s;
  if (length == 0) return Status::kOk;
  if (length >= 4) {
    control->transparent = bytes[0] & 1;
    control->disposal = (bytes[0] >> 2) & 7;
    control->delay = LoadU16(bytes + 1);
    control->transparent_index = bytes[3];
  }
  return SkipSubBlocks(cursor);
}

// Only the first looping extension counts; its data sub-block 1 holds the
// loop count.
Status ReadApplication(GifCursor* cursor, GifExtensionFindings* findings) {
  const uint8_t* bytes = nullptr;
  size_t length = 0;
  if (Status s = NextSubBlock(cursor, &bytes, &length); s != Status::kOk) return s;
  if (length == 0) return Status::kOk;
  const bool looping = length == 11 && std::memcmp(bytes, "NETSCAPE2.0", 11) == 0;
  if (!looping || findings->looping) return SkipSubBlocks(cursor);
  findings->looping = true;
  for (;;) {
    if (Status s = NextSubBlock(cursor, &bytes, &length); s != Status::kOk) return s;
    if (length == 0) return Status::kOk;
    if (length >= 3 && bytes[0] == 1) findings->loop_count = LoadU16(bytes + 1);
  }
}

}  // namespace

Status ReadGifScreen(GifCursor* cursor, GifScreen* screen) {
  const uint8_t* head = nullptr;
  if (!cursor->Take(kScreenDescriptorEnd, &head)) return Status::kCorrupt;
  if (std::memcmp(head, "GIF87a", 6) != 0 && std::memcmp(head, "GIF89a", 6) != 0) return Status::kCorrupt;
  screen->width = LoadU16(head + 6);
  screen->height = LoadU16(head + 8);
  if (screen->width == 0 || screen->height == 0) return Status::kUnsupported;
  screen->background_index = head[11];
  return ReadTable(cursor, head[10], &screen->global);
}

Status ReadGifExtension(GifCursor* cursor, GifExtensionFindings* findings) {
  uint8_t label = 0;
  if (!cursor->Byte(&label)) return Status::kCorrupt;
  switch (label) {
    case kGraphicControlLabel:
      return ReadGraphicControl(cursor, &findings->pending);
    case kApplicationLabel:
      return ReadApplication(cursor, findings);
    case kCommentLabel:
      findings->comment = true;
      return SkipSubBlocks(cursor);
    case kPlainTextLabel:
      return SkipSubBlocks(cursor);
    default:
      return Status::kReadFailed;
  }
}

Status ReadGifImageDescriptor(GifCursor* cursor, const GifScreen& screen, GifImageDescriptor* image) {
  const uint8_t* d = nullptr;
  if (!cursor->Take(kImageDescriptorBytes, &d)) return Status::kCorrupt;
  image->left = LoadU16(d);
  image->top = LoadU16(d + 2);
  image->width = LoadU16(d + 4);
  image->height = LoadU16(d + 6);
  image->interlaced = d[8] & kInterlaceFlag;
  if (image->left + image->width > screen.width || image->top + image->height > screen.height) {
    return Status::kCorrupt;
  }
  if (image->width == 0 || image->height == 0) return Status::kUnsupported;
  if (Status s = ReadTable(cursor, d[8], &image->local); s != Status::kOk) return s;
  if (!image->local.present() && !screen.global.present()) return Status::kCorrupt;
  uint8_t min_code_size = 0;
  if (!cursor->Byte(&min_code_size)) return Status::kCorrupt;
  if (min_code_size < kGifLzwMinCodeSizeLow || min_code_size > kGifLzwMinCodeSizeHigh) return Status::kCorrupt;
  image->min_code_size = min_code_size;
  return Status::kOk;
}

uint64_t GifImageDataLimit(const GifImageDescriptor& image) {
  return uint64_t(image.width) * uint64_t(image.height) * 5 / 4 + 260;
}

Status GatherGifImageData(GifCursor* cursor, uint64_t limit, std::vector<uint8_t>* data) {
  data->clear();
  for (;;) {
    const uint8_t* bytes = nullptr;
    size_t length = 0;
    if (Status s = NextSubBlock(cursor, &bytes, &length); s != Status::kOk) return s;
    if (length == 0) break;
    if (data->size() + length > limit) return Status::kCorrupt;
    data->insert(data->end(), bytes, bytes + length);
  }
  return data->empty() ? Status::kCorrupt : Status::kOk;
}
