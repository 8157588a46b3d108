// The functions an image or archive plug-in module exports, by name.
#pragma once

#include <windows.h>

#include <cstdint>

#include "plugins/spi/spi_records.h"

using SpiProgress = int(WINAPI*)(int done, int total, intptr_t data);

using GetPluginInfoFn = int(WINAPI*)(int index, char* buffer, int buffer_size);
using IsSupportedFn = int(WINAPI*)(const char* file_name, void* head);
using GetPictureInfoFn = int(WINAPI*)(const char* input, intptr_t length, unsigned flag,
                                      SpiPictureInfo* info);
using GetPictureFn = int(WINAPI*)(const char* input, intptr_t length, unsigned flag,
                                  HLOCAL* bitmap_info, HLOCAL* bitmap_bits, SpiProgress progress,
                                  intptr_t data);
using GetArchiveInfoFn = int(WINAPI*)(const char* input, intptr_t length, unsigned flag,
                                      HLOCAL* records);
using GetFileFn = int(WINAPI*)(const char* input, intptr_t length, char* output, unsigned flag,
                               SpiProgress progress, intptr_t data);
using ConfigurationDlgFn = int(WINAPI*)(HWND owner, int function);
