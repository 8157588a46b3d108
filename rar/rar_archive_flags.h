// The archive flags of a RAR 4 or RAR 5 archive, read from its main header
// in the layout the UnRAR library reports them (volume, new numbering,
// first volume, solid ...). libarchive reads members but does not report
// these, and the viewer's volume check needs them.
#pragma once

#include <cstddef>
#include <cstdint>

constexpr uint32_t kRarFlagVolume = 0x0001;
constexpr uint32_t kRarFlagComment = 0x0002;
constexpr uint32_t kRarFlagLock = 0x0004;
constexpr uint32_t kRarFlagSolid = 0x0008;
constexpr uint32_t kRarFlagNewNumbering = 0x0010;
constexpr uint32_t kRarFlagRecovery = 0x0040;
constexpr uint32_t kRarFlagEncryptedHeaders = 0x0080;
constexpr uint32_t kRarFlagFirstVolume = 0x0100;

// The first bytes of the file (a few hundred are enough); false when they
// hold no RAR signature followed by a main header.
bool ReadRarArchiveFlags(const uint8_t* data, size_t size, uint32_t* flags);
