#include "app/accelerator_slots.h"

#include <cstddef>

namespace {

// Virtual-key codes the defaults use (the portable core has no <windows.h>).
constexpr uint16_t kKeyBack = 0x08, kKeyTab = 0x09, kKeyReturn = 0x0D, kKeyEscape = 0x1B;
constexpr uint16_t kKeySpace = 0x20, kKeyPrior = 0x21, kKeyNext = 0x22, kKeyEnd = 0x23;
constexpr uint16_t kKeyHome = 0x24, kKeyLeft = 0x25, kKeyUp = 0x26, kKeyRight = 0x27;
constexpr uint16_t kKeyDown = 0x28, kKeyDelete = 0x2E;
// On Japanese keyboards this code is the caps-lock key (eisu).
constexpr uint16_t kKeyCapsLockJapanese = 0xF0;

constexpr uint8_t kPlain = kAccelVirtKey;
constexpr uint8_t kCtrl = kAccelVirtKey | kAccelControl;
constexpr uint8_t kShift = kAccelVirtKey | kAccelShift;

constexpr std::array<uint16_t, kBindingSlotCount> kSlotCommands = {
    5010, 5011, 5012, 5013, 5014, 5021, 5020, 5030, 5035, 5031,  // 0
    5032, 5040, 5041, 5050, 5060, 5111, 5110, 5120, 5121, 5122,  // 10
    5123, 5140, 5152, 5150, 5151, 5153, 5154, 5160, 5180, 5166,  // 20
    5161, 5162, 5163, 5168, 5164, 5181, 5167, 5165, 5170, 5171,  // 30
    5172, 5182, 5270, 5271, 5272, 5273, 5274, 5275, 5276, 5210,  // 40
    5220, 5230, 5240, 5250, 5252, 5253, 5254, 5310, 5311, 5320,  // 50
    5321, 5330, 5331, 5332, 5333, 5341, 5342, 5343, 5344, 5345,  // 60
    5351, 5352, 5353, 5354, 5355, 5420, 5421, 5422, 5423, 5424,  // 70
    5425, 5426, 5427, 5410, 5510, 5515, 5520, 5530, 5540, 5550,  // 80
    5600, 5610, 5611, 5260, 5261, 5262, 5263, 5264, 5265, 5700,  // 90
    5702, 5703, 5701, 5650, 5651, 5652, 5653, 5810, 5720, 5721,  // 100
    5722, 5710, 5740,                                            // 110
};

constexpr AccelRecord kDefaultBindings[] = {
    {kCtrl, 'O', 5010},         {kPlain, kKeyBack, 5011},   {kCtrl, 'S', 5012},
    {kPlain, 'C', 5030},        {kPlain, 'V', 5031},        {kPlain, kKeyDelete, 5032},
    {kPlain, kKeyCapsLockJapanese, 5041},
    {kCtrl, kKeyLeft, 5152},    {kCtrl, kKeyRight, 5150},   {kPlain, kKeyPrior, 5230},
    {kPlain, kKeyNext, 5240},   {kPlain, kKeyTab, 5310},    {kPlain, 'T', 5320},
    {kPlain, kKeyHome, 5321},   {kPlain, 'W', 5330},        {kPlain, 'A', 5810},
    {kPlain, 'S', 5720},        {kPlain, 'D', 5721},        {kPlain, 'F', 5722},
    {kPlain, 'O', 5410},        {kPlain, '1', 5420},        {kPlain, '2', 5421},
    {kPlain, '3', 5422},        {kPlain, '4', 5423},        {kPlain, '5', 5424},
    {kPlain, '6', 5425},        {kPlain, '7', 5426},        {kPlain, '8', 5427},
    {kPlain, kKeyReturn, 5530}, {kPlain, kKeyEnd, 5540},    {kPlain, kKeyEscape, 5550},
    {kPlain, kKeySpace, 5600},  {kCtrl, kKeyUp, 5610},      {kCtrl, kKeyDown, 5611},
    {kPlain, kKeyLeft, 5700},   {kPlain, kKeyRight, 5701},  {kPlain, kKeyUp, 5702},
    {kPlain, kKeyDown, 5703},   {kShift, kKeyLeft, 5650},   {kShift, kKeyRight, 5651},
    {kShift, kKeyUp, 5652},     {kShift, kKeyDown, 5653},
};

}  // namespace

const std::array<uint16_t, kBindingSlotCount>& SlotCommands() { return kSlotCommands; }

int SlotOfCommand(int command) {
  for (int slot = 0; slot < kBindingSlotCount; ++slot) {
    if (kSlotCommands[static_cast<size_t>(slot)] == command) return slot;
  }
  return -1;
}

BindingSlots DefaultBindingSlots() {
  BindingSlots slots;
  for (size_t i = 0; i < slots.size(); ++i) slots[i] = {kAccelVirtKey, 0, kSlotCommands[i]};
  for (const AccelRecord& binding : kDefaultBindings) {
    slots[static_cast<size_t>(SlotOfCommand(binding.command))] = binding;
  }
  return slots;
}
