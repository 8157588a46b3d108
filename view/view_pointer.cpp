#include "view/view_pointer.h"

#include <cstdlib>

namespace {

constexpr int32_t kEdgeZone = 22;
constexpr int32_t kBarMinimumClientHeight = 48;
constexpr int32_t kNavigatorZoneHeight = 120;
constexpr int32_t kNavigatorKeepZoneHeight = 121;
constexpr int32_t kNavigatorMinimumClient = 240;
constexpr int32_t kCursorWakeDistance = 32;

struct Offset {
  int64_t dx = 0, dy = 0;
};

// Widened, so that points at opposite ends of the coordinate range cannot
// overflow the distance.
Offset OffsetBetween(ViewPoint from, ViewPoint to) {
  return {int64_t{to.x} - from.x, int64_t{to.y} - from.y};
}

int64_t ManhattanLength(Offset offset) { return std::llabs(offset.dx) + std::llabs(offset.dy); }

// The rightmost 22 columns of the client.
bool NearRightEdge(int32_t x, int32_t client_width) {
  return x < client_width && int64_t{x} >= int64_t{client_width} - kEdgeZone;
}

bool InTopRows(int32_t y, int32_t rows) { return y >= 0 && y < rows; }

}  // namespace

DragDirection DragDirectionOf(ViewPoint anchor, ViewPoint pointer, int32_t threshold) {
  const Offset offset = OffsetBetween(anchor, pointer);
  if (ManhattanLength(offset) <= threshold) return DragDirection::kNone;
  if (std::llabs(offset.dx) >= std::llabs(offset.dy)) {
    return offset.dx < 0 ? DragDirection::kLeft : DragDirection::kRight;
  }
  return offset.dy < 0 ? DragDirection::kUp : DragDirection::kDown;
}

bool ScaledImageFitsClient(const ViewGeometry& geometry) {
  return geometry.scaled_width <= geometry.client_width &&
         geometry.scaled_height <= geometry.client_height;
}

bool ClientHoldsNavigator(ViewSize client) {
  return client.width > kNavigatorMinimumClient && client.height > kNavigatorMinimumClient;
}

bool InBarHoverZone(ViewPoint pointer, ViewSize client) {
  return client.height > kBarMinimumClientHeight && InTopRows(pointer.y, kEdgeZone);
}

bool InNavigatorHoverZone(ViewPoint pointer, const ViewGeometry& geometry) {
  const ViewSize client{geometry.client_width, geometry.client_height};
  return ClientHoldsNavigator(client) && !ScaledImageFitsClient(geometry) &&
         NearRightEdge(pointer.x, client.width) && InTopRows(pointer.y, kNavigatorZoneHeight);
}

bool InFullScreenNavigatorKeepZone(ViewPoint pointer, ViewSize client) {
  return NearRightEdge(pointer.x, client.width) &&
         InTopRows(pointer.y, kNavigatorKeepZoneHeight);
}

bool PointerWakesCursor(ViewPoint remembered, ViewPoint pointer) {
  return ManhattanLength(OffsetBetween(remembered, pointer)) > kCursorWakeDistance;
}
