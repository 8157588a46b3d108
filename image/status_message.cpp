#include "image/status_message.h"

#include "image/status.h"
#include "lang/string_ids.h"

namespace {

// The detailed PNG texts follow the generic "damaged file" text; they are cut
// so that a long translation cannot push the box off the screen.
constexpr size_t kDetailLimit = 128;

}  // namespace

bool StatusMessageIdsFor(uint32_t code, StatusMessageIds* ids) {
  if (code >= kFirstGeneralMessage && code <= kLastGeneralMessage) {
    *ids = {IDS_MESSAGE_CAPTION, 0, code, 0};
    return true;
  }
  if (code > StatusCode(Status::kOk) && code <= StatusCode(Status::kPngBrokenImageData)) {
    if (code < StatusCode(Status::kPngBadChecksum)) {
      *ids = {IDS_ERROR_CAPTION, 0, code, 0};
    } else {
      *ids = {IDS_ERROR_CAPTION, StatusCode(Status::kCorrupt), code, kDetailLimit};
    }
    return true;
  }
  return false;
}
