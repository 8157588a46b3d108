#include "image/document_comment_win.h"

#include <windows.h>

#include <algorithm>

#include "app/app_state.h"
#include "app/program_message_win.h"
#include "codecs/png_comment.h"
#include "image/ansi_text_win.h"
#include "image/comment_dialog_win.h"
#include "image/comment_edit_win.h"
#include "image/comment_formats.h"
#include "image/document_save_win.h"
#include "image/file_replace_win.h"
#include "image/status.h"
#include "view/title_win.h"

namespace {

// Bytes of edited text handed to the editor; the format may keep fewer.
constexpr size_t kCommentBytes = 4096;

bool CommentEditable(const ApplicationState& app) {
  return app.current.pixels && app.document.source_kind == SourceKind::kFile &&
         !app.document.path.empty() && HasCommentEditor(app.current.source_format);
}

// The counts the title and the information dialogs use follow the segment
// the write added (1), replaced (0) or removed (-1). A PNG comment is one of
// its text chunks; a JPEG's information is its Exif block, which stays.
void CountCommentChange(int flag) {
  ApplicationState& app = App();
  LoadResults& load = app.document.load;
  load.comment_count = std::max(0, load.comment_count + flag);
  if (app.current.source_format == kSourcePng) {
    load.information_count = std::max(0, load.information_count + flag);
  }
}

// The new file is in place: the document takes its counts, time and size.
void TakeRewrittenFile(int flag) {
  ApplicationState& app = App();
  CountCommentChange(flag);
  RememberOwnWrite();
  app.current.source_size = static_cast<uint32_t>(app.document.file_bytes);
  RefreshTitle();
}

}  // namespace

void EditCurrentComment() {
  ApplicationState& app = App();
  if (!CommentEditable(app)) return;
  std::unique_ptr<CComEdit> editor = MakeCommentEditor(app.current.source_format);
  if (!editor) return;
  const std::wstring path = app.document.path;
  std::wstring text = FromAnsiCodePage(editor->ReadComment(path));
  if (!AskForComment(OwnerWindow(), &text)) return;
  if (!editor->TakeTemporaryFile()) {
    ShowProgramMessage(kMessageNoTempFile);
    return;
  }
  int flag = text.empty() ? 0 : 1;
  const int result =
      editor->WriteComment(path, editor->temporary(), ToAnsiCodePage(text, kCommentBytes), &flag);
  if (result == kCommentNothingToDo) return;
  // The old file is given up only once its replacement lies complete beside it.
  if (result != kCommentWritten || !ReplaceFileWith(editor->temporary(), path)) {
    ShowProgramMessage(StatusCode(Status::kCopyFailed));
    return;
  }
  TakeRewrittenFile(flag);
}
