#include "adjust/user_registry_win.h"

#include <string>

#include "app/wide_text.h"

namespace {

std::wstring Wide(std::u16string_view text) { return ToWide(std::u16string(text)); }

// Closes an opened key on every way out.
class OpenKey {
 public:
  OpenKey(HKEY root, const std::wstring& path, REGSAM access) {
    if (RegOpenKeyExW(root, path.c_str(), 0, access, &key_) != ERROR_SUCCESS) key_ = nullptr;
  }
  ~OpenKey() {
    if (key_) RegCloseKey(key_);
  }
  OpenKey(const OpenKey&) = delete;
  OpenKey& operator=(const OpenKey&) = delete;
  HKEY get() const { return key_; }

 private:
  HKEY key_ = nullptr;
};

}  // namespace

std::optional<std::u16string> WindowsUserRegistry::ReadString(std::u16string_view key,
                                                              std::u16string_view value) {
  std::wstring path = Wide(key), name = Wide(value);
  constexpr DWORD kStrings = RRF_RT_REG_SZ | RRF_NOEXPAND;
  DWORD bytes = 0;
  if (RegGetValueW(root_, path.c_str(), name.c_str(), kStrings, nullptr, nullptr, &bytes) !=
      ERROR_SUCCESS) {
    return std::nullopt;
  }
  // The value may grow between the two calls; a second failure counts as
  // missing rather than as a truncated text.
  std::wstring text(bytes / sizeof(wchar_t) + 1, L'\0');
  bytes = static_cast<DWORD>(text.size() * sizeof(wchar_t));
  if (RegGetValueW(root_, path.c_str(), name.c_str(), kStrings, nullptr, text.data(), &bytes) !=
      ERROR_SUCCESS) {
    return std::nullopt;
  }
  text.resize(wcsnlen(text.c_str(), bytes / sizeof(wchar_t)));
  return std::u16string(reinterpret_cast<const char16_t*>(text.data()), text.size());
}

bool WindowsUserRegistry::WriteString(std::u16string_view key, std::u16string_view value,
                                      std::u16string_view data) {
  HKEY opened = nullptr;
  if (RegCreateKeyExW(root_, Wide(key).c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &opened,
                      nullptr) != ERROR_SUCCESS) {
    return false;
  }
  std::wstring text = Wide(data);
  LONG result = RegSetValueExW(opened, Wide(value).c_str(), 0, REG_SZ,
                               reinterpret_cast<const BYTE*>(text.c_str()),
                               static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(opened);
  return result == ERROR_SUCCESS;
}

bool WindowsUserRegistry::DeleteValue(std::u16string_view key, std::u16string_view value) {
  OpenKey opened(root_, Wide(key), KEY_SET_VALUE);
  return opened.get() && RegDeleteValueW(opened.get(), Wide(value).c_str()) == ERROR_SUCCESS;
}

bool WindowsUserRegistry::DeleteTree(std::u16string_view key) {
  if (key.empty()) return false;  // never the whole root
  return RegDeleteTreeW(root_, Wide(key).c_str()) == ERROR_SUCCESS;
}

bool WindowsUserRegistry::DeleteIfEmpty(std::u16string_view key) {
  std::wstring path = Wide(key);
  DWORD subkeys = 1, values = 1;
  {
    OpenKey opened(root_, path, KEY_QUERY_VALUE);
    if (!opened.get() ||
        RegQueryInfoKeyW(opened.get(), nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr,
                         &values, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) {
      return false;
    }
  }
  return subkeys == 0 && values == 0 && RegDeleteKeyW(root_, path.c_str()) == ERROR_SUCCESS;
}
