#include "image/colour_count_message_win.h"

#include <windows.h>

#include <string>

#include "app/app_state.h"
#include "app/language_module_win.h"
#include "app/program_message_win.h"
#include "image/colour_count.h"
#include "image/status.h"
#include "lang/string_ids.h"

void ShowColourCount() {
  ApplicationState& app = App();
  const ImageBuffer& image = app.current;
  if (!image.pixels) return;
  uint32_t count = image.header.bit_count == 8
                       ? static_cast<uint32_t>(
                             CountPaletteIndices(image.header.width, image.header.height, image.pixels))
                       : CountColours(image.header.width, image.header.height, image.pixels, 3);
  if (count == 0) {
    ShowProgramMessage(kMessageColourCountFailed);
    return;
  }
  std::wstring text = LanguageString(app.language.get(), IDS_COLOUR_COUNT) + L": " + std::to_wstring(count);
  std::wstring caption = app.document.name.empty() ? L"Ovira" : app.document.name;
  MessageBoxW(OwnerWindow(), text.c_str(), caption.c_str(), MB_OK | MB_ICONINFORMATION);
}
