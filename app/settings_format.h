// Byte layout of the settings file: a 4-byte header (entry count, format
// version), a directory of 8-byte entries, then the data area holding the
// byte strings. Everything is little-endian. These helpers only translate
// bytes; reading and writing files is elsewhere.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

// The count and version this program writes. Readers clamp larger counts.
constexpr uint16_t kSettingsEntryCount = 228;
constexpr uint16_t kSettingsFormatVersion = 0x14C8;

constexpr size_t kSettingsHeaderSize = 4;
constexpr size_t kSettingsDirectoryEntrySize = 8;
constexpr size_t kSettingsFullDirectorySize =
    kSettingsEntryCount * kSettingsDirectoryEntrySize;  // 1824
constexpr uint64_t kSettingsFullDataStart =
    kSettingsHeaderSize + kSettingsFullDirectorySize;  // 1828

// Positions and lengths are 32-bit, so a usable file stays below 4 GiB.
constexpr uint64_t kSettingsFileSizeLimit = uint64_t{1} << 32;

// Entry 30 holds the keyboard bindings as Windows ACCEL records (flags
// byte, padding byte, 16-bit key, 16-bit command).
constexpr int kAcceleratorEntryIndex = 30;
constexpr size_t kAcceleratorRecordSize = 6;
constexpr size_t kMaxAcceleratorRecords = 113;
constexpr size_t kMaxAcceleratorBytes =
    kMaxAcceleratorRecords * kAcceleratorRecordSize;  // 678

constexpr uint32_t kPositionAbsent = 0;
constexpr uint32_t kPositionInline = 1;

struct SettingsHeader {
  uint16_t count = 0;
  uint16_t version = 0;
};

struct DirectoryEntry {
  uint32_t position = kPositionAbsent;
  // The byte string's length, or the value itself for an inline entry.
  uint32_t length = 0;

  bool IsInline() const { return position == kPositionInline; }
  bool IsByteString() const { return position >= 2; }
};

using SettingsDirectoryEntries = std::array<DirectoryEntry, kSettingsEntryCount>;

uint16_t ClampEntryCount(uint16_t count);
uint64_t DataAreaStart(uint16_t count);
uint64_t DirectoryEntryOffset(int index);

SettingsHeader DecodeHeader(const uint8_t bytes[kSettingsHeaderSize]);
void EncodeHeader(const SettingsHeader& header, uint8_t bytes[kSettingsHeaderSize]);

DirectoryEntry DecodeDirectoryEntry(const uint8_t bytes[kSettingsDirectoryEntrySize]);
void EncodeDirectoryEntry(const DirectoryEntry& entry,
                          uint8_t bytes[kSettingsDirectoryEntrySize]);

DirectoryEntry InlineEntry(int32_t value);

// Header (count 228, current version) followed by the full directory.
std::array<uint8_t, kSettingsFullDataStart> EncodeHeaderAndDirectory(
    const SettingsDirectoryEntries& entries);
