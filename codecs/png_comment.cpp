#include "codecs/png_comment.h"

#include <cstring>

#include "codecs/big_endian.h"
#include "codecs/output_file.h"
#include "codecs/png_crc.h"
#include "image/file_access.h"

namespace {

constexpr char kKeyword[] = "Comment";  // sizeof counts the zero byte that ends it
constexpr char kEscape = 27;
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

// Line ends as an edit box needs them. A line feed whose carriage return
// would not fit goes too, so the text never ends in half a line end.
std::string EditBoxText(const uint8_t* text, size_t size) {
  std::string out;
  char previous = 0;
  for (size_t i = 0; i < size; ++i) {
    const char c = static_cast<char>(text[i]);
    if (c == kEscape) continue;
    const bool needs_return = c == '\n' && previous != '\r';
    if (out.size() + (needs_return ? 2 : 1) > kPngCommentLimit) break;
    if (needs_return) out.push_back('\r');
    out.push_back(c);
    previous = c;
  }
  return out;
}

// PNG text ends its lines with a line feed alone.
std::string StoredText(std::string_view text) {
  std::string stored;
  for (char c : text) {
    if (c == '\r') continue;
    if (stored.size() == kPngCommentLimit) break;
    stored.push_back(c);
  }
  return stored;
}

bool WriteCommentChunk(std::string_view text, ByteSink* out) {
  std::string body = "tEXt";
  body.append(kKeyword, sizeof(kKeyword));
  body.append(StoredText(text));
  const auto* bytes = reinterpret_cast<const uint8_t*>(body.data());
  uint8_t length[4], crc[4];
  StoreU32Be(static_cast<uint32_t>(body.size() - 4), length);
  StoreU32Be(PngCrc(0, bytes, body.size()), crc);
  return out->Write(length, 4) && out->Write(bytes, body.size()) && out->Write(crc, 4);
}

// What a replacement copies and what it puts between: the bytes before
// `cut`, the new chunk when `store`, then the bytes from `resume` on.
struct CommentEdit {
  const uint8_t* data = nullptr;
  const uint8_t* cut = nullptr;
  const uint8_t* resume = nullptr;
  const uint8_t* end = nullptr;
  bool found = false;
  bool store = false;

  bool needed() const { return store || found; }
  int flag() const {
    if (!store) return kCommentNone;
    return found ? kCommentReplaced : kCommentAdded;
  }
};

Status PlanCommentEdit(const uint8_t* data, size_t size, bool store, CommentEdit* edit) {
  if (!LooksLikePng(data, size)) return Status::kCorrupt;
  PngChunk place;
  bool found = false;
  if (FindCommentPlace(data, size, &place, &found) != Status::kOk) return Status::kCannotWrite;
  *edit = {data, place.start, found ? place.next() : place.start, data + size, found, store};
  return Status::kOk;
}

bool WriteCommentEdit(const CommentEdit& edit, std::string_view text, ByteSink* out) {
  return out->Write(edit.data, static_cast<size_t>(edit.cut - edit.data)) &&
         (!edit.store || WriteCommentChunk(text, out)) &&
         out->Write(edit.resume, static_cast<size_t>(edit.end - edit.resume));
}

// The output file, made with the first byte written to it: when there is
// nothing to do, no file appears.
class OutputOnFirstWrite final : public ByteSink {
 public:
  explicit OutputOnFirstWrite(const PathChar* path) : path_(path) {}
  bool Write(const void* data, size_t size) override {
    if (!created_) {
      created_ = true;
      if (!file_.Create(path_)) return false;
    }
    return file_.Write(data, size);
  }
  bool Close() { return file_.Close(); }

 private:
  const PathChar* path_;
  bool created_ = false;
  OutputFile file_;
};

int Failed(Status status, Status* why) {
  if (why) *why = status;
  return kCommentWriteFailed;
}

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
  if (found) *text = EditBoxText(place.data() + sizeof(kKeyword), place.length - sizeof(kKeyword));
  return Status::kOk;
}

Status ReadPngComment(const PathChar* path, std::string* text) {
  text->clear();
  MappedFile file;
  if (!file.Open(path, MapMode::kReadOnly)) return Status::kReadFailed;
  return ReadPngCommentBytes(file.data(), file.size(), text);
}

int ReplacePngCommentBytes(const uint8_t* data, size_t size, std::string_view text, int* flag,
                           ByteSink* out, Status* why) {
  const bool store = *flag != 0;
  *flag = kCommentNone;
  if (why) *why = Status::kOk;
  CommentEdit edit;
  if (Status s = PlanCommentEdit(data, size, store, &edit); s != Status::kOk) return Failed(s, why);
  if (!edit.needed()) return kCommentNothingToDo;
  if (!WriteCommentEdit(edit, text, out)) return Failed(Status::kCannotWrite, why);
  *flag = edit.flag();
  return kCommentWritten;
}

int ReplacePngComment(const PathChar* source, const PathChar* output, std::string_view text,
                      int* flag, Status* why) {
  MappedFile file;
  if (!file.Open(source, MapMode::kReadOnly)) {
    *flag = kCommentNone;
    return Failed(Status::kCannotWrite, why);
  }
  OutputOnFirstWrite out(output);
  const int result = ReplacePngCommentBytes(file.data(), file.size(), text, flag, &out, why);
  if (!out.Close() && result == kCommentWritten) {
    *flag = kCommentNone;
    return Failed(Status::kCannotWrite, why);
  }
  return result;
}
