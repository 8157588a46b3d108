// The one kernel the tone adjustments share: each channel byte of a picture
// goes through a 256-entry table of its own channel. The adjustments differ
// only in the tables they hand it.
#pragma once

#include <cstdint>

#include "adjust/stop_request.h"
#include "adjust/tone_values.h"
#include "image/image_buffer.h"

struct ChannelTables {
  const uint8_t* blue;
  const uint8_t* green;
  const uint8_t* red;
};

// The tables a set of per-amount tables (anything with For(amount)) gives
// the three channels.
template <typename Tables>
ChannelTables ChannelsFor(const Tables& tables, const ChannelAmounts& amounts) {
  return {tables.For(amounts.blue), tables.For(amounts.green), tables.For(amounts.red)};
}

enum class MapEnd { kFinished, kStopped };

// Maps `source` into `result`, a record of the same size and depth (or the
// source itself). At 24 bits every pixel's blue, green and red bytes change
// and the row padding is left alone; at 8 bits only the colours of the 256
// palette entries do, so the indices and the reserved bytes stay as they
// are. The request is looked at every few rows; when it was made the result
// is left part mapped and kStopped returned.
MapEnd MapChannels(const ImageBuffer& source, const ChannelTables& tables, const StopRequest& stop,
                   ImageBuffer* result);
