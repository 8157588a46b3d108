#include "app/accelerator_table_win.h"

#include "app/accelerator_records.h"
#include "app/app_state.h"
#include "app/settings_format.h"

namespace {

// The top flag bit marks the last entry of the system's own copy.
constexpr BYTE kEndOfTableMark = 0x80;

}  // namespace

void BuildAcceleratorTable() {
  ApplicationState& app = App();
  KeyBindings bindings = KeyBindingsFromSettings(app.settings.accelerator_records);
  app.key_slots = bindings.slots;
  std::vector<ACCEL> table;
  for (const AccelRecord& r : bindings.table) table.push_back({r.flags, r.key, r.command});
  app.accelerators.reset(CreateAcceleratorTableW(table.data(), static_cast<int>(table.size())));
}

std::vector<uint8_t> AcceleratorTableBytes(HACCEL table) {
  ACCEL copied[kMaxAcceleratorRecords];
  int count = CopyAcceleratorTableW(table, copied, static_cast<int>(kMaxAcceleratorRecords));
  std::vector<AccelRecord> records;
  for (int i = 0; i < count; ++i) {
    records.push_back({static_cast<uint8_t>(copied[i].fVirt & ~kEndOfTableMark), copied[i].key,
                       copied[i].cmd});
  }
  return EncodeAccelRecords(records);
}
