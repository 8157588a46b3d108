#include "app/handover_record.h"

#include "app/little_endian.h"

namespace {

constexpr size_t kLetterOffset = 0;
constexpr size_t kKeyOffset = 2;
constexpr size_t kPathOffset = 6;

static_assert(kPathOffset + 2 * kHandoverPathUnits == kHandoverRecordBytes);

bool PathTravels(const std::u16string& path) {
  return !path.empty() && path.size() < kHandoverPathUnits;
}

std::u16string DecodePath(const uint8_t* units) {
  std::u16string path;
  for (size_t i = 0; i < kHandoverPathUnits; ++i) {
    const char16_t unit = static_cast<char16_t>(LoadU16(units + 2 * i));
    if (unit == 0) break;
    path.push_back(unit);
  }
  return path;
}

}  // namespace

std::array<uint8_t, kHandoverRecordBytes> EncodeHandover(const CommandLine& command) {
  std::array<uint8_t, kHandoverRecordBytes> record{};
  StoreU16(static_cast<uint16_t>(command.switch_letter), record.data() + kLetterOffset);
  StoreU32(static_cast<uint32_t>(command.entry_key), record.data() + kKeyOffset);
  if (PathTravels(command.path)) {
    for (size_t i = 0; i < command.path.size(); ++i) {
      StoreU16(static_cast<uint16_t>(command.path[i]), record.data() + kPathOffset + 2 * i);
    }
  }
  return record;
}

bool DecodeHandover(const uint8_t* data, size_t size, CommandLine* out) {
  if (data == nullptr || size != kHandoverRecordBytes) return false;
  *out = CommandLine{};
  out->switch_letter = static_cast<char16_t>(LoadU16(data + kLetterOffset));
  out->entry_key = static_cast<int32_t>(LoadU32(data + kKeyOffset));
  out->path = DecodePath(data + kPathOffset);
  return true;
}
