#include "effects/median_cut.h"

#include <algorithm>
#include <cstring>

#include "image/page_memory.h"

namespace {

constexpr int kBlue = 0, kGreen = 1, kRed = 2;

// One 256-bin histogram per channel.
struct Histograms {
  uint32_t bins[3][256];
};

struct Box {
  size_t begin;  // range of the index array
  size_t end;
  uint8_t minimum[3];
  uint8_t maximum[3];
  uint8_t median[3];
  int split_channel;
  int score;
};

uint8_t Channel(uint32_t colour, int channel) {
  return static_cast<uint8_t>(colour >> (8 * channel));
}

void Count(const uint32_t* colours, size_t begin, size_t end, Histograms* h) {
  std::memset(h, 0, sizeof(*h));
  for (size_t i = begin; i < end; ++i) {
    const uint32_t c = colours[i];
    ++h->bins[kBlue][Channel(c, kBlue)];
    ++h->bins[kGreen][Channel(c, kGreen)];
    ++h->bins[kRed][Channel(c, kRed)];
  }
}

// Moves the colours whose channel is at most `cut` to the front of
// [begin, end) and returns where the others start. The swap happens
// whatever the test says, so that the loop has no branch to mispredict:
// pixel colours fall on either side of a median at random.
size_t Partition(uint32_t* colours, size_t begin, size_t end, int channel, int cut) {
  size_t kept = begin;
  for (size_t i = begin; i < end; ++i) {
    const uint32_t c = colours[i];
    colours[i] = colours[kept];
    colours[kept] = c;
    kept += Channel(c, channel) <= cut;
  }
  return kept;
}

void Subtract(const Histograms& whole, const Histograms& part, Histograms* rest) {
  for (int c = 0; c < 3; ++c) {
    for (int v = 0; v < 256; ++v) rest->bins[c][v] = whole.bins[c][v] - part.bins[c][v];
  }
}

// The median is the smallest value at or below which more than half (rounded
// down) of the box's pixels lie. An empty box reads all zero.
void ChannelStatistics(const uint32_t* bins, size_t n, uint8_t* minimum, uint8_t* maximum,
                       uint8_t* median) {
  *minimum = *maximum = *median = 0;
  if (n == 0) return;
  int v = 0;
  while (bins[v] == 0) ++v;
  *minimum = static_cast<uint8_t>(v);
  size_t below = 0;
  for (v = 0; v < 256; ++v) {
    below += bins[v];
    if (below > n / 2) break;
  }
  *median = static_cast<uint8_t>(v);
  v = 255;
  while (bins[v] == 0) --v;
  *maximum = static_cast<uint8_t>(v);
}

// Green's spread counts double and red's one and a half times; red wins a
// tie with green, and blue needs to be strictly wider than both.
void ChooseSplit(Box* box) {
  const int blue = box->maximum[kBlue] - box->minimum[kBlue];
  const int green = 2 * (box->maximum[kGreen] - box->minimum[kGreen]);
  const int red = (3 * (box->maximum[kRed] - box->minimum[kRed])) >> 1;
  box->split_channel = red >= green ? kRed : kGreen;
  box->score = std::max(red, green);
  if (blue > box->score) {
    box->split_channel = kBlue;
    box->score = blue;
  }
}

void Describe(const Histograms& h, Box* box) {
  const size_t n = box->end - box->begin;
  for (int c = 0; c < 3; ++c) {
    ChannelStatistics(h.bins[c], n, &box->minimum[c], &box->maximum[c], &box->median[c]);
  }
  ChooseSplit(box);
}

// The box with the highest score; the earliest one among equals.
size_t WidestBox(const Box* boxes, size_t count) {
  size_t widest = 0;
  for (size_t i = 1; i < count; ++i) {
    if (boxes[i].score > boxes[widest].score) widest = i;
  }
  return widest;
}

class MedianCut {
 public:
  MedianCut(uint32_t* colours, Histograms* histograms) : colours_(colours), histograms_(histograms) {}

  void Run(size_t pixel_count, int colours) {
    boxes_[0] = {0, pixel_count, {}, {}, {}, 0, 0};
    box_count_ = 1;
    Count(colours_, 0, pixel_count, &histograms_[0]);
    Describe(histograms_[0], &boxes_[0]);
    while (box_count_ < static_cast<size_t>(colours)) Split(WidestBox(boxes_, box_count_));
  }

  void WritePalette(RgbQuad* palette) const {
    for (size_t i = 0; i < box_count_; ++i) {
      palette[i] = {boxes_[i].median[kBlue], boxes_[i].median[kGreen], boxes_[i].median[kRed], 0};
    }
  }

 private:
  // Pixels above the split value move to a new box at the end of the list;
  // when the median is the channel's maximum the cut moves one below it, so
  // that the maximum's pixels leave.
  void Split(size_t index) {
    Box& parent = boxes_[index];
    const int channel = parent.split_channel;
    const uint8_t median = parent.median[channel];
    const int cut = median == parent.maximum[channel] ? median - 1 : median;
    const size_t mid = Partition(colours_, parent.begin, parent.end, channel, cut);
    Box child = {mid, parent.end, {}, {}, {}, 0, 0};
    parent.end = mid;

    // Only the smaller half is counted; the other is what remains of the
    // parent's histograms.
    Histograms& kept = histograms_[index];
    Histograms& moved = histograms_[box_count_];
    const Histograms whole = kept;
    if (child.end - child.begin <= parent.end - parent.begin) {
      Count(colours_, child.begin, child.end, &moved);
      Subtract(whole, moved, &kept);
    } else {
      Count(colours_, parent.begin, parent.end, &kept);
      Subtract(whole, kept, &moved);
    }
    Describe(kept, &parent);
    Describe(moved, &child);
    boxes_[box_count_++] = child;
  }

  uint32_t* colours_;
  Histograms* histograms_;  // one per box, by box index
  Box boxes_[256];
  size_t box_count_ = 0;
};

}  // namespace

Status MedianCutPalette(const uint8_t* working, size_t pixel_count, int colours,
                        RgbQuad* palette) {
  if (pixel_count >= kMedianCutMaxPixels || colours < 1 || colours > 256) {
    return Status::kEncodeFailed;
  }
  PageBlock index_array(std::max<size_t>(pixel_count, 1) * sizeof(uint32_t));
  PageBlock histograms(static_cast<size_t>(colours) * sizeof(Histograms));
  if (!index_array || !histograms) return Status::kNoMemory;
  // The array holds the colours themselves rather than pixel positions:
  // the statistics need nothing else, and it spares an indirection.
  uint32_t* colours_array = reinterpret_cast<uint32_t*>(index_array.data());
  for (size_t i = 0; i < pixel_count; ++i) {
    colours_array[i] = working[4 * i] | (working[4 * i + 1] << 8) | (uint32_t{working[4 * i + 2]} << 16);
  }
  MedianCut cut(colours_array, reinterpret_cast<Histograms*>(histograms.data()));
  cut.Run(pixel_count, colours);
  cut.WritePalette(palette);
  return Status::kOk;
}
