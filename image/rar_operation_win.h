// One RAR listing or extraction: what the library's callback works with
// from opening the archive to closing it. Made afresh for every operation,
// so a password typed for one archive is never offered to another.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "image/unrar_library_win.h"

struct RarOperation {
  RarOperation(HWND owner_window, const std::wstring& plugin_folder)
      : owner(owner_window), library(plugin_folder) {}

  HWND owner;  // of the password dialog
  UnrarLibrary library;
  bool extract = false;  // take the data the library hands over
  // Where the data goes while extracting.
  uint8_t* out_start = nullptr;
  uint8_t* out_at = nullptr;
  uint8_t* out_end = nullptr;
  // The first request shows the dialog; later ones within the operation
  // get its answer.
  std::wstring password;
  bool password_asked = false;
  bool password_given = false;
};

// The library's callback; its user data is the RarOperation.
int CALLBACK RarCallback(UINT message, LPARAM user_data, LPARAM p1, LPARAM p2);
