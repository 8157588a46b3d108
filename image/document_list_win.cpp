#include "image/document_list_win.h"

#include "app/app_state.h"
#include "image/document_win.h"

namespace {

constexpr int kCommandFirst = 5700;
constexpr int kCommandLast = 5701;
constexpr int kCommandPrevious = 5702;
constexpr int kCommandNext = 5703;
constexpr int kCommandOrderByName = 5252;
constexpr int kCommandOrderBySize = 5254;

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
}

}  // namespace

bool RunListCommand(int command) {
  switch (command) {
    case kCommandFirst:
      Step(ListStep::kFirst);
      return true;
    case kCommandLast:
      Step(ListStep::kLast);
      return true;
    case kCommandPrevious:
      Step(ListStep::kPrevious);
      return true;
    case kCommandNext:
      Step(ListStep::kNext);
      return true;
  }
  if (command >= kCommandOrderByName && command <= kCommandOrderBySize) {
    SortBy(command - kCommandOrderByName);
    return true;
  }
  return false;
}
