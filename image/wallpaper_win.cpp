#include "image/wallpaper_win.h"

#include <windows.h>

#include <string>

#include "app/app_state.h"
#include "app/dialog_loader_win.h"
#include "app/program_message_win.h"
#include "app/settings_location_win.h"
#include "codecs/image_encoders.h"
#include "image/path_parts.h"
#include "image/temporary_save_win.h"
#include "lang/string_ids.h"

namespace {

constexpr wchar_t kDesktopKey[] = L"Control Panel\\Desktop";
constexpr wchar_t kWallpaperFile[] = L"save_wp.bmp";

struct Style {
  int control;
  const wchar_t* tile;
  const wchar_t* style;
};
const Style kStyles[] = {
    {IDC_WALLPAPER_CENTRED, L"0", L"0"},
    {IDC_WALLPAPER_STRETCHED, L"0", L"2"},
    {IDC_WALLPAPER_TILED, L"1", L"0"},
};

std::wstring ReadDesktopValue(const wchar_t* name) {
  wchar_t value[16] = {};
  DWORD bytes = sizeof(value) - sizeof(wchar_t);
  if (RegGetValueW(HKEY_CURRENT_USER, kDesktopKey, name, RRF_RT_REG_SZ, nullptr, value, &bytes) !=
      ERROR_SUCCESS)
    return {};
  return value;
}

int CurrentStyleControl() {
  std::wstring tile = ReadDesktopValue(L"TileWallpaper"), style = ReadDesktopValue(L"WallpaperStyle");
  for (const Style& s : kStyles) {
    if (tile == s.tile && style == s.style) return s.control;
  }
  return IDC_WALLPAPER_CENTRED;
}

void WriteStyle(const Style& s) {
  HKEY key;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, kDesktopKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                      nullptr) != ERROR_SUCCESS)
    return;
  RegSetValueExW(key, L"TileWallpaper", 0, REG_SZ, reinterpret_cast<const BYTE*>(s.tile),
                 static_cast<DWORD>((wcslen(s.tile) + 1) * sizeof(wchar_t)));
  RegSetValueExW(key, L"WallpaperStyle", 0, REG_SZ, reinterpret_cast<const BYTE*>(s.style),
                 static_cast<DWORD>((wcslen(s.style) + 1) * sizeof(wchar_t)));
  RegCloseKey(key);
}

void WriteCheckedStyle(HWND dialog) {
  for (const Style& s : kStyles) {
    if (IsDlgButtonChecked(dialog, s.control) == BST_CHECKED) WriteStyle(s);
  }
}

INT_PTR CALLBACK StyleDialog(HWND dialog, UINT message, WPARAM wparam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      CheckRadioButton(dialog, IDC_WALLPAPER_CENTRED, IDC_WALLPAPER_TILED, CurrentStyleControl());
      return TRUE;
    case WM_COMMAND:
      return EndOnOkOrCancel(dialog, wparam, WriteCheckedStyle);
  }
  return FALSE;
}

std::wstring SettingsFolder() { return FolderOfPath(App().settings_path); }

}  // namespace

void SetAsWallpaper() {
  ApplicationState& app = App();
  if (!app.current.pixels) return;
  if (ShowModalDialog(IDD_WALLPAPER, OwnerWindow(), StyleDialog, 0) != IDOK) return;

  std::wstring temporary = NewTemporaryFile();
  if (temporary.empty()) {
    ShowProgramMessage(kMessageNoTempFile);
    return;
  }
  SaveOptions bmp;
  bmp.type = kSaveBmp;
  bmp.bmp_depth = app.current.header.bit_count;  // the image's own depth
  Status status = EncodeImageFile(app.current, bmp, temporary.c_str());
  std::wstring wallpaper = SavedWallpaperPath();
  if (status != Status::kOk) {
    ShowProgramMessage(StatusCode(status));
  } else if (!CopyFileW(temporary.c_str(), wallpaper.c_str(), FALSE)) {
    ShowProgramMessage(kMessageCopyFailed);
  } else {
    SystemParametersInfoW(SPI_SETDESKWALLPAPER, 0, const_cast<wchar_t*>(wallpaper.c_str()),
                          SPIF_UPDATEINIFILE | SPIF_SENDCHANGE);
  }
  DeleteFileW(temporary.c_str());
}

std::wstring SavedWallpaperPath() { return JoinPath(SettingsFolder(), kWallpaperFile); }
