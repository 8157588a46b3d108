// The comment editors: one class per file format, each reading the comment
// stored in a file and writing a copy of the file with a new one. The base
// owns the temporary file the copy goes to.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

class CComEdit {
 public:
  CComEdit() = default;
  CComEdit(const CComEdit&) = delete;
  CComEdit& operator=(const CComEdit&) = delete;

  // Writes a copy of `source` carrying `text` (ANSI code page) to
  // `temporary`. *flag on entry: non-zero to store the text, zero to remove
  // the comment; on return 1 when a comment was added, 0 when one was
  // replaced, -1 when none was written. Returns 1 written, 0 nothing to do
  // (no file made), 255 failure.
  virtual int WriteComment(const std::wstring& source, const std::wstring& temporary,
                           const std::string& text, int* flag) = 0;
  // The comment of `source` as the dialog shows it (ANSI code page, line
  // ends CR LF); empty when it has none or cannot be read.
  virtual std::string ReadComment(const std::wstring& source) = 0;
  // Deletes the temporary file if one was taken.
  virtual ~CComEdit();

  // A new temporary file for WriteComment; false when the system has none.
  bool TakeTemporaryFile();
  const std::wstring& temporary() const { return temporary_; }

 private:
  std::wstring temporary_;
};

// JPEG files: the first COM segment.
class CComEditJ final : public CComEdit {
 public:
  int WriteComment(const std::wstring& source, const std::wstring& temporary,
                   const std::string& text, int* flag) override;
  std::string ReadComment(const std::wstring& source) override;
};

// PNG files: the "Comment" text chunk.
class CComEditP final : public CComEdit {
 public:
  int WriteComment(const std::wstring& source, const std::wstring& temporary,
                   const std::string& text, int* flag) override;
  std::string ReadComment(const std::wstring& source) override;
};

// The editor for images of `source_format`; empty for formats without one.
std::unique_ptr<CComEdit> MakeCommentEditor(int32_t source_format);
