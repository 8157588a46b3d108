// A window of the viewer's class inside the driver, standing in for a running
// viewer so the scenarios can read exactly what a second start sends.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

class FakeViewer {
 public:
  // visible: whether the stand-in view window is shown. An edit window
  // stand-in is created too, shown when the view window is not.
  explicit FakeViewer(bool visible = true);
  ~FakeViewer();
  FakeViewer(const FakeViewer&) = delete;
  FakeViewer& operator=(const FakeViewer&) = delete;

  // Pumps messages until a WM_COPYDATA arrives or the time runs out.
  bool WaitForCopyData(DWORD timeout_ms);

  HWND view() const { return view_; }
  HWND edit() const { return edit_; }
  HWND receiver() const { return receiver_; }        // which window got it
  ULONG_PTR kind() const { return kind_; }
  const std::vector<uint8_t>& data() const { return data_; }

 private:
  static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

  HWND view_ = nullptr;
  HWND edit_ = nullptr;
  HWND receiver_ = nullptr;
  ULONG_PTR kind_ = 0;
  std::vector<uint8_t> data_;
  bool received_ = false;
};

// Runs the message loop for a while so the driver's windows answer.
void PumpMessages(DWORD milliseconds);
