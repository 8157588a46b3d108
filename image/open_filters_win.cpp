#include "image/open_filters_win.h"

#include <windows.h>

#include <vector>

#include "app/app_state.h"
#include "app/language_module_win.h"
#include "app/wide_text.h"
#include "image/plugin_places_win.h"
#include "image/rar_source_win.h"
#include "lang/string_ids.h"

namespace {

ApplicationState& A() { return App(); }

struct Filter {
  std::wstring label;
  std::wstring patterns;
};

std::wstring Text(UINT id) { return LanguageString(A().language.get(), id); }

// Patterns too long for the dialog's buffers are left out.
constexpr size_t kLongestPatterns = 258;

std::wstring JoinedPluginPatterns() {
  std::wstring joined;
  for (const std::u16string& pattern : CurrentPluginPatterns(true)) {
    if (!joined.empty()) joined += L';';
    joined += ToWide(pattern);
  }
  return joined.size() > kLongestPatterns ? std::wstring() : joined;
}

std::vector<Filter> OpenFilterList() {
  const bool rar = RarAvailable({OwnerWindow(), CurrentPluginPlaces().folder});
  const std::wstring plugins = JoinedPluginPatterns();
  std::wstring all = L"*.bmp;*.png;*.jpg;*.jpe;*.jpeg;*.tif;*.tiff;*.gif;*.zip";
  if (rar) all += L";*.rar";
  if (!plugins.empty()) all += L";" + plugins;
  std::vector<Filter> filters = {
      {Text(IDS_FILTER_ALL_IMAGES), all},
      {Text(IDS_FILTER_BMP), L"*.bmp"},
      {Text(IDS_FILTER_PNG), L"*.png"},
      {Text(IDS_FILTER_JPEG), L"*.jpg;*.jpe;*.jpeg"},
      {Text(IDS_FILTER_TIFF), L"*.tif;*.tiff"},
      {Text(IDS_FILTER_GIF), L"*.gif"},
      {Text(IDS_FILTER_ZIP), L"*.zip"},
  };
  if (rar) filters.push_back({Text(IDS_FILTER_RAR), L"*.rar"});
  if (!plugins.empty()) {
    filters.push_back(
        {Text(IDS_FILTER_PLUGINS) + L" (" + plugins + L")", plugins});
  }
  filters.push_back({Text(IDS_FILTER_ALL_FILES), L"*.*"});
  return filters;
}

}  // namespace

std::wstring OpenDialogFilters() {
  std::wstring list;
  for (const Filter& f : OpenFilterList()) {
    list += f.label + L'\0' + f.patterns + L'\0';
  }
  return list + L'\0';
}

