#include "app/pending_commands.h"

#include <cstdint>

#include "app/display_mode.h"

namespace {

enum class PendingWhere : uint8_t { kEveryMode, kEditWindow };

struct PendingCommands {
  uint16_t first;
  uint16_t last;
  PendingWhere where;
};

constexpr PendingWhere kEvery = PendingWhere::kEveryMode;

constexpr PendingCommands kPending[] = {
    {5111, 5111, kEvery},    // histogram window
    {5120, 5149, kEvery},    // trim, resize, rotate and canvas
    {5155, 5160, kEvery},    // colour adjustments
    {5164, 5182, kEvery},
    {5270, 5276, kEvery},    // filters
};

bool Applies(const PendingCommands& row, int command, int display_mode) {
  if (command < row.first || command > row.last) return false;
  return row.where == kEvery || display_mode == kDisplayEdit;
}

}  // namespace

bool IsPendingCommand(int command, int display_mode) {
  for (const PendingCommands& row : kPending) {
    if (Applies(row, command, display_mode)) return true;
  }
  return false;
}
