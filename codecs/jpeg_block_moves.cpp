#include "codecs/jpeg_block_moves.h"

bool TransposesBlocks(int code) { return code == 3 || code == 5; }

// A quarter turn is a transposition followed by a mirror: across for a
// clockwise turn, down for a counter-clockwise one. A half turn mirrors
// both ways.
BlockMoves BlockMovesFor(int code, uint32_t whole_across, uint32_t whole_down) {
  BlockMoves moves;
  moves.transposed = TransposesBlocks(code);
  moves.x.mirrored = code == 1 || code == 3 || code == 4;
  moves.y.mirrored = code == 2 || code == 4 || code == 5;
  moves.x.whole = whole_across;
  moves.y.whole = whole_down;
  return moves;
}

CoefficientMap MakeCoefficientMap(bool transposed, int mirrors) {
  CoefficientMap map{};
  for (int v = 0; v < 8; ++v) {
    for (int u = 0; u < 8; ++u) {
      const int k = v * 8 + u;
      map.from[k] = static_cast<uint8_t>(transposed ? u * 8 + v : k);
      const bool odd_across = (mirrors & 1) && (u & 1);
      const bool odd_down = (mirrors & 2) && (v & 1);
      map.negate[k] = odd_across != odd_down;
    }
  }
  return map;
}
