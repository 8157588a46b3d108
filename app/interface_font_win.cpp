#include "app/interface_font_win.h"

#include <windows.h>

#include <string>

#include "app/app_state.h"
#include "app/language_module_win.h"
#include "lang/string_ids.h"
#include "view/file_list_window_win.h"
#include "view/tool_strip_win.h"
#include "view/view_bar_win.h"

namespace {

constexpr int kLargeFontHeight = -14;
constexpr int kNormalFontHeight = -12;

// The panes draw their notes through their own device contexts.
void SelectIntoOwnDc(HWND window, HFONT font) {
  if (!window) return;
  SelectObject(GetDC(window), font);
  InvalidateRect(window, nullptr, FALSE);
}

}  // namespace

void CreateInterfaceFont() {
  ApplicationState& app = App();
  std::wstring face = LanguageString(app.language.get(), IDS_FACE_NAME);
  LOGFONTW font = {};
  font.lfHeight = app.settings.font_height == kLargeFontHeight ? kLargeFontHeight
                                                               : kNormalFontHeight;
  font.lfWeight = app.settings.font_weight == FW_BOLD ? FW_BOLD : FW_NORMAL;
  font.lfCharSet = DEFAULT_CHARSET;
  font.lfQuality = DEFAULT_QUALITY;
  lstrcpynW(font.lfFaceName, face.c_str(), LF_FACESIZE);
  app.ui_font.reset(CreateFontIndirectW(&font));
}

void ChangeInterfaceFont() {
  ApplicationState& app = App();
  UniqueFont old(app.ui_font.release());  // in use until every window has let it go
  CreateInterfaceFont();
  HFONT font = app.ui_font.get();
  if (!font) {
    app.ui_font.reset(old.release());
    return;
  }
  for (HWND tip : app.tooltips) {
    if (tip) SendMessageW(tip, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  }
  for (HWND window : {app.view_window, app.source_pane, app.preview_pane}) {
    SelectIntoOwnDc(window, font);
  }
  SetViewBarFont(font);
  RebuildToolStrip();
  RefreshFileListWindow();
}
