// The source formats whose files the comment editor can change. The menu
// greys the command for the others, and the command does nothing there.
#pragma once

#include <cstdint>

#include "image/image_buffer.h"

constexpr bool HasCommentEditor(int32_t source_format) {
  return source_format == kSourceJpeg || source_format == kSourcePng;
}
