// The quantisation tables the JPEG writer installs: the example tables of
// the JPEG standard scaled by a quality of 1 to 100, baseline-limited, the
// same tables jpeg_set_quality makes with baseline forcing.
#pragma once

#include <cstdio>  // the library's header needs FILE and size_t first

#include <jpeglib.h>

constexpr int kJpegTableEntries = DCTSIZE2;

// In natural (row by row) order.
extern const unsigned int kStandardLuminanceTable[kJpegTableEntries];
extern const unsigned int kStandardChrominanceTable[kJpegTableEntries];

// Percent applied to the standard entries: 5000 / quality below 50,
// 200 - 2 x quality from 50 on; below 1 counts as 1 and above 100 as 100.
int JpegQualityScale(int quality);

// (entry x scale + 50) / 100, limited to 1..255.
void ScaleJpegTable(const unsigned int* standard, int quality, unsigned int* scaled);

// Installs both scaled tables as tables 0 (luminance) and 1 (chrominance).
void InstallJpegQuality(j_compress_ptr info, int quality);
