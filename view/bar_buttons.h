// The view window's bar as data: its buttons and separators in order with
// their images, and when each button can be used.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

struct BarItem {
  uint16_t id;    // the button's command, or a separator's own identifier
  int16_t image;  // index into the button images; kBarSeparator for a separator
};

constexpr int16_t kBarSeparator = -1;
constexpr uint16_t kBarLabelSeparator = 9920;  // room for the label beside the zoom buttons
constexpr uint16_t kBarTitleSeparator = 9912;  // widened in full screen to hold the title

std::span<const BarItem> ViewBarItems();

// The separators and window buttons only full screen shows.
bool IsFullScreenBarItem(uint16_t id);

struct BarFacts {
  bool has_image = false;
  bool slideshow = false;
  bool has_file_list = false;
  size_t entries = 0;
};

// Whether the button of `command` can be used now; a button left out of
// the rules always can.
bool BarButtonEnabled(int command, const BarFacts& facts);
