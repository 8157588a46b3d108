// The comment editors on real files: the copy they write, the file they
// leave alone, the temporary file they clean up, and the code page text
// the dialog and the files meet in.
#include <gtest/gtest.h>
#include <windows.h>

#include "codecs/png_comment.h"
#include "image/ansi_text_win.h"
#include "image/comment_edit_win.h"
#include "image/comment_formats.h"
#include "tests/unit/png_test_support.h"
#include "tests/win/win_test_files.h"

namespace {

Bytes SmallPng(const std::string& comment_chunk_text, bool with_comment) {
  PngFile f;
  f.Header(1, 1, 8, 0);
  if (with_comment) {
    std::string data("Comment", 8);
    data += comment_chunk_text;
    f.Chunk("tEXt", Bytes(data.begin(), data.end()));
  }
  return f.ImageData(Scanlines({{128}})).End().bytes();
}

bool Exists(const std::wstring& path) {
  return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

TEST(CComEditP, WritesTheChangedCopyAndLeavesTheFileAlone) {
  WinTempDir dir;
  const std::wstring source = dir.Write(L"c.png", SmallPng("old\nline", true));
  std::wstring temporary;
  {
    CComEditP editor;
    EXPECT_EQ(editor.ReadComment(source), "old\r\nline");
    ASSERT_TRUE(editor.TakeTemporaryFile());
    temporary = editor.temporary();
    int flag = 1;
    EXPECT_EQ(editor.WriteComment(source, temporary, "new\r\ntext", &flag), kCommentWritten);
    EXPECT_EQ(flag, kCommentReplaced);
    EXPECT_EQ(editor.ReadComment(temporary), "new\r\ntext");
    EXPECT_EQ(editor.ReadComment(source), "old\r\nline");
    flag = 0;
    EXPECT_EQ(editor.WriteComment(source, temporary, "", &flag), kCommentWritten);
    EXPECT_EQ(flag, kCommentNone);
    EXPECT_EQ(editor.ReadComment(temporary), "");
    EXPECT_TRUE(Exists(temporary));
  }
  EXPECT_FALSE(Exists(temporary)) << "the editor deletes its temporary file";
  EXPECT_TRUE(Exists(source));
}

TEST(CComEditP, AddsAndRefusesThroughTheBaseInterface) {
  WinTempDir dir;
  const std::wstring bare = dir.Write(L"bare.png", SmallPng("", false));
  const std::wstring not_png = dir.Write(L"x.png", {'B', 'M', 0, 0});
  std::unique_ptr<CComEdit> editor = MakeCommentEditor(kSourcePng);
  ASSERT_NE(editor, nullptr);
  ASSERT_TRUE(editor->TakeTemporaryFile());
  int flag = 0;
  EXPECT_EQ(editor->WriteComment(bare, editor->temporary(), "", &flag), kCommentNothingToDo);
  flag = 1;
  EXPECT_EQ(editor->WriteComment(bare, editor->temporary(), "added", &flag), kCommentWritten);
  EXPECT_EQ(flag, kCommentAdded);
  EXPECT_EQ(editor->ReadComment(editor->temporary()), "added");
  flag = 1;
  EXPECT_EQ(editor->WriteComment(not_png, editor->temporary(), "x", &flag), kCommentWriteFailed);
  EXPECT_EQ(editor->ReadComment(not_png), "");
  EXPECT_EQ(editor->ReadComment(dir.path() + L"\\missing.png"), "");
}

TEST(CComEdit, AnEditorExistsForExactlyTheFormatsTheMenuOffers) {
  for (int32_t format = kSourcePlugin; format <= kSourceGif; ++format) {
    EXPECT_EQ(MakeCommentEditor(format) != nullptr, HasCommentEditor(format)) << format;
  }
}

TEST(AnsiCodePage, KeepsTheLimitAndWholeCharacters) {
  EXPECT_EQ(ToAnsiCodePage(std::wstring(5000, L'a'), 4096), std::string(4096, 'a'));
  EXPECT_EQ(ToAnsiCodePage(L"", 4096), "");
  EXPECT_EQ(ToAnsiCodePage(L"abc", 0), "");
  const std::wstring text = L"line\r\nnext";
  EXPECT_EQ(FromAnsiCodePage(ToAnsiCodePage(text, 4096)), text);
  if (GetACP() == 1252) {
    EXPECT_EQ(ToAnsiCodePage(L"caf\u00e9", 4096), "caf\xe9");
    EXPECT_EQ(FromAnsiCodePage("caf\xe9"), L"caf\u00e9");
  }
  // A character outside the code page takes its default character's room.
  const std::string outside = ToAnsiCodePage(L"\U0001F600x", 4096);
  EXPECT_FALSE(outside.empty());
  EXPECT_EQ(outside.back(), 'x');
  EXPECT_LE(ToAnsiCodePage(L"\U0001F600\U0001F600", 1).size(), 1u);
}

}  // namespace
