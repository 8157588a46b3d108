#include "codecs/png_text_info.h"

#include <algorithm>
#include <string_view>

#include "codecs/png_chunk.h"
#include "image/code_page_text.h"

namespace {

constexpr char kEscape = 27;

// At most `limit` bytes, escape characters left out: they would only
// garble a list view row.
std::u16string ShownText(std::string_view bytes, size_t limit) {
  std::string kept(bytes.substr(0, limit));
  kept.erase(std::remove(kept.begin(), kept.end(), kEscape), kept.end());
  return Utf16FromAnsi(kept);
}

bool ReadEntry(const PngChunk& chunk, PngTextEntry* entry) {
  if (chunk.type != PngChunkType("tEXt") || chunk.length <= 1 || !chunk.CrcMatches()) return false;
  const std::string_view body(reinterpret_cast<const char*>(chunk.data()), chunk.length);
  const size_t zero = body.find('\0');
  const std::string_view keyword = body.substr(0, zero);
  if (keyword.empty()) return false;
  const std::string_view text = zero == std::string_view::npos ? std::string_view() : body.substr(zero + 1);
  entry->keyword = ShownText(keyword, kPngKeywordLimit);
  entry->text = ShownText(text, kPngTextLimit);
  return true;
}

}  // namespace

bool ReadPngTexts(const uint8_t* data, size_t size, PngTextList* out) {
  out->entries.clear();
  if (size < kPngFirstChunkEnd || !HasPngSignature(data, size)) return false;
  const uint8_t* const end = data + size;
  PngChunk chunk;
  for (const uint8_t* at = data + kPngFirstChunkEnd;
       out->entries.size() < kPngTextEntryLimit && ChunkAt(at, end, &chunk) == Status::kOk &&
       chunk.type != PngChunkType("IEND");
       at = chunk.next()) {
    PngTextEntry entry;
    if (ReadEntry(chunk, &entry)) out->entries.push_back(std::move(entry));
  }
  return !out->entries.empty();
}
