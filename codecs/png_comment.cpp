#include "codecs/png_comment.h"

#include <cstring>

#include "codecs/big_endian.h"
#include "codecs/png_crc.h"

namespace {

constexpr char kKeyword[] = "Comment";  // sizeof counts the zero byte that ends it
constexpr uint32_t kHeaderLength = 13;

// The signature and a header chunk of its one possible length: enough to
// know the walk behind it starts where the chunks do.
bool LooksLikePng(const uint8_t* data, size_t size) {
  return size >= kPngFirstChunkEnd && HasPngSignature(data, size) &&
         LoadU32Be(data + kPngSignatureBytes) == kHeaderLength &&
         LoadU32Be(data + kPngSignatureBytes + 4) == PngChunkType("IHDR");
}

// The reader's rule for counting a comment, so the chunk the editor shows
// and replaces is the one the document counted.
bool IsCommentChunk(const PngChunk& chunk) {
  return chunk.type == PngChunkType("tEXt") && chunk.length > 1 && HasCommentKeyword(chunk) &&
         chunk.CrcMatches();
}

// Walks the chunks behind the header up to the first comment chunk, or up
// to IEND when there is none; *found says which one *place is.
Status FindCommentPlace(const uint8_t* data, size_t size, PngChunk* place, bool* found) {
  const uint8_t* const end = data + size;
  const uint8_t* at = data + kPngFirstChunkEnd;
  for (;;) {
    if (Status s = ChunkAt(at, end, place); s != Status::kOk) return s;
    *found = IsCommentChunk(*place);
    if (*found || place->type == PngChunkType("IEND")) return Status::kOk;
    at = place->next();
  }
}

std::string CommentChunk(std::string_view text) {
  std::string body = "tEXt";
  body.append(kKeyword, sizeof(kKeyword));
  body.append(StoredText(text, kPngCommentLimit));  // lines end with a line feed alone
  const auto* bytes = reinterpret_cast<const uint8_t*>(body.data());
  uint8_t length[4], crc[4];
  StoreU32Be(static_cast<uint32_t>(body.size() - 4), length);
  StoreU32Be(PngCrc(0, bytes, body.size()), crc);
  std::string chunk(reinterpret_cast<const char*>(length), 4);
  chunk.append(body);
  chunk.append(reinterpret_cast<const char*>(crc), 4);
  return chunk;
}

Status PlanCommentEdit(const uint8_t* data, size_t size, bool store, CommentEdit* edit) {
  if (!LooksLikePng(data, size)) return Status::kCorrupt;
  PngChunk place;
  bool found = false;
  if (FindCommentPlace(data, size, &place, &found) != Status::kOk) return Status::kCannotWrite;
  *edit = {data, place.start, found ? place.next() : place.start, data + size, found, store};
  return Status::kOk;
}

constexpr CommentFormat kPngComment = {PlanCommentEdit, CommentChunk};

}  // namespace

bool HasCommentKeyword(const PngChunk& chunk) {
  return chunk.length >= sizeof(kKeyword) &&
         std::memcmp(chunk.data(), kKeyword, sizeof(kKeyword)) == 0;
}

Status ReadPngCommentBytes(const uint8_t* data, size_t size, std::string* text) {
  text->clear();
  if (!LooksLikePng(data, size)) return Status::kCorrupt;
  PngChunk place;
  bool found = false;
  if (FindCommentPlace(data, size, &place, &found) != Status::kOk) return Status::kReadFailed;
  if (found)
    *text = EditBoxText(place.data() + sizeof(kKeyword), place.length - sizeof(kKeyword),
                        kPngCommentLimit);
  return Status::kOk;
}

Status ReadPngComment(const PathChar* path, std::string* text) {
  return ReadCommentFromFile(ReadPngCommentBytes, path, text);
}

int ReplacePngCommentBytes(const uint8_t* data, size_t size, std::string_view text, int* flag,
                           ByteSink* out, Status* why) {
  return ReplaceCommentBytes(kPngComment, data, size, text, flag, out, why);
}

int ReplacePngComment(const PathChar* source, const PathChar* output, std::string_view text,
                      int* flag, Status* why) {
  return ReplaceCommentInFile(kPngComment, source, output, text, flag, why);
}
