// The four passes in which an interlaced GIF stores its rows: every 8th
// row from 0, every 8th from 4, every 4th from 2, then every 2nd from 1.
#pragma once

#include <cstdint>

constexpr int kGifInterlacePasses = 4;
constexpr uint32_t kGifPassStart[kGifInterlacePasses] = {0, 4, 2, 1};
constexpr uint32_t kGifPassStep[kGifInterlacePasses] = {8, 8, 4, 2};
