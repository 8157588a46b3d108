#include "app/settings_format.h"

#include <algorithm>

namespace {

uint16_t LoadU16(const uint8_t* bytes) {
  return static_cast<uint16_t>(bytes[0] | (bytes[1] << 8));
}

uint32_t LoadU32(const uint8_t* bytes) {
  return static_cast<uint32_t>(bytes[0]) | (static_cast<uint32_t>(bytes[1]) << 8) |
         (static_cast<uint32_t>(bytes[2]) << 16) | (static_cast<uint32_t>(bytes[3]) << 24);
}

void StoreU16(uint16_t value, uint8_t* bytes) {
  bytes[0] = static_cast<uint8_t>(value);
  bytes[1] = static_cast<uint8_t>(value >> 8);
}

void StoreU32(uint32_t value, uint8_t* bytes) {
  for (int i = 0; i < 4; ++i) bytes[i] = static_cast<uint8_t>(value >> (8 * i));
}

}  // namespace

uint16_t ClampEntryCount(uint16_t count) {
  return std::min(count, kSettingsEntryCount);
}

uint64_t DataAreaStart(uint16_t count) {
  return kSettingsHeaderSize + uint64_t{count} * kSettingsDirectoryEntrySize;
}

uint64_t DirectoryEntryOffset(int index) {
  return kSettingsHeaderSize + static_cast<uint64_t>(index) * kSettingsDirectoryEntrySize;
}

SettingsHeader DecodeHeader(const uint8_t bytes[kSettingsHeaderSize]) {
  return SettingsHeader{LoadU16(bytes), LoadU16(bytes + 2)};
}

void EncodeHeader(const SettingsHeader& header, uint8_t bytes[kSettingsHeaderSize]) {
  StoreU16(header.count, bytes);
  StoreU16(header.version, bytes + 2);
}

DirectoryEntry DecodeDirectoryEntry(const uint8_t bytes[kSettingsDirectoryEntrySize]) {
  return DirectoryEntry{LoadU32(bytes), LoadU32(bytes + 4)};
}

void EncodeDirectoryEntry(const DirectoryEntry& entry,
                          uint8_t bytes[kSettingsDirectoryEntrySize]) {
  StoreU32(entry.position, bytes);
  StoreU32(entry.length, bytes + 4);
}

DirectoryEntry InlineEntry(int32_t value) {
  return DirectoryEntry{kPositionInline, static_cast<uint32_t>(value)};
}

std::array<uint8_t, kSettingsFullDataStart> EncodeHeaderAndDirectory(
    const SettingsDirectoryEntries& entries) {
  std::array<uint8_t, kSettingsFullDataStart> bytes{};
  EncodeHeader(SettingsHeader{kSettingsEntryCount, kSettingsFormatVersion}, bytes.data());
  for (size_t i = 0; i < entries.size(); ++i) {
    EncodeDirectoryEntry(entries[i], bytes.data() + DirectoryEntryOffset(static_cast<int>(i)));
  }
  return bytes;
}
