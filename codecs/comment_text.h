// What the comment editors of every format share: the edit box's view of a
// stored comment, the stored form of an edited one, the write operation's
// results, and an output file that only appears once there is something to
// write.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "codecs/byte_sink.h"
#include "codecs/output_file.h"
#include "image/path.h"
#include "image/status.h"

// What the comment editor's write operation returns.
constexpr int kCommentWritten = 1;
constexpr int kCommentNothingToDo = 0;
constexpr int kCommentWriteFailed = 255;

// What *flag says on return.
constexpr int kCommentAdded = 1;     // a new comment, where there was none
constexpr int kCommentReplaced = 0;  // a new comment in place of the old one
constexpr int kCommentNone = -1;     // no new comment was written

// Stored text as an edit box needs it: escape characters dropped, every line
// feed preceded by a carriage return, at most `limit` characters.
std::string EditBoxText(const uint8_t* text, size_t size, size_t limit);

// Edited text as files store it: carriage returns removed, at most `limit`
// bytes.
std::string StoredText(std::string_view text, size_t limit);

// The output file, made with the first byte written to it: when there is
// nothing to do, no file appears.
class OutputOnFirstWrite final : public ByteSink {
 public:
  explicit OutputOnFirstWrite(const PathChar* path) : path_(path) {}
  bool Write(const void* data, size_t size) override;
  bool Close() { return file_.Close(); }

 private:
  const PathChar* path_;
  bool created_ = false;
  OutputFile file_;
};

// A format's comment reader in memory, run on a mapped file; kReadFailed
// when the file cannot be opened.
using ReadCommentBytes = Status (*)(const uint8_t* data, size_t size, std::string* text);
Status ReadCommentFromFile(ReadCommentBytes read, const PathChar* path, std::string* text);

// What a replacement copies and what it puts between: the bytes before
// `cut`, the new comment when `store`, then the bytes from `resume` on.
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

// A format's part of the write operation: where its old comment is, or the
// place for a new one (a failure status says why there is none), and the
// bytes of a new comment holding `text`.
struct CommentFormat {
  Status (*plan)(const uint8_t* data, size_t size, bool store, CommentEdit* edit);
  std::string (*comment)(std::string_view text);
};

// The write operation in memory. *flag on entry: non-zero to store `text`,
// zero to store none; on return one of the flag values above.
int ReplaceCommentBytes(const CommentFormat& format, const uint8_t* data, size_t size,
                        std::string_view text, int* flag, ByteSink* out, Status* why);

// The same from one file into a new one; `output` is only created when
// there is something to write, and holds a partial file after a failure.
int ReplaceCommentInFile(const CommentFormat& format, const PathChar* source,
                         const PathChar* output, std::string_view text, int* flag, Status* why);
