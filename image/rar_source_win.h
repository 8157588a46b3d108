// RAR archives read through whichever unrar64.dll is found: the user's own
// in the plug-in folder first, then ours beside the program, then one in the
// system folder. Every listing and every extraction is one operation with a
// freshly loaded library, and asks for a password at most once.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "image/file_list.h"
#include "image/page_memory.h"

struct RarPlaces {
  HWND owner = nullptr;          // owner of the password dialog
  std::wstring plugin_folder;    // searched first; empty when none is configured
};

struct RarListing {
  std::vector<FileListEntry> members;  // archive order; key = position
  FileTimeValue last_write{};          // of the archive file itself
};

// Whether any of the three places holds a usable library.
bool RarAvailable(const RarPlaces& places);

// The member table of the archive (of its first volume when the path names
// a later one). False on any failure, without a message.
bool ListRar(const RarPlaces& places, const std::wstring& path, RarListing* listing);

// Member `key` unpacked into page memory; `size` is the bytes written.
// False on any failure (a cancelled password among them), without a message.
bool ExtractRar(const RarPlaces& places, const std::wstring& path, uint32_t key, PageBlock* block,
                uint32_t* size);
