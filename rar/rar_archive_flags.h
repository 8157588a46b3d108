// The archive flags of a RAR 4 or RAR 5 archive, read from its main header
// in the layout the UnRAR library reports them (volume, new numbering,
// first volume, solid ...). libarchive reads members but does not report
// these, and the viewer's volume check needs them. The values are the
// UnRAR library's published ROADF_ flags.
#pragma once

#include <cstddef>
#include <cstdint>

constexpr uint32_t ROADF_VOLUME = 0x0001;
constexpr uint32_t ROADF_COMMENT = 0x0002;
constexpr uint32_t ROADF_LOCK = 0x0004;
constexpr uint32_t ROADF_SOLID = 0x0008;
constexpr uint32_t ROADF_NEWNUMBERING = 0x0010;
constexpr uint32_t ROADF_SIGNED = 0x0020;
constexpr uint32_t ROADF_RECOVERY = 0x0040;
constexpr uint32_t ROADF_ENCHEADERS = 0x0080;
constexpr uint32_t ROADF_FIRSTVOLUME = 0x0100;

// The first bytes of the file (a few hundred are enough); false when they
// hold no RAR signature followed by a main header.
bool ReadRarArchiveFlags(const uint8_t* data, size_t size, uint32_t* flags);
