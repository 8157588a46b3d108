// The COM segment of a JPEG file, read and replaced on its own for the
// comment editor. Replacing copies every other byte of the file as it is, so
// the image data and all other segments stay exactly as they were.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "codecs/byte_sink.h"
#include "codecs/comment_text.h"
#include "image/path.h"
#include "image/status.h"

// Characters the reader hands on (the edit box keeps one for its zero).
constexpr size_t kJpegCommentReadLimit = 4094;
// Bytes of text the writer stores.
constexpr size_t kJpegCommentLimit = 4095;

// The text of the first COM segment before the image data, ready for an
// edit box: escape characters dropped, every line feed preceded by a
// carriage return, at most kJpegCommentReadLimit characters. Empty without
// one. kCorrupt for data that do not start as a JPEG file; kReadFailed for a
// broken segment before the comment.
Status ReadJpegCommentBytes(const uint8_t* data, size_t size, std::string* text);
Status ReadJpegComment(const PathChar* path, std::string* text);

// Writes the JPEG file with its first COM segment replaced, with the results
// and flag of the comment editor (codecs/comment_text.h). *flag on entry:
// non-zero to store `text` (carriage returns removed, at most
// kJpegCommentLimit bytes), zero to store none. Without an old segment the
// new one goes behind SOI and the APPn segments that follow it. *why, when
// given, tells what stopped a failure: kCorrupt for data that do not start
// as a JPEG file, kCannotWrite for a broken segment or a failed output.
int ReplaceJpegCommentBytes(const uint8_t* data, size_t size, std::string_view text, int* flag,
                            ByteSink* out, Status* why = nullptr);
int ReplaceJpegComment(const PathChar* source, const PathChar* output, std::string_view text,
                       int* flag, Status* why = nullptr);
