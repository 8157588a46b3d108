// The registration against Wine's registry: every scheme is run on a
// scratch key standing in for the user's root, and everything below it is
// read back and compared with the model the portable tests check.
#include "adjust/user_registry_win.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/unit/memory_registry.h"

namespace {

constexpr wchar_t kScratch[] = L"Software\\OviraRegistryTest";
constexpr std::u16string_view kModule = u"C:\\Program Files\\Ovira\\Ovira.exe";

std::string Folded(const std::wstring& text) {
  std::string folded;
  for (wchar_t c : text) {
    wchar_t lower = (c >= L'A' && c <= L'Z') ? wchar_t(c + 32) : c;
    folded += lower < 0x80 ? static_cast<char>(lower) : '?';
  }
  return folded;
}

std::string Narrow(const std::wstring& text) {
  std::string narrow;
  for (wchar_t c : text) narrow += c < 0x80 ? static_cast<char>(c) : '?';
  return narrow;
}

// Every key and string value below `key`, in the model's line format and order.
void ReadTree(HKEY key, const std::wstring& path, std::vector<std::string>* lines) {
  if (!path.empty()) lines->push_back(Folded(path));
  std::vector<std::pair<std::string, std::string>> values;
  for (DWORD i = 0;; ++i) {
    wchar_t name[256];
    DWORD name_length = 256, type = 0;
    BYTE data[1024] = {};
    DWORD bytes = sizeof(data) - 2;
    if (RegEnumValueW(key, i, name, &name_length, nullptr, &type, data, &bytes) != ERROR_SUCCESS) {
      break;
    }
    EXPECT_EQ(type, DWORD{REG_SZ}) << Narrow(name);
    values.emplace_back(Folded(name), Narrow(reinterpret_cast<const wchar_t*>(data)));
  }
  std::sort(values.begin(), values.end());
  for (const auto& [name, data] : values) lines->push_back(Folded(path) + "|" + name + "=" + data);
  std::vector<std::wstring> children;
  for (DWORD i = 0;; ++i) {
    wchar_t name[256];
    DWORD name_length = 256;
    if (RegEnumKeyExW(key, i, name, &name_length, nullptr, nullptr, nullptr, nullptr) !=
        ERROR_SUCCESS) {
      break;
    }
    children.push_back(name);
  }
  std::sort(children.begin(), children.end(),
            [](const std::wstring& a, const std::wstring& b) { return Folded(a) < Folded(b); });
  for (const std::wstring& child : children) {
    HKEY sub = nullptr;
    ASSERT_EQ(RegOpenKeyExW(key, child.c_str(), 0, KEY_READ, &sub), ERROR_SUCCESS);
    ReadTree(sub, path.empty() ? child : path + L"\\" + child, lines);
    RegCloseKey(sub);
  }
}

class UserRegistryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RegDeleteTreeW(HKEY_CURRENT_USER, kScratch);
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kScratch, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                              &root_, nullptr),
              ERROR_SUCCESS);
    real_ = WindowsUserRegistry(root_);
  }
  void TearDown() override {
    if (root_) RegCloseKey(root_);
    RegDeleteTreeW(HKEY_CURRENT_USER, kScratch);
  }
  std::vector<std::string> Contents() {
    std::vector<std::string> lines;
    ReadTree(root_, L"", &lines);
    return lines;
  }
  // Runs `step` on both registries and expects the same keys and values.
  template <typename Step>
  void Both(Step step) {
    step(model_);
    step(real_);
    EXPECT_EQ(Contents(), model_.Contents());
  }

  HKEY root_ = nullptr;
  MemoryRegistry model_;
  WindowsUserRegistry real_{nullptr};
};

RegistrationTexts Texts() {
  return {u"A fast, light image viewer",
          {u"BMP image", u"PNG image", u"JPEG image", u"GIF image", u"TIFF image"}};
}

TEST_F(UserRegistryTest, OfferingAndWithdrawingWritesExactlyTheModelsKeysAndValues) {
  Both([](UserRegistry& r) {
    r.WriteString(u"Software\\Classes\\.png", u"", u"pngfile");
    r.WriteString(u"Software\\Classes\\.png\\OpenWithProgids", u"Painter.png", u"");
  });
  std::vector<std::string> before = Contents();
  Both([](UserRegistry& r) { OfferAsHandler(r, kModule, Texts()); });
  EXPECT_TRUE(IsOfferedAsHandler(real_, kModule));
  EXPECT_FALSE(IsOfferedAsHandler(real_, u"D:\\Ovira.exe"));
  EXPECT_GT(Contents().size(), 60u);
  Both([](UserRegistry& r) { WithdrawAsHandler(r, kModule); });
  EXPECT_EQ(Contents(), before);
}

TEST_F(UserRegistryTest, OlderSchemeWritesOnlyWhatChanged) {
  AssociationBoxes model_read{}, real_read{};
  AssociationBoxes wanted{};
  wanted[kAssociateJpeg] = wanted[kAssociateTiff] = true;
  ApplyAssociations(model_, kModule, &model_read, wanted);
  ApplyAssociations(real_, kModule, &real_read, wanted);
  EXPECT_EQ(Contents(), model_.Contents());
  EXPECT_EQ(ReadAssociations(real_, kModule), wanted);

  Both([](UserRegistry& r) {
    r.WriteString(u"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FileExts\\.tif",
                  u"Application", u"Painter.exe");
  });
  wanted = AssociationBoxes{};
  ApplyAssociations(model_, kModule, &model_read, wanted);
  ApplyAssociations(real_, kModule, &real_read, wanted);
  EXPECT_EQ(Contents(), model_.Contents());
  EXPECT_EQ(real_.ReadString(
                u"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FileExts\\.tif",
                u"Application"),
            u"Painter.exe");
}

TEST_F(UserRegistryTest, MissingKeysAndValuesReadAsNothing) {
  WindowsUserRegistry registry(root_);
  EXPECT_FALSE(registry.ReadString(u"No\\Such\\Key", u""));
  EXPECT_FALSE(registry.DeleteValue(u"No\\Such\\Key", u"x"));
  EXPECT_FALSE(registry.DeleteIfEmpty(u"No\\Such\\Key"));
  EXPECT_FALSE(registry.DeleteTree(u""));
  ASSERT_TRUE(registry.WriteString(u"A\\B", u"v", u"some text"));
  EXPECT_EQ(registry.ReadString(u"a\\b", u"V"), u"some text");
  EXPECT_FALSE(registry.DeleteIfEmpty(u"A")) << "it holds B";
  EXPECT_TRUE(registry.DeleteValue(u"A\\B", u"v"));
  EXPECT_TRUE(registry.DeleteIfEmpty(u"A\\B"));
  EXPECT_TRUE(registry.DeleteIfEmpty(u"A"));
  EXPECT_EQ(Contents(), std::vector<std::string>{});
}

}  // namespace
