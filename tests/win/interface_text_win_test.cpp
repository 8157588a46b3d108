// Every text the user reads comes from the language module, so a
// translation covers the whole program: the program file itself holds none
// of the module's texts.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "app/language_module_win.h"
#include "app/win_handles.h"

namespace {

// Texts of the module's string table long enough not to match by chance.
std::vector<std::wstring> ModuleTexts(HMODULE module) {
  std::vector<std::wstring> texts;
  for (UINT id = 0; id < 65536; ++id) {
    std::wstring text = LanguageString(module, id);
    if (text.size() >= 12) texts.push_back(text);
  }
  return texts;
}

std::string ReadWholeFile(const wchar_t* path) {
  UniqueFile file(CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                              nullptr));
  if (!file) return {};
  std::string bytes(GetFileSize(file.get(), nullptr), '\0');
  DWORD read = 0;
  if (!ReadFile(file.get(), bytes.data(), DWORD(bytes.size()), &read, nullptr)) read = 0;
  bytes.resize(read);
  return bytes;
}

bool HoldsUtf16(const std::string& bytes, const std::wstring& text) {
  std::string needle(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
  return bytes.find(needle) != std::string::npos;
}

TEST(InterfaceText, TheProgramFileHoldsNoTextOfTheLanguageModule) {
  std::wstring name;
  UniqueModule module(LoadLanguageModule(L"English", &name));
  ASSERT_TRUE(module);
  std::vector<std::wstring> texts = ModuleTexts(module.get());
  ASSERT_GT(texts.size(), 50u);
  std::string program = ReadWholeFile(L"Ovira.exe");
  ASSERT_FALSE(program.empty());
  for (const std::wstring& text : texts) {
    EXPECT_FALSE(HoldsUtf16(program, text)) << std::string(text.begin(), text.end());
  }
}

}  // namespace
