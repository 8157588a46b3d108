#include "view/bar_buttons.h"

namespace {

constexpr BarItem kItems[] = {
    {5010, 0},     {0, kBarSeparator},    {5311, 13}, {0, kBarSeparator},
    {5152, 1},     {5150, 2},             {0, kBarSeparator},
    {5210, 3},     {5220, 4},             {kBarLabelSeparator, kBarSeparator},
    {0, kBarSeparator},
    {5700, 5},     {5702, 6},             {5703, 7},  {5701, 8},
    {0, kBarSeparator},                   {5250, 9},  {0, kBarSeparator},
    {5310, 14},
    {kBarTitleSeparator, kBarSeparator},  {9911, kBarSeparator},
    {5540, 10},    {5530, 11},            {5550, 12},
};

}  // namespace

std::span<const BarItem> ViewBarItems() { return kItems; }

bool IsFullScreenBarItem(uint16_t id) {
  return id == kBarTitleSeparator || id == 9911 || id == 5540 || id == 5530 || id == 5550;
}

bool BarButtonEnabled(int command, const BarFacts& f) {
  const bool steps = f.has_file_list && f.entries > 1;
  switch (command) {
    case 5010: return !f.slideshow;
    case 5152: case 5150: case 5210: case 5220: case 5230: case 5240:
      return f.has_image && !f.slideshow;
    case 5700: case 5701: case 5702: case 5703: return steps && !f.slideshow;
    case 5250: return f.slideshow || steps;
    case 5311: return f.has_file_list && !f.slideshow;
    default: return true;
  }
}
