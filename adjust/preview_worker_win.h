// The thread that computes an adjustment's previews, so that dragging a
// value never holds up the window. Requests are posted messages; a burst of
// them is answered by one computation, for the newest.
#pragma once

#include <windows.h>

#include <atomic>

class CIBase;

class PreviewWorker {
 public:
  PreviewWorker() = default;
  PreviewWorker(const PreviewWorker&) = delete;
  PreviewWorker& operator=(const PreviewWorker&) = delete;
  ~PreviewWorker() { Stop(); }

  // Starts the thread for `adjustment`; with `first_request` it computes a
  // preview at once. False when no thread could be made.
  bool Start(CIBase* adjustment, bool first_request);

  // Asks for a preview; the value reaches ComputePreview.
  void Request(LPARAM value = 0) const;

  // Ends the thread: a computation in progress is asked to stop and ends
  // within a few rows. True when the thread ended by itself; false when it
  // had to be terminated after a second, as a last resort.
  bool Stop();

  // Polled by the kernels between rows.
  const std::atomic<bool>* StopFlag() const { return &stop_; }
  bool Running() const { return thread_ != nullptr; }

 private:
  static unsigned __stdcall ThreadProc(void* self);
  void Loop();

  HANDLE thread_ = nullptr;
  HANDLE window_made_ = nullptr;
  std::atomic<HWND> window_{nullptr};
  std::atomic<bool> stop_{false};
  CIBase* adjustment_ = nullptr;
  bool first_request_ = false;
};

// The message a request is: wParam the adjustment, lParam the value.
constexpr UINT kPreviewRequest = WM_APP;
