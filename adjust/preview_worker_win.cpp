#include "adjust/preview_worker_win.h"

#include <process.h>

#include "adjust/adjustment_win.h"
#include "app/app_state.h"

namespace {

constexpr wchar_t kWorkerClass[] = L"Ovira_iudt_class";
constexpr DWORD kWindowWaitMs = 5000;
constexpr DWORD kEndWaitMs = 1000;

LRESULT CALLBACK WorkerWindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case kPreviewRequest: {
      App().preview_busy.store(true, std::memory_order_relaxed);
      reinterpret_cast<CIBase*>(wparam)->ComputePreview(lparam);
      App().preview_busy.store(false, std::memory_order_relaxed);
      return 0;
    }
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

}  // namespace

bool PreviewWorker::Start(CIBase* adjustment, bool first_request) {
  if (thread_) return true;
  adjustment_ = adjustment;
  first_request_ = first_request;
  stop_.store(false, std::memory_order_relaxed);
  window_made_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  if (!window_made_) return false;
  thread_ = reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, ThreadProc, this, 0, nullptr));
  if (thread_) WaitForSingleObject(window_made_, kWindowWaitMs);
  CloseHandle(window_made_);
  window_made_ = nullptr;
  if (thread_ && !window_.load()) Stop();  // the thread could not make its window
  return thread_ != nullptr;
}

void PreviewWorker::Request(LPARAM value) const {
  if (HWND window = window_.load()) {
    PostMessageW(window, kPreviewRequest, reinterpret_cast<WPARAM>(adjustment_), value);
  }
}

unsigned __stdcall PreviewWorker::ThreadProc(void* self) {
  static_cast<PreviewWorker*>(self)->Loop();
  _endthreadex(0);
  return 0;
}

void PreviewWorker::Loop() {
  WNDCLASSW wc = {};
  wc.lpfnWndProc = WorkerWindowProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = kWorkerClass;
  const bool registered = RegisterClassW(&wc) != 0;  // a worker still ending may hold it
  HWND window = CreateWindowExW(0, kWorkerClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                wc.hInstance, nullptr);
  window_.store(window);
  SetEvent(window_made_);
  if (!window) return;
  if (first_request_) Request();
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    // Only the newest of the requests waiting is worth computing.
    while (message.message == kPreviewRequest &&
           PeekMessageW(&message, window, kPreviewRequest, kPreviewRequest, PM_REMOVE)) {
    }
    DispatchMessageW(&message);
  }
  window_.store(nullptr);
  if (registered) UnregisterClassW(kWorkerClass, wc.hInstance);
}

bool PreviewWorker::Stop() {
  if (!thread_) return true;
  stop_.store(true, std::memory_order_relaxed);
  if (HWND window = window_.load()) {
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(window, WM_CLOSE, 0, 0, SMTO_NORMAL, kEndWaitMs, &ignored);
  }
  DWORD code = 0;
  bool ended = GetExitCodeThread(thread_, &code) && code != STILL_ACTIVE;
  if (!ended) ended = WaitForSingleObject(thread_, kEndWaitMs) == WAIT_OBJECT_0;
  if (!ended) TerminateThread(thread_, 1);
  CloseHandle(thread_);
  thread_ = nullptr;
  window_.store(nullptr);
  App().preview_busy.store(false, std::memory_order_relaxed);
  return ended;
}
