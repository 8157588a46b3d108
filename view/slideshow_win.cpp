#include "view/slideshow_win.h"

#include "app/app_state.h"
#include "app/command_seams_win.h"
#include "app/display_mode_win.h"
#include "image/document_win.h"
#include "view/file_list_window_win.h"
#include "view/slideshow_steps.h"
#include "view/view_bar_win.h"
#include "view/view_cursor_win.h"

namespace {

int32_t EntryCount() { return static_cast<int32_t>(App().file_list.entries().size()); }
int32_t CurrentIndex() { return static_cast<int32_t>(App().file_list.current()); }
bool Repeats() { return App().settings.slideshow_wraps != 0; }

void SetSlideshowTimer() {
  ApplicationState& app = App();
  SetTimer(app.view_window, kSlideshowTimer, SlideshowPeriodMs(app.settings.slideshow_interval),
           nullptr);
}

}  // namespace

void StartSlideshow() {
  ApplicationState& app = App();
  if (app.slideshow_running) return;
  SwitchDisplayMode(kDisplayFullScreen);
  if (!SlideshowCanStart(CurrentIndex(), EntryCount(), Repeats())) return;
  if (!SettleUnsavedChanges()) return;
  CloseFileListWindow();
  HideViewCursor();
  app.slideshow_running = true;
  app.accelerators_suspended = true;
  RefreshBarButtons();
  SetSlideshowTimer();
}

void StopSlideshow() {
  ApplicationState& app = App();
  if (!app.slideshow_running) return;
  app.slideshow_running = false;
  app.accelerators_suspended = false;
  KillTimer(app.view_window, kSlideshowTimer);
  ShowViewCursor();
  RefreshBarButtons();
}

void OnSlideshowTick() {
  ApplicationState& app = App();
  KillTimer(app.view_window, kSlideshowTimer);
  if (!app.slideshow_running) return;  // a tick already queued when the show stopped
  // The folder may have lost its other images, or another file opened
  // meanwhile: with nothing left to step through the show ends.
  if (EntryCount() < 2) return StopSlideshow();
  HideViewCursor();
  SlideshowStep step = NextSlideshowStep(CurrentIndex(), EntryCount(), Repeats());
  OpenListEntry(static_cast<size_t>(step.next_index));
  if (!step.continues) {
    StopSlideshow();
  } else if (app.slideshow_running) {
    SetSlideshowTimer();
  }
}
