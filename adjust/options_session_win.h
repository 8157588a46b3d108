// What the options dialog and its six pages share while it is open: the
// settings being edited and the page hooks the frame calls.
#pragma once

#include <windows.h>

#include <array>
#include <optional>

#include "adjust/binding_edit.h"
#include "adjust/file_associations.h"
#include "app/settings_values.h"

constexpr int kOptionsPageCount = 6;

struct OptionsSession {
  HWND dialog = nullptr;
  std::array<HWND, kOptionsPageCount> pages{};
  int current_page = 0;
  // A copy of the settings that the pages fill and read; Apply puts it
  // into effect.
  SettingsValues pending;
  bool filling = false;  // the program is filling controls: no change to tell
  // The system page's state as it was read, to apply only what changed.
  AssociationBoxes associations_read{};
  bool send_to_read = false;
  // Font and language take effect on OK only.
  int32_t font_height = 0;
  int32_t font_weight = 0;
  std::u16string language;
  // The bindings dialog's copy, made when it is first opened.
  std::optional<BindingEdit> bindings;
};

// Enables Apply: something on a page changed.
void MarkOptionsChanged(OptionsSession& session);

// Each page's part: fill its controls from the pending settings, read
// them back on Apply, and answer its own buttons (true when handled).
struct OptionsPageHooks {
  void (*fill)(HWND page, OptionsSession& session);
  void (*collect)(HWND page, OptionsSession& session);
  bool (*command)(HWND page, int id, int code, OptionsSession& session);
  bool (*notify)(HWND page, const NMHDR* header, OptionsSession& session);
  bool (*draw)(const DRAWITEMSTRUCT* item, OptionsSession& session);
};

const OptionsPageHooks& GeneralPageHooks();   // pages 1 to 3
const OptionsPageHooks& ProgramsPageHooks();  // page 4
// The programs page's caption boxes' colours; nullptr for other controls.
HBRUSH ProgramCaptionColour(HDC dc, HWND control);
const OptionsPageHooks& PluginsPageHooks();   // page 5
const OptionsPageHooks& SystemPageHooks();    // page 6

// The bound check boxes and radio buttons of one page, filled from and
// read into the pending settings.
void FillOptionChecks(HWND page, int page_index, const SettingsValues& settings);
void CollectOptionChecks(HWND page, int page_index, SettingsValues* settings);

// Puts the pending font and language into effect after OK; true when the
// texts or the font changed and the frame rebuilt its menus and bars.
bool ApplyInterfaceChoice(OptionsSession& session);
