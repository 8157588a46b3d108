#include "app/language_module_win.h"

#include <cstring>

#include "lang/string_ids.h"

namespace {

constexpr LANGID kJapaneseUi = 1041;
constexpr char kSignature[6] = {'O', 'v', 'i', 'r', 'a', '\0'};

HMODULE LoadChecked(const std::wstring& name) {
  // The name comes from the settings file, so nothing of the module may run:
  // mapped as an image resource it gives strings, dialogs and the signature
  // but never calls its entry point. The system's search order looks in the
  // program's folder first.
  HMODULE module = LoadLibraryExW(name.c_str(), nullptr,
                                  LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  if (module && !HasLanguageSignature(module)) {
    FreeLibrary(module);
    module = nullptr;
  }
  return module;
}

}  // namespace

bool HasLanguageSignature(HMODULE module) {
  HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(IDR_LANGUAGE_SIGNATURE), RT_RCDATA);
  if (!found || SizeofResource(module, found) < sizeof(kSignature)) return false;
  HGLOBAL loaded = LoadResource(module, found);
  const void* bytes = loaded ? LockResource(loaded) : nullptr;
  return bytes && std::memcmp(bytes, kSignature, sizeof(kSignature)) == 0;
}

HMODULE LoadLanguageModule(const std::wstring& name, std::wstring* loaded_name) {
  std::wstring first = name;
  if (first.empty()) first = GetUserDefaultUILanguage() == kJapaneseUi ? L"Japanese" : L"English";
  for (const std::wstring& candidate : {first, std::wstring(L"English"), std::wstring(L"Japanese")}) {
    if (HMODULE module = LoadChecked(candidate)) {
      *loaded_name = candidate;
      return module;
    }
  }
  return nullptr;
}

bool IsUsableLanguageModule(const std::wstring& name) {
  HMODULE module = LoadChecked(name);
  if (module) FreeLibrary(module);
  return module != nullptr;
}

std::wstring LanguageString(HMODULE module, UINT id) {
  const wchar_t* text = nullptr;
  int length = LoadStringW(module, id, reinterpret_cast<wchar_t*>(&text), 0);
  return length > 0 && text ? std::wstring(text, static_cast<size_t>(length)) : std::wstring();
}
