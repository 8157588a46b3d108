#include "image/comment_edit_win.h"

#include <windows.h>

#include "codecs/jpeg_comment.h"
#include "codecs/png_comment.h"
#include "image/image_buffer.h"
#include "image/temporary_save_win.h"

CComEdit::~CComEdit() {
  if (!temporary_.empty()) DeleteFileW(temporary_.c_str());
}

bool CComEdit::TakeTemporaryFile() {
  if (temporary_.empty()) temporary_ = NewTemporaryFile();
  return !temporary_.empty();
}

int CComEditP::WriteComment(const std::wstring& source, const std::wstring& temporary,
                            const std::string& text, int* flag) {
  return ReplacePngComment(source.c_str(), temporary.c_str(), text, flag);
}

std::string CComEditP::ReadComment(const std::wstring& source) {
  std::string text;
  ReadPngComment(source.c_str(), &text);
  return text;
}

int CComEditJ::WriteComment(const std::wstring& source, const std::wstring& temporary,
                            const std::string& text, int* flag) {
  return ReplaceJpegComment(source.c_str(), temporary.c_str(), text, flag);
}

std::string CComEditJ::ReadComment(const std::wstring& source) {
  std::string text;
  ReadJpegComment(source.c_str(), &text);
  return text;
}

std::unique_ptr<CComEdit> MakeCommentEditor(int32_t source_format) {
  switch (source_format) {
    case kSourceJpeg: return std::make_unique<CComEditJ>();
    case kSourcePng: return std::make_unique<CComEditP>();
    default: return nullptr;
  }
}
