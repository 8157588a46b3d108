#include "app/accelerator_records.h"

#include <algorithm>

#include "app/command_ids.h"
#include "app/little_endian.h"
#include "app/settings_format.h"

namespace {

constexpr uint8_t kDefinedFlags =
    kAccelVirtKey | kAccelNoInvert | kAccelShift | kAccelControl | kAccelAlt;
constexpr uint8_t kSlotFlagMask = 0x0F;
constexpr uint16_t kSlotKeyMask = 0xFF;

bool UsableRecord(const AccelRecord& record) {
  return record.command >= kFirstCommand && (record.flags & ~kDefinedFlags) == 0;
}

const AccelRecord* FirstRecordOf(const std::vector<AccelRecord>& records, uint16_t command) {
  auto found = std::find_if(records.begin(), records.end(),
                            [command](const AccelRecord& r) { return r.command == command; });
  return found == records.end() ? nullptr : &*found;
}

}  // namespace

std::vector<AccelRecord> DecodeAccelRecords(const uint8_t* bytes, size_t size) {
  size_t count = std::min(size / kAcceleratorRecordSize, kMaxAcceleratorRecords);
  std::vector<AccelRecord> records;
  for (size_t i = 0; i < count; ++i) {
    const uint8_t* at = bytes + i * kAcceleratorRecordSize;
    AccelRecord record{at[0], LoadU16(at + 2), LoadU16(at + 4)};
    if (UsableRecord(record)) records.push_back(record);
  }
  return records;
}

std::vector<uint8_t> EncodeAccelRecords(const std::vector<AccelRecord>& records) {
  size_t count = std::min(records.size(), kMaxAcceleratorRecords);
  std::vector<uint8_t> bytes(count * kAcceleratorRecordSize);
  for (size_t i = 0; i < count; ++i) {
    uint8_t* at = bytes.data() + i * kAcceleratorRecordSize;
    at[0] = records[i].flags;
    StoreU16(records[i].key, at + 2);
    StoreU16(records[i].command, at + 4);
  }
  return bytes;
}

std::vector<AccelRecord> TableFromSlots(const BindingSlots& slots) {
  std::vector<AccelRecord> table;
  for (const AccelRecord& slot : slots) {
    if (slot.key != 0) table.push_back(slot);
  }
  return table;
}

KeyBindings KeyBindingsFromSettings(const std::vector<uint8_t>& stored) {
  std::vector<AccelRecord> records = DecodeAccelRecords(stored.data(), stored.size());
  if (records.empty()) {
    BindingSlots slots = DefaultBindingSlots();
    return {slots, TableFromSlots(slots)};
  }
  KeyBindings bindings;
  for (size_t i = 0; i < bindings.slots.size(); ++i) {
    uint16_t command = SlotCommands()[i];
    const AccelRecord* record = FirstRecordOf(records, command);
    bindings.slots[i] =
        record ? AccelRecord{static_cast<uint8_t>(record->flags & kSlotFlagMask),
                             static_cast<uint16_t>(record->key & kSlotKeyMask), command}
               : AccelRecord{kAccelVirtKey, 0, command};
  }
  bindings.table = std::move(records);
  return bindings;
}
