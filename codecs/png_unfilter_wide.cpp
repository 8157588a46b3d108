#include "codecs/png_unfilter_wide.h"

#include <cstring>

#include "codecs/png_filters.h"

#if defined(__SSE2__)
#include <emmintrin.h>

namespace {

// A pixel of kBytes bytes widened to 16-bit lanes, and back.
template <size_t kBytes>
__m128i Load(const uint8_t* p) {
  uint64_t v = 0;
  std::memcpy(&v, p, kBytes);
  return _mm_unpacklo_epi8(_mm_cvtsi64_si128(static_cast<long long>(v)), _mm_setzero_si128());
}

template <size_t kBytes>
void Store(uint8_t* p, __m128i lanes) {
  const uint64_t v = static_cast<uint64_t>(_mm_cvtsi128_si64(_mm_packus_epi16(lanes, lanes)));
  std::memcpy(p, &v, kBytes);
}

// Byte sums wrap as the filters require.
__m128i AddBytes(__m128i a, __m128i b) { return _mm_and_si128(_mm_add_epi16(a, b), _mm_set1_epi16(0xFF)); }

__m128i Abs16(__m128i v) { return _mm_max_epi16(v, _mm_sub_epi16(_mm_setzero_si128(), v)); }

template <size_t kBytes>
void Sub(uint8_t* row, size_t size) {
  __m128i left = Load<kBytes>(row);
  for (size_t i = kBytes; i + kBytes <= size; i += kBytes) {
    left = AddBytes(Load<kBytes>(row + i), left);
    Store<kBytes>(row + i, left);
  }
}

template <size_t kBytes>
void Average(uint8_t* row, const uint8_t* previous, size_t size) {
  for (size_t i = 0; i < kBytes; ++i) row[i] = uint8_t(row[i] + previous[i] / 2);
  __m128i left = Load<kBytes>(row);
  for (size_t i = kBytes; i + kBytes <= size; i += kBytes) {
    const __m128i above = Load<kBytes>(previous + i);
    const __m128i mean = _mm_srli_epi16(_mm_add_epi16(left, above), 1);
    left = AddBytes(Load<kBytes>(row + i), mean);
    Store<kBytes>(row + i, left);
  }
}

// The predictor picks left, above or upper left, whichever is nearest to
// left + above - upper left, in that order on ties.
template <size_t kBytes>
void Paeth(uint8_t* row, const uint8_t* previous, size_t size) {
  for (size_t i = 0; i < kBytes; ++i) row[i] = uint8_t(row[i] + previous[i]);
  __m128i left = Load<kBytes>(row);
  __m128i upper_left = Load<kBytes>(previous);
  for (size_t i = kBytes; i + kBytes <= size; i += kBytes) {
    const __m128i above = Load<kBytes>(previous + i);
    const __m128i to_left = Abs16(_mm_sub_epi16(above, upper_left));
    const __m128i to_above = Abs16(_mm_sub_epi16(left, upper_left));
    const __m128i to_corner = Abs16(_mm_sub_epi16(_mm_add_epi16(left, above), _mm_add_epi16(upper_left, upper_left)));
    const __m128i take_left = _mm_and_si128(_mm_cmpeq_epi16(_mm_min_epi16(to_left, to_above), to_left),
                                            _mm_cmpeq_epi16(_mm_min_epi16(to_left, to_corner), to_left));
    const __m128i take_above = _mm_cmpeq_epi16(_mm_min_epi16(to_above, to_corner), to_above);
    __m128i predicted = _mm_or_si128(_mm_and_si128(take_above, above), _mm_andnot_si128(take_above, upper_left));
    predicted = _mm_or_si128(_mm_and_si128(take_left, left), _mm_andnot_si128(take_left, predicted));
    left = AddBytes(Load<kBytes>(row + i), predicted);
    Store<kBytes>(row + i, left);
    upper_left = above;
  }
}

template <size_t kBytes>
bool Unfilter(uint8_t filter, uint8_t* row, const uint8_t* previous, size_t size) {
  switch (filter) {
    case kFilterSub: Sub<kBytes>(row, size); return true;
    case kFilterAverage: Average<kBytes>(row, previous, size); return true;
    case kFilterPaeth: Paeth<kBytes>(row, previous, size); return true;
    default: return false;
  }
}

}  // namespace

bool UnfilterRowWide(uint8_t filter, uint8_t* row, const uint8_t* previous, size_t size,
                     size_t distance) {
  if (size < distance || size % distance != 0) return false;
  if (!previous && filter != kFilterSub) return false;
  switch (distance) {
    // Pixels of 3 and 6 bytes cost more in loads and stores than the lanes
    // save; their three byte chains run side by side in the byte-wise loops.
    case 4: return Unfilter<4>(filter, row, previous, size);
    case 8: return Unfilter<8>(filter, row, previous, size);
    default: return false;
  }
}

#else

bool UnfilterRowWide(uint8_t, uint8_t*, const uint8_t*, size_t, size_t) { return false; }

#endif
