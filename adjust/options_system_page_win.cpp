// The system page: the program's registration for its formats, the Send To
// shortcut, the save question, the saved desktop background file, and the
// interface font and language.
#include <windows.h>
#include <shlobj.h>

#include <string>

#include "adjust/file_associations.h"
#include "adjust/options_session_win.h"
#include "adjust/user_registry_win.h"
#include "app/app_state.h"
#include "app/interface_font_win.h"
#include "app/language_module_win.h"
#include "app/menu_build_win.h"
#include "app/menu_refresh_win.h"
#include "app/program_message_win.h"
#include "app/settings_location_win.h"
#include "app/shell_shortcut_win.h"
#include "app/wide_text.h"
#include "app/window_text_win.h"
#include "image/ascii_case.h"
#include "image/wallpaper_win.h"
#include "lang/string_ids.h"
#include "view/title_win.h"

namespace {

constexpr int kSystemPage = 5;
constexpr int kLargeFontHeight = -14, kNormalFontHeight = -12;
constexpr int kBoldWeight = 700, kNormalWeight = 400;
constexpr uint32_t kMessageCannotDelete = 30010;
constexpr int kSendToFolder = 9;  // CSIDL_SENDTO

// Before Vista the extension keys decide which program opens a file; since
// then only the user's own choice does, and the program offers itself.
bool UsesOlderScheme() { return App().os_class <= 1; }

std::u16string ModulePath() { return ToU16(App().exe_path); }

std::wstring SendToShortcutPath() {
  wchar_t folder[MAX_PATH] = {};
  if (FAILED(SHGetFolderPathW(nullptr, kSendToFolder, nullptr, 0, folder))) return {};
  const std::wstring& exe = App().exe_path;
  size_t slash = exe.find_last_of(L"\\/");
  std::wstring base = exe.substr(slash == std::wstring::npos ? 0 : slash + 1);
  size_t dot = base.rfind(L'.');
  if (dot != std::wstring::npos) base.resize(dot);
  return JoinPath(folder, base + L".lnk");
}

void ShowOfferState(HWND page) {
  WindowsUserRegistry registry;
  bool offered = IsOfferedAsHandler(registry, ModulePath());
  SetDlgItemTextW(page, IDC_OPT_OFFER_STATE,
                  LanguageString(App().language.get(), offered ? IDS_OFFERED : IDS_NOT_OFFERED)
                      .c_str());
  EnableWindow(GetDlgItem(page, IDC_OPT_WITHDRAW), offered);
}

void FillAssociations(HWND page, OptionsSession& session) {
  bool older = UsesOlderScheme();
  if (older) {
    WindowsUserRegistry registry;
    session.associations_read = ReadAssociations(registry, ModulePath());
  }
  for (int i = 0; i < kAssociationFormats; ++i) {
    HWND box = GetDlgItem(page, IDC_OPT_ASSOCIATE_FIRST + i);
    EnableWindow(box, older);
    CheckDlgButton(page, IDC_OPT_ASSOCIATE_FIRST + i,
                   session.associations_read[i] ? BST_CHECKED : BST_UNCHECKED);
  }
  for (int id : {IDC_OPT_OFFER, IDC_OPT_WITHDRAW, IDC_OPT_OFFER_STATE}) {
    ShowWindow(GetDlgItem(page, id), older ? SW_HIDE : SW_SHOW);
  }
  if (!older) ShowOfferState(page);
}

// Only module files that really are language modules are offered; the one
// in use is listed without asking.
void FillLanguages(HWND page, OptionsSession& session) {
  HWND list = GetDlgItem(page, IDC_OPT_LANGUAGE);
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW(JoinPath(ProgramFolder(), L"*.dll").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    std::wstring name = found.cFileName;
    size_t dot = name.rfind(L'.');
    if (dot != std::wstring::npos) name.resize(dot);
    bool current = EqualIgnoringAsciiCase(ToU16(name), session.language);
    if (!current && !IsUsableLanguageModule(name)) continue;
    LRESULT index = SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    if (current) SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  } while (FindNextFileW(search, &found));
  FindClose(search);
}

void Fill(HWND page, OptionsSession& session) {
  ApplicationState& app = App();
  session.font_height = app.settings.font_height;
  session.font_weight = app.settings.font_weight;
  session.language = ToU16(app.language_name);
  FillAssociations(page, session);
  session.send_to_read = IsFile(SendToShortcutPath());
  CheckDlgButton(page, IDC_OPT_SEND_TO, session.send_to_read ? BST_CHECKED : BST_UNCHECKED);
  FillOptionChecks(page, kSystemPage, session.pending);
  EnableWindow(GetDlgItem(page, IDC_OPT_DELETE_WALLPAPER), IsFile(SavedWallpaperPath()));
  CheckDlgButton(page, IDC_OPT_LARGE_FONT,
                 session.font_height == kLargeFontHeight ? BST_CHECKED : BST_UNCHECKED);
  CheckDlgButton(page, IDC_OPT_BOLD_FONT,
                 session.font_weight == kBoldWeight ? BST_CHECKED : BST_UNCHECKED);
  FillLanguages(page, session);
}

void ApplyAssociationBoxes(HWND page, OptionsSession& session) {
  if (!UsesOlderScheme()) return;
  AssociationBoxes wanted{};
  for (int i = 0; i < kAssociationFormats; ++i) {
    wanted[i] = IsDlgButtonChecked(page, IDC_OPT_ASSOCIATE_FIRST + i) == BST_CHECKED;
  }
  WindowsUserRegistry registry;
  ApplyAssociations(registry, ModulePath(), &session.associations_read, wanted);
}

void ApplySendTo(HWND page, OptionsSession& session) {
  bool wanted = IsDlgButtonChecked(page, IDC_OPT_SEND_TO) == BST_CHECKED;
  if (wanted == session.send_to_read) return;
  std::wstring path = SendToShortcutPath();
  if (path.empty()) return;
  if (wanted && !IsFile(path)) CreateShortcut(path, App().exe_path);
  if (!wanted && IsFile(path)) DeleteFileW(path.c_str());
  session.send_to_read = IsFile(path);
}

void Collect(HWND page, OptionsSession& session) {
  ApplyAssociationBoxes(page, session);
  ApplySendTo(page, session);
  CollectOptionChecks(page, kSystemPage, &session.pending);
  session.font_height =
      IsDlgButtonChecked(page, IDC_OPT_LARGE_FONT) ? kLargeFontHeight : kNormalFontHeight;
  session.font_weight = IsDlgButtonChecked(page, IDC_OPT_BOLD_FONT) ? kBoldWeight : kNormalWeight;
  HWND list = GetDlgItem(page, IDC_OPT_LANGUAGE);
  LRESULT index = SendMessageW(list, CB_GETCURSEL, 0, 0);
  if (index >= 0) session.language = ToU16(WindowText(list));
}

void DeleteSavedWallpaper(HWND page) {
  std::wstring path = SavedWallpaperPath();
  if (IsFile(path) && !DeleteFileW(path.c_str())) {
    ShowProgramMessage(kMessageCannotDelete);
    return;
  }
  EnableWindow(GetDlgItem(page, IDC_OPT_DELETE_WALLPAPER), FALSE);
}

RegistrationTexts OfferTexts() {
  HMODULE language = App().language.get();
  RegistrationTexts texts;
  texts.application_description = ToU16(LanguageString(language, IDS_OFFER_DESCRIPTION));
  for (int i = 0; i < kAssociationFormats; ++i) {
    texts.format_names[i] = ToU16(LanguageString(language, IDS_FORMAT_NAME_FIRST + i));
  }
  return texts;
}

// The offer is made or withdrawn at once, like the file button beside it:
// neither is a setting that Cancel could take back.
void ChangeOffer(HWND page, bool offer) {
  WindowsUserRegistry registry;
  if (offer) {
    OfferAsHandler(registry, ModulePath(), OfferTexts());
  } else {
    WithdrawAsHandler(registry, ModulePath());
  }
  // Explorer reads the classes again once told they changed.
  SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST, nullptr, nullptr);
  ShowOfferState(page);
}

bool Command(HWND page, int id, int code, OptionsSession&) {
  if (code != BN_CLICKED) return false;
  switch (id) {
    case IDC_OPT_DELETE_WALLPAPER: DeleteSavedWallpaper(page); return true;
    case IDC_OPT_OFFER: ChangeOffer(page, true); return true;
    case IDC_OPT_WITHDRAW: ChangeOffer(page, false); return true;
  }
  return false;
}

}  // namespace

const OptionsPageHooks& SystemPageHooks() {
  static const OptionsPageHooks kHooks = {Fill, Collect, Command, nullptr, nullptr};
  return kHooks;
}

bool ApplyInterfaceChoice(OptionsSession& session) {
  ApplicationState& app = App();
  bool font_changed = session.font_height != app.settings.font_height ||
                      session.font_weight != app.settings.font_weight;
  bool language_changed =
      !session.language.empty() &&
      !EqualIgnoringAsciiCase(session.language, ToU16(app.language_name));
  if (!font_changed && !language_changed) return false;
  app.settings.font_height = session.font_height;
  app.settings.font_weight = session.font_weight;
  if (language_changed) {
    std::wstring loaded;
    if (HMODULE module = LoadLanguageModule(ToWide(session.language), &loaded)) {
      app.language.reset(module);
      app.language_name = loaded;
      app.settings.language_module = ToU16(loaded);
    }
  }
  BuildMenus();
  ForgetPreparedPopups();
  ChangeInterfaceFont();
  RefreshTitle();
  return true;
}
