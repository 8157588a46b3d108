// What the comment editor promises whatever the file format: reading hands
// the edit box text it can take, replacing finds the same comment the reader
// shows and writes nothing for a file it cannot walk, and removing takes the
// old comment away.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "codecs/byte_sink.h"
#include "codecs/comment_text.h"
#include "codecs/memory_sink.h"
#include "fuzz/fuzz_check.h"
#include "image/status.h"

struct FuzzedCommentFormat {
  Status (*read)(const uint8_t* data, size_t size, std::string* text);
  int (*replace)(const uint8_t* data, size_t size, std::string_view text, int* flag, ByteSink* out,
                 Status* why);
  size_t read_limit;     // characters the edit box may get
  size_t removed_bytes;  // at least this much goes with a removed comment
};

// Stored as "new\nline" plus the escape; read back without the escape and
// with a carriage return before the line feed.
inline constexpr char kFuzzNewText[] = "new\r\nline\x1b";
inline constexpr char kFuzzNewTextRead[] = "new\r\nline";

inline void RequireEditBoxText(const std::string& text, size_t limit) {
  Require(text.size() <= limit, "no more characters reach the edit box than it takes");
  for (size_t i = 0; i < text.size(); ++i) {
    Require(text[i] != 27, "escape characters are dropped");
    if (text[i] == '\n') Require(i > 0 && text[i - 1] == '\r', "every line feed follows a return");
  }
}

// Reads the comment as the editor would and checks the text; `shown` gets it.
inline Status CheckCommentRead(const FuzzedCommentFormat& f, const uint8_t* data, size_t size,
                               std::string* shown) {
  const Status status = f.read(data, size, shown);
  Require(status == Status::kOk || status == Status::kCorrupt || status == Status::kReadFailed,
          "reading says why with a reading status");
  if (status != Status::kOk) Require(shown->empty(), "a failed read shows no text");
  RequireEditBoxText(*shown, f.read_limit);
  return status;
}

// Stores a new comment; true when a new file was written into `out`.
inline bool CheckCommentStore(const FuzzedCommentFormat& f, const uint8_t* data, size_t size,
                              Status read_status, MemorySink* out, int* flag) {
  *flag = 1;
  const int result = f.replace(data, size, kFuzzNewText, flag, out, nullptr);
  if (read_status != Status::kOk) {
    Require(result == kCommentWriteFailed && *flag == kCommentNone && out->bytes().empty(),
            "a file the reader cannot walk is not written");
    return false;
  }
  Require(result == kCommentWritten, "a file the reader walks takes a new comment");
  Require(*flag == kCommentAdded || *flag == kCommentReplaced, "the flag says added or replaced");
  std::string text;
  Require(f.read(out->bytes().data(), out->bytes().size(), &text) == Status::kOk, "the new file reads");
  Require(text == kFuzzNewTextRead, "the new comment is the one the reader finds");
  return true;
}

// Removes the comment; true when a new file was written into `out`.
inline bool CheckCommentRemove(const FuzzedCommentFormat& f, const uint8_t* data, size_t size,
                               Status read_status, const std::string& shown, MemorySink* out) {
  int flag = 0;
  const int result = f.replace(data, size, "", &flag, out, nullptr);
  Require(flag == kCommentNone, "removing writes no new comment");
  if (read_status != Status::kOk) {
    Require(result == kCommentWriteFailed && out->bytes().empty(),
            "a file the reader cannot walk is not written");
    return false;
  }
  if (!shown.empty()) Require(result == kCommentWritten, "a comment the reader shows can be removed");
  if (result == kCommentNothingToDo) {
    Require(out->bytes().empty(), "nothing to do writes nothing");
    return false;
  }
  Require(result == kCommentWritten, "removing from a file the reader walks never fails");
  Require(out->bytes().size() + f.removed_bytes <= size, "the old comment and its header are gone");
  return true;
}
