#include "codecs/comment_text.h"

#include "image/file_access.h"

namespace {

constexpr char kEscape = 27;

int CommentWriteFailed(Status status, Status* why) {
  if (why) *why = status;
  return kCommentWriteFailed;
}

bool WriteCommentEdit(const CommentEdit& edit, const std::string& comment, ByteSink* out) {
  return out->Write(edit.data, static_cast<size_t>(edit.cut - edit.data)) &&
         out->Write(comment.data(), comment.size()) &&
         out->Write(edit.resume, static_cast<size_t>(edit.end - edit.resume));
}

}  // namespace

// A line feed whose carriage return would not fit goes too, so the text
// never ends in half a line end.
std::string EditBoxText(const uint8_t* text, size_t size, size_t limit) {
  std::string out;
  char previous = 0;
  for (size_t i = 0; i < size; ++i) {
    const char c = static_cast<char>(text[i]);
    if (c == kEscape) continue;
    const bool needs_return = c == '\n' && previous != '\r';
    if (out.size() + (needs_return ? 2 : 1) > limit) break;
    if (needs_return) out.push_back('\r');
    out.push_back(c);
    previous = c;
  }
  return out;
}

std::string StoredText(std::string_view text, size_t limit) {
  std::string stored;
  for (char c : text) {
    if (c == '\r') continue;
    if (stored.size() == limit) break;
    stored.push_back(c);
  }
  return stored;
}

bool OutputOnFirstWrite::Write(const void* data, size_t size) {
  if (!created_) {
    created_ = true;
    if (!file_.Create(path_)) return false;
  }
  return file_.Write(data, size);
}

Status ReadCommentFromFile(ReadCommentBytes read, const PathChar* path, std::string* text) {
  text->clear();
  MappedFile file;
  if (!file.Open(path, MapMode::kReadOnly)) return Status::kReadFailed;
  return read(file.data(), file.size(), text);
}

int ReplaceCommentBytes(const CommentFormat& format, const uint8_t* data, size_t size,
                        std::string_view text, int* flag, ByteSink* out, Status* why) {
  const bool store = *flag != 0;
  *flag = kCommentNone;
  if (why) *why = Status::kOk;
  CommentEdit edit;
  if (Status s = format.plan(data, size, store, &edit); s != Status::kOk)
    return CommentWriteFailed(s, why);
  if (!edit.needed()) return kCommentNothingToDo;
  const std::string comment = edit.store ? format.comment(text) : std::string();
  if (!WriteCommentEdit(edit, comment, out)) return CommentWriteFailed(Status::kCannotWrite, why);
  *flag = edit.flag();
  return kCommentWritten;
}

int ReplaceCommentInFile(const CommentFormat& format, const PathChar* source,
                         const PathChar* output, std::string_view text, int* flag, Status* why) {
  MappedFile file;
  if (!file.Open(source, MapMode::kReadOnly)) {
    *flag = kCommentNone;
    return CommentWriteFailed(Status::kCannotWrite, why);
  }
  OutputOnFirstWrite out(output);
  const int result = ReplaceCommentBytes(format, file.data(), file.size(), text, flag, &out, why);
  if (!out.Close() && result == kCommentWritten) {
    *flag = kCommentNone;
    return CommentWriteFailed(Status::kCannotWrite, why);
  }
  return result;
}
