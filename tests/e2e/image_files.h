// Test pictures for the scenarios, written and read with the program's own
// codecs so the comparison is about what the viewer shows.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "image/image_buffer.h"

// 0x00RRGGBB of pixel (x, y), y from the top: a pattern with no grey in it,
// so it never matches a background.
uint32_t PatternColour(int x, int y, uint32_t seed);

// Writes a 24-bit BMP of the pattern; false on failure.
bool WritePatternBmp(const std::wstring& path, int width, int height, uint32_t seed);
// 0x00RRGGBB of pixel (x, y) in square blocks of `block` pixels, each block
// one of four colours none of which is grey: large enough areas that a
// smoothed scale-down still shows them unchanged.
uint32_t BlockColour(int x, int y, uint32_t block);
bool WriteBlockPatternBmp(const std::wstring& path, int width, int height, uint32_t block);
// 0x00RRGGBB of pixel (x, y) of a 60 x 40 picture in upright bands: 16
// columns red, 14 yellow, 14 green, 16 blue. Cropped to a portrait page's
// proportions, only the yellow and the green band are left.
uint32_t BandColour(int x, int y, uint32_t unused);
bool WriteBandsBmp(const std::wstring& path);
constexpr int kBandsWidth = 60, kBandsHeight = 40;
// Writes a 24-bit BMP of one colour.
bool WriteSolidBmp(const std::wstring& path, int width, int height, uint32_t colour);

// Reads a BMP back; the caller releases the pixels.
bool ReadBmpFile(const std::wstring& path, ImageBuffer* image);
uint32_t PixelAt(const ImageBuffer& image, int x, int y);  // y from the top

// Waits until a file exists (and can be read whole).
bool WaitForFile(const std::wstring& path, DWORD timeout_ms);
