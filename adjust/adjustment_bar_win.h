// The adjustment bar: a band of the edit window's tool strip with Apply and
// Cancel and the adjustment's own controls, laid out left to right.
#pragma once

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <string>

#include "adjust/tone_values.h"

constexpr int kAdjustmentBarId = 1013;

// Creates the bar's tool bar with Apply and Cancel; the controls follow.
HWND CreateAdjustmentBar();

// Places the adjustment's controls one after the other at the bar's
// conventions of size and spacing.
class BarLayout {
 public:
  explicit BarLayout(HWND bar);

  HWND Label(int id, UINT text);
  HWND Edit(int id, int digits);
  HWND UpDown(int id, HWND buddy, const AmountRange& range);
  HWND Check(int id, UINT text, bool on);
  HWND Push(int id, UINT text);
  HWND ColourBox(int id);
  // The gap before a new group of controls.
  void NewGroup() { x_ += 16 - last_gap_; last_gap_ = 16; }
  int End() const { return x_ - last_gap_; }

 private:
  HWND Make(const wchar_t* class_name, int id, DWORD style, DWORD ex_style, const std::wstring& text,
            int width, int height, int y);

  HWND bar_;
  int x_;
  int height_;
  int last_gap_ = 0;
};

// Shows the bar as a band captioned with the adjustment's command name.
void ShowAdjustmentBar(HWND bar, int command, int width);
// Takes the bar away again; the save-options bar comes back.
void RemoveAdjustmentBar();

// The common rule of the bar's number boxes: the focus switches the keys
// between typing and commands, a change stores the typed number held in
// range (the box keeps what was typed until it loses the focus, when the
// stored value is written back). True when the stored value changed, and a
// preview is then due.
bool FollowEditRule(WPARAM command, HWND edit, std::atomic<int32_t>* value,
                    const AmountRange& range);

// The box's text as a signed number; text that is no number reads as 0.
int32_t BoxNumber(HWND edit);
// Writes a number into a box without the bar taking it as typed.
void WriteBoxNumber(HWND edit, int32_t value);
