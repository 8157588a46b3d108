#include "image/open_filters_win.h"

#include <windows.h>

#include <vector>

#include "app/app_state.h"
#include "app/language_module_win.h"
#include "app/wide_text.h"
#include "image/rar_source_win.h"
#include "lang/string_ids.h"

namespace {

ApplicationState& A() { return App(); }

struct Filter {
  UINT label;
  std::wstring patterns;
};

std::vector<Filter> OpenFilterList() {
  const bool rar = RarAvailable({OwnerWindow(), ToWide(A().settings.plugin_folder)});
  std::wstring all = L"*.bmp;*.png;*.jpg;*.jpe;*.jpeg;*.tif;*.tiff;*.gif;*.zip";
  if (rar) all += L";*.rar";
  // Plug-in formats join the list with their modules.
  std::vector<Filter> filters = {
      {IDS_FILTER_ALL_IMAGES, all},       {IDS_FILTER_BMP, L"*.bmp"},
      {IDS_FILTER_PNG, L"*.png"},         {IDS_FILTER_JPEG, L"*.jpg;*.jpe;*.jpeg"},
      {IDS_FILTER_TIFF, L"*.tif;*.tiff"}, {IDS_FILTER_GIF, L"*.gif"},
      {IDS_FILTER_ZIP, L"*.zip"},
  };
  if (rar) filters.push_back({IDS_FILTER_RAR, L"*.rar"});
  filters.push_back({IDS_FILTER_ALL_FILES, L"*.*"});
  return filters;
}

}  // namespace

std::wstring OpenDialogFilters() {
  std::wstring list;
  for (const Filter& f : OpenFilterList()) {
    list += LanguageString(A().language.get(), f.label) + L'\0' + f.patterns + L'\0';
  }
  return list + L'\0';
}

