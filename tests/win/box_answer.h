// A helper thread that answers the first message box the test's own thread
// shows, the way a user would click, and tells what the box said.
#pragma once

#include <windows.h>

#include <atomic>
#include <string>
#include <thread>

namespace box_answer_detail {

struct BoxSearch {
  DWORD thread;
  HWND found;
};

inline BOOL CALLBACK FindBox(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<BoxSearch*>(param);
  wchar_t name[16];
  if (GetWindowThreadProcessId(window, nullptr) == search->thread && GetClassNameW(window, name, 16) &&
      lstrcmpW(name, L"#32770") == 0 && IsWindowVisible(window)) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

inline BOOL CALLBACK CollectStatic(HWND child, LPARAM param) {
  wchar_t name[16], text[512] = {};
  if (GetClassNameW(child, name, 16) && lstrcmpiW(name, L"Static") == 0 &&
      GetWindowTextW(child, text, 512) > 0) {
    *reinterpret_cast<std::wstring*>(param) += text;
  }
  return TRUE;
}

}  // namespace box_answer_detail

// A quit message left by an earlier test would end the next box at once.
inline void DropPendingMessages() {
  MSG pending;
  while (PeekMessageW(&pending, nullptr, 0, 0, PM_REMOVE)) {
  }
}

// Clicks `button` on the first box `ui_thread` shows, within 5 s; the
// caption and, when asked for, the box's text are kept.
inline std::thread AnswerBox(DWORD ui_thread, int button, std::wstring* caption,
                             std::wstring* text = nullptr) {
  using namespace box_answer_detail;
  return std::thread([=] {
    for (int i = 0; i < 200; ++i) {
      BoxSearch search = {ui_thread, nullptr};
      EnumWindows(FindBox, reinterpret_cast<LPARAM>(&search));
      if (search.found) {
        wchar_t title[128] = {};
        GetWindowTextW(search.found, title, 128);
        *caption = title;
        if (text) EnumChildWindows(search.found, CollectStatic, reinterpret_cast<LPARAM>(text));
        PostMessageW(search.found, WM_COMMAND, button, 0);
        return;
      }
      Sleep(25);
    }
  });
}

// Answers every box `ui_thread` shows while it lives, the way a user would:
// types `typed` into control `edit` of the box first (when `edit` is not
// 0; a box without that control is not answered), then clicks `button`.
// Counts the boxes, so a test can tell how often it was asked.
class BoxAnswerer {
 public:
  BoxAnswerer(DWORD ui_thread, int button, int edit = 0, std::wstring typed = {})
      : thread_([=, this] { Run(ui_thread, button, edit, typed); }) {}
  ~BoxAnswerer() {
    stop_ = true;
    thread_.join();
  }
  BoxAnswerer(const BoxAnswerer&) = delete;
  BoxAnswerer& operator=(const BoxAnswerer&) = delete;

  int count() const { return count_; }

 private:
  void Run(DWORD ui_thread, int button, int edit, const std::wstring& typed) {
    using namespace box_answer_detail;
    while (!stop_) {
      BoxSearch search = {ui_thread, nullptr};
      EnumWindows(FindBox, reinterpret_cast<LPARAM>(&search));
      HWND box = search.found;
      if (box && (edit == 0 || GetDlgItem(box, edit))) {
        DWORD_PTR ignored = 0;
        if (edit != 0) {
          SendMessageTimeoutW(GetDlgItem(box, edit), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(typed.c_str()),
                              SMTO_NORMAL, 2000, &ignored);
        }
        ++count_;
        PostMessageW(box, WM_COMMAND, button, 0);
        // The same box is not counted twice while it closes.
        for (int i = 0; i < 200 && IsWindow(box) && IsWindowVisible(box); ++i) Sleep(10);
      }
      Sleep(10);
    }
  }

  std::atomic<bool> stop_{false};
  std::atomic<int> count_{0};
  std::thread thread_;
};
