#include "app/settings_format.h"

#include <algorithm>

#include "app/little_endian.h"

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
