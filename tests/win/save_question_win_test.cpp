// The question before a modified image is replaced, answered by a helper
// thread the way a user would click.
#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <thread>

#include "app/app_state.h"
#include "tests/win/box_answer.h"
#include "app/language_module_win.h"
#include "image/document_win.h"

namespace {

class SaveQuestion : public ::testing::Test {
 protected:
  void SetUp() override {
    DropPendingMessages();
    std::wstring name;
    App().language.reset(LoadLanguageModule(L"English", &name));
    App().display_mode = kDisplayView;
    App().view_window = nullptr;  // no owner: earlier tests destroyed theirs
    App().document.name = L"holiday.bmp";
  }
  void TearDown() override {
    App().modified = false;
    App().document.name.clear();
    App().language.reset();
  }
};

TEST_F(SaveQuestion, UnmodifiedImagesGoOnWithoutAsking) {
  App().modified = false;
  EXPECT_TRUE(SettleUnsavedChanges());
}

TEST_F(SaveQuestion, NoGoesOnAndCancelStops) {
  App().modified = true;
  std::wstring caption;
  std::thread answer = AnswerBox(GetCurrentThreadId(), IDNO, &caption);
  EXPECT_TRUE(SettleUnsavedChanges());
  answer.join();
  EXPECT_EQ(caption, L"holiday.bmp") << "the box is captioned with the file name";

  answer = AnswerBox(GetCurrentThreadId(), IDCANCEL, &caption);
  EXPECT_FALSE(SettleUnsavedChanges());
  answer.join();
}

TEST_F(SaveQuestion, FullScreenReplacesSilentlyWhenTheOptionSaysSo) {
  App().modified = true;
  App().display_mode = kDisplayFullScreen;
  App().settings.replace_modified_silently = 1;
  EXPECT_TRUE(SettleUnsavedChanges());
  App().display_mode = kDisplayView;
}

}  // namespace
