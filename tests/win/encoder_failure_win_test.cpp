// What the user is told when an encoder fails: the library's own words for
// a JPEG library error, the program's message for the failures it names.
#include "image/encoder_failure_win.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "app/app_state.h"
#include "app/language_module_win.h"
#include "tests/win/box_answer.h"

namespace {

class EncoderFailure : public ::testing::Test {
 protected:
  void SetUp() override {
    DropPendingMessages();
    std::wstring name;
    App().language.reset(LoadLanguageModule(L"English", &name));
    App().view_window = nullptr;
  }
  void TearDown() override { App().language.reset(); }

  // The caption and text of the box shown for the failure.
  void Show(Status status, const std::string& library_text) {
    caption_.clear(), text_.clear();
    std::thread answer = AnswerBox(GetCurrentThreadId(), IDOK, &caption_, &text_);
    ShowEncoderFailure(status, library_text);
    answer.join();
  }
  std::wstring caption_, text_;
};

TEST_F(EncoderFailure, ALibraryErrorShowsTheLibrarysText) {
  Show(Status::kUnsupported, "Maximum supported image dimension is 65500 pixels");
  EXPECT_EQ(caption_, L"JPEG Library Error");
  EXPECT_NE(text_.find(L"Maximum supported image dimension is 65500 pixels"), std::wstring::npos)
      << std::string(text_.begin(), text_.end());
}

TEST_F(EncoderFailure, TheProgramsOwnFailuresKeepTheirMessage) {
  const std::wstring status_caption = LanguageString(App().language.get(), 50000);
  for (Status status : {Status::kNoMemory, Status::kCannotWrite, Status::kEncodeFailed}) {
    Show(status, "Output file write error --- out of disk space?");
    EXPECT_EQ(caption_, status_caption) << StatusCode(status);
    EXPECT_NE(text_.find(LanguageString(App().language.get(), StatusCode(status))),
              std::wstring::npos)
        << StatusCode(status);
  }
  Show(Status::kUnsupported, "");
  EXPECT_EQ(caption_, status_caption) << "without a library text the status speaks";
}

}  // namespace
