// Loading a language module maps its resources and runs none of its code:
// the module is named by the settings file, so it is not trusted until its
// signature has been checked, and not even then with code.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "app/language_module_win.h"
#include "app/win_handles.h"
#include "lang/string_ids.h"

namespace {

constexpr wchar_t kEntryMark[] = L"OVIRA_PROBE_ENTRY_RAN";

bool EntryPointRan() { return GetEnvironmentVariableW(kEntryMark, nullptr, 0) != 0; }

class LanguageModuleLoading : public ::testing::Test {
 protected:
  void SetUp() override { SetEnvironmentVariableW(kEntryMark, nullptr); }
};

TEST_F(LanguageModuleLoading, TheModulesEntryPointDoesNotRun) {
  std::wstring name;
  UniqueModule module(LoadLanguageModule(L"EntryPointProbe", &name));
  ASSERT_TRUE(module);
  EXPECT_EQ(name, L"EntryPointProbe") << "the probe itself passed the signature check";
  EXPECT_FALSE(EntryPointRan());
  EXPECT_EQ(LanguageString(module.get(), 100), L"probe");
}

TEST_F(LanguageModuleLoading, CheckingAModuleForTheListRunsNoCodeEither) {
  EXPECT_TRUE(IsUsableLanguageModule(L"EntryPointProbe"));
  EXPECT_FALSE(EntryPointRan());
}

TEST_F(LanguageModuleLoading, EnglishGivesItsSignatureStringsAndDialogs) {
  std::wstring name;
  UniqueModule module(LoadLanguageModule(L"English", &name));
  ASSERT_TRUE(module);
  EXPECT_TRUE(HasLanguageSignature(module.get()));
  EXPECT_FALSE(LanguageString(module.get(), IDS_SAVE_QUESTION).empty());
  HRSRC dialog = FindResourceW(module.get(), MAKEINTRESOURCEW(IDD_STARTUP_NOTICE), RT_DIALOG);
  ASSERT_NE(dialog, nullptr);
  EXPECT_GT(SizeofResource(module.get(), dialog), 0u);
}

}  // namespace
