#include "app/command_kinds.h"

#include <algorithm>
#include <iterator>

#include "app/command_ids.h"

namespace {

constexpr int kImageEditCommands[] = {
    5120, 5121, 5122, 5123, 5140, 5150, 5151, 5152, 5153, 5154,  // geometry
    5160, 5161, 5162, 5163, 5164, 5165, 5166, 5167, 5168,        // colour
    5170, 5171, 5172, 5180, 5181, 5182,                          // sharpness, colour
    5270, 5271, 5272, 5273, 5274, 5275, 5276,                    // filters
};

constexpr int kDuringAdjustment[] = {
    5210, 5220, 5230, 5240, 5260, 5261, 5262, 5263, 5264, 5265, 5600, 5610, 5611,  // zoom
    5650, 5651, 5652, 5653,                                                        // pan
    5710, 5720, 5721, 5722, 5740,                                                  // panes
    kCommandApplyAdjustment, kCommandCancelAdjustment,
};

template <size_t N>
bool Contains(const int (&list)[N], int command) {
  return std::find(std::begin(list), std::end(list), command) != std::end(list);
}

}  // namespace

bool IsImageEditCommand(int command) { return Contains(kImageEditCommands, command); }

bool IsAllowedDuringAdjustment(int command) { return Contains(kDuringAdjustment, command); }

int ExternalProgramIndex(int command) {
  if (command < kCommandExternalProgram1 || command > kCommandExternalProgram8) return -1;
  return command - kCommandExternalProgram1;
}
