#include "image/plugin_places_win.h"

#include <windows.h>

#include "app/app_state.h"
#include "app/settings_location_win.h"
#include "app/wide_text.h"
#include "image/plugin_host_win.h"

namespace {

struct PatternCache {
  bool filled = false;
  PluginPlaces places;
  std::vector<std::u16string> images, all;
};

bool SamePlaces(const PluginPlaces& a, const PluginPlaces& b) {
  return a.folder == b.folder && a.disabled == b.disabled;
}

}  // namespace

PluginPlaces CurrentPluginPlaces() {
  const SettingsValues& settings = App().settings;
  PluginPlaces places;
  places.disabled = settings.plugin_modules;
  if (settings.plugin_folder_stored) {
    places.folder = ToWide(settings.plugin_folder);
  } else {
    // The plug-ins we ship work before anyone sets a folder.
    const std::wstring beside = JoinPath(ProgramFolder(), L"plugins");
    if (IsFolder(beside)) places.folder = beside;
  }
  return places;
}

const std::vector<std::u16string>& CurrentPluginPatterns(bool with_archives) {
  static PatternCache cache;
  const PluginPlaces places = CurrentPluginPlaces();
  if (!cache.filled || !SamePlaces(cache.places, places)) {
    cache.places = places;
    cache.images = PluginPatterns(places, false);
    cache.all = PluginPatterns(places, true);
    cache.filled = true;
  }
  return with_archives ? cache.all : cache.images;
}
