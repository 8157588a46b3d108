#include "image/document_list_win.h"

#include "app/app_state.h"
#include "app/command_ids.h"
#include "image/document_win.h"
#include "view/file_list_window_win.h"

namespace {

void Step(ListStep step) {
  ApplicationState& app = App();
  std::optional<size_t> target = app.file_list.StepTarget(step);
  if (!target || !SettleUnsavedChanges()) return;
  OpenListEntry(*target);
}

void SortBy(int order) {
  ApplicationState& app = App();
  app.settings.file_list_order = order;
  app.file_list.Sort(static_cast<SortOrder>(order));
  RefreshFileListWindow();
}

}  // namespace

bool RunListCommand(int command) {
  switch (command) {
    case kCommandFirstImage:
      Step(ListStep::kFirst);
      return true;
    case kCommandLastImage:
      Step(ListStep::kLast);
      return true;
    case kCommandPreviousImage:
      Step(ListStep::kPrevious);
      return true;
    case kCommandNextImage:
      Step(ListStep::kNext);
      return true;
  }
  if (command >= kCommandFileListOrderName && command <= kCommandFileListOrderLast) {
    SortBy(command - kCommandFileListOrderName);
    return true;
  }
  return false;
}
