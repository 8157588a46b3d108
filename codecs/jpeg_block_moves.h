// Where each DCT block of a losslessly turned or flipped JPEG comes from,
// and how its coefficients change on the way. Mirroring a block negates
// its odd horizontal (or vertical) frequencies; transposing swaps the two.
// Only whole iMCUs can be mirrored: without trimming, a partial iMCU row or
// column on a mirrored axis stays where it is, unmirrored, so the blocks
// still form a picture of the same size.
#pragma once

#include <cstdint>

// One axis of a component's block grid in the transformed image.
struct BlockAxis {
  bool mirrored = false;
  uint32_t whole = 0;  // blocks in whole iMCUs; only these are mirrored
};

struct BlockMoves {
  bool transposed = false;
  BlockAxis x, y;
};

// The moves of a transformation code (1 flip horizontal, 2 flip vertical,
// 3 rotate 90, 4 rotate 180, 5 rotate 270 clockwise) for a component of
// the transformed image, given how many of its blocks across and down lie
// in whole iMCUs.
BlockMoves BlockMovesFor(int code, uint32_t whole_across, uint32_t whole_down);

// True when the code turns by a quarter, swapping width and height.
bool TransposesBlocks(int code);

// The source block of the target block (x, y).
inline void SourceBlock(const BlockMoves& moves, uint32_t x, uint32_t y, uint32_t* source_x,
                        uint32_t* source_y) {
  const uint32_t tx = moves.x.mirrored && x < moves.x.whole ? moves.x.whole - 1 - x : x;
  const uint32_t ty = moves.y.mirrored && y < moves.y.whole ? moves.y.whole - 1 - y : y;
  *source_x = moves.transposed ? ty : tx;
  *source_y = moves.transposed ? tx : ty;
}

// Which of the four coefficient maps a target block takes: bit 0 set when
// it is mirrored across, bit 1 when mirrored down.
inline int BlockMirrors(const BlockMoves& moves, uint32_t x, uint32_t y) {
  return (moves.x.mirrored && x < moves.x.whole ? 1 : 0) | (moves.y.mirrored && y < moves.y.whole ? 2 : 0);
}

// For every target coefficient (natural order, row v x 8 + column u): the
// source coefficient it takes and whether it is negated.
struct CoefficientMap {
  uint8_t from[64];
  bool negate[64];
};

// The map for a block that is transposed or not and mirrored as BlockMirrors says.
CoefficientMap MakeCoefficientMap(bool transposed, int mirrors);

// Target block = the source block through the map.
inline void MoveBlock(const CoefficientMap& map, const int16_t* source, int16_t* target) {
  for (int k = 0; k < 64; ++k) {
    const int16_t value = source[map.from[k]];
    target[k] = map.negate[k] ? static_cast<int16_t>(-value) : value;
  }
}
