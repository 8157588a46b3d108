// What a row of the file-list window says and which of its columns fit.
// Portable: the window measures the texts and draws what this keeps.
#pragma once

#include <cstdint>
#include <string>

#include "image/file_list.h"

// A last-write time already turned into local calendar fields.
struct LocalStamp {
  int32_t year = 0, month = 0, day = 0, hour = 0, minute = 0;
};

// The size as the title counts it, whole KiB rounded up: "13KB".
std::u16string RowSizeText(uint64_t bytes);
// A short, sortable local form: "2026-12-09 14:05".
std::u16string RowDateText(const LocalStamp& stamp);

// Pixel widths of one row's texts and the room between columns.
struct RowWidths {
  int32_t row = 0;       // the whole row
  int32_t size = 0;      // the size text
  int32_t date = 0;      // the date text
  int32_t gap = 0;       // between the name and the info column and inside it
  int32_t min_name = 0;  // the least of the name the info columns may leave
};

// Horizontal extents inside the row, from its left edge. The name runs from
// 0 to name_right (ended with an ellipsis when longer); the info column is
// right-aligned from info_left to the row's right edge.
struct RowColumns {
  bool size = false;
  bool date = false;
  int32_t name_right = 0;
  int32_t info_left = 0;
};

// A narrow row drops the date first, then the size, before the name gets
// less than min_name.
RowColumns LayOutRow(const RowWidths& w);
