#include "view/strip_band_win.h"

#include <algorithm>
#include <string>
#include <vector>

#include "app/app_state.h"
#include "app/gdi_guards_win.h"
#include "app/language_module_win.h"
#include "app/menu_caption.h"
#include "view/button_images_win.h"

namespace {

ApplicationState& A() { return App(); }

TBBUTTON ButtonOf(const StripButton& b, std::vector<std::wstring>& texts) {
  TBBUTTON button = {};
  button.idCommand = b.id;
  button.fsState = TBSTATE_ENABLED;
  button.fsStyle = b.style;
  button.iBitmap = b.image;
  if (b.style & BTNS_SHOWTEXT) {
    texts.push_back(StripCaption(b.id));
    button.iString = reinterpret_cast<INT_PTR>(texts.back().c_str());
  }
  return button;
}

}  // namespace

namespace {

HGDIOBJ InterfaceFont() {
  return A().ui_font ? A().ui_font.get() : GetStockObject(DEFAULT_GUI_FONT);
}

}  // namespace

int StripTextWidth(const std::wstring& text) {
  WindowDcGuard screen(nullptr);
  SelectionGuard font(screen.get(), InterfaceFont());
  SIZE size = {};
  GetTextExtentPoint32W(screen.get(), text.c_str(), static_cast<int>(text.size()), &size);
  return size.cx;
}

int StripButtonHeight() {
  TEXTMETRICW metrics = {};
  WindowDcGuard screen(nullptr);
  SelectionGuard font(screen.get(), InterfaceFont());
  GetTextMetricsW(screen.get(), &metrics);
  return std::max(static_cast<int>(metrics.tmHeight) + 10, 22);
}

std::wstring StripCaption(int id) {
  return WithoutMnemonic(LanguageString(A().language.get(), static_cast<UINT>(id)));
}

HWND CreateBandBar(HWND strip, int id, std::span<const StripButton> buttons) {
  HWND bar = CreateWindowExW(0, TOOLBARCLASSNAMEW, nullptr,
                             WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN |
                                 TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | TBSTYLE_LIST | CCS_NODIVIDER |
                                 CCS_NORESIZE | CCS_NOPARENTALIGN,
                             0, 0, 0, 0, strip, reinterpret_cast<HMENU>(INT_PTR{id}),
                             A().instance, nullptr);
  if (!bar) return nullptr;
  SendMessageW(bar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  SendMessageW(bar, TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_DRAWDDARROWS | TBSTYLE_EX_MIXEDBUTTONS);
  if (A().ui_font) SendMessageW(bar, WM_SETFONT, reinterpret_cast<WPARAM>(A().ui_font.get()), 0);
  AttachButtonImages(bar);
  std::vector<std::wstring> texts;
  texts.reserve(buttons.size());  // the buttons keep pointers into it until they are added
  std::vector<TBBUTTON> items;
  for (const StripButton& b : buttons) items.push_back(ButtonOf(b, texts));
  SendMessageW(bar, TB_ADDBUTTONSW, items.size(), reinterpret_cast<LPARAM>(items.data()));
  SendMessageW(bar, TB_SETBUTTONSIZE, 0, MAKELPARAM(0, StripButtonHeight()));
  SendMessageW(bar, TB_AUTOSIZE, 0, 0);
  return bar;
}

void AddBand(HWND strip, HWND bar, int id, bool new_row) {
  REBARBANDINFOW band = {sizeof(REBARBANDINFOW)};
  band.fMask = RBBIM_CHILD | RBBIM_ID | RBBIM_STYLE;
  band.fStyle = RBBS_CHILDEDGE | RBBS_GRIPPERALWAYS | (new_row ? RBBS_BREAK : 0);
  band.hwndChild = bar;
  band.wID = static_cast<UINT>(id);
  SendMessageW(strip, RB_INSERTBANDW, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&band));
  FitBandToBar(strip, bar);
}

void FitBandToBar(HWND strip, HWND bar) {
  const int index = static_cast<int>(
      SendMessageW(strip, RB_IDTOINDEX, static_cast<WPARAM>(GetDlgCtrlID(bar)), 0));
  if (index < 0) return;
  SendMessageW(bar, TB_AUTOSIZE, 0, 0);
  SIZE size = {};
  SendMessageW(bar, TB_GETMAXSIZE, 0, reinterpret_cast<LPARAM>(&size));
  REBARBANDINFOW band = {sizeof(REBARBANDINFOW)};
  band.fMask = RBBIM_CHILDSIZE | RBBIM_SIZE;
  band.cxMinChild = static_cast<UINT>(size.cx);
  band.cyMinChild = static_cast<UINT>(size.cy);
  band.cx = static_cast<UINT>(size.cx + 16);
  SendMessageW(strip, RB_SETBANDINFOW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&band));
}
