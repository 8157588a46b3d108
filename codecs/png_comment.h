// The "Comment" text chunk of a PNG file, read and replaced on its own for
// the comment editor. Replacing copies every other byte of the file as it
// is, so the pixels and all other chunks stay exactly as they were.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "codecs/byte_sink.h"
#include "codecs/comment_text.h"
#include "codecs/png_chunk.h"
#include "image/path.h"
#include "image/status.h"

// Characters the reader hands on, and bytes of text the writer stores.
constexpr size_t kPngCommentLimit = 4095;

// Whether a chunk's keyword is exactly "Comment" (its type is not looked at).
bool HasCommentKeyword(const PngChunk& chunk);

// The text of the first tEXt chunk of more than one byte whose CRC matches
// and whose keyword is "Comment", ready for an edit box: escape characters
// dropped, every line feed preceded by a carriage return, at most
// kPngCommentLimit characters. Empty without such a chunk. kCorrupt for data
// that are not a PNG file; kReadFailed when the chunks run out before IEND
// or a length has its top bit set.
Status ReadPngCommentBytes(const uint8_t* data, size_t size, std::string* text);
Status ReadPngComment(const PathChar* path, std::string* text);

// Writes the PNG file with its first comment chunk (the one the reader
// shows) replaced. *flag on entry: non-zero to store `text` (carriage
// returns removed, at most kPngCommentLimit bytes), zero to store none.
// Without an old chunk the new one goes right before IEND; with neither an
// old chunk nor a new one nothing is written at all. *why, when given,
// tells what stopped a failure: kCorrupt for data that are not a PNG file,
// kCannotWrite when the chunks run out or the output fails.
int ReplacePngCommentBytes(const uint8_t* data, size_t size, std::string_view text, int* flag,
                           ByteSink* out, Status* why = nullptr);

// The same from one file into a new one; `output` is only created when
// there is something to write, and holds a partial file after a failure.
int ReplacePngComment(const PathChar* source, const PathChar* output, std::string_view text,
                      int* flag, Status* why = nullptr);
