#include "rar/rar_archive_flags.h"

#include <cstring>

namespace {

constexpr uint8_t kRar4Signature[7] = {'R', 'a', 'r', '!', 0x1A, 0x07, 0x00};
constexpr uint8_t kRar5Signature[8] = {'R', 'a', 'r', '!', 0x1A, 0x07, 0x01, 0x00};

// RAR 4 main header flags, in their own bit positions.
constexpr uint16_t kRar4Volume = 0x0001, kRar4Comment = 0x0002, kRar4Lock = 0x0004, kRar4Solid = 0x0008,
                   kRar4NewNumbering = 0x0010, kRar4Recovery = 0x0040, kRar4Password = 0x0080,
                   kRar4FirstVolume = 0x0100;

bool ReadRar4(const uint8_t* data, size_t size, uint32_t* flags) {
  // Signature, then CRC16, type 0x73, flags, size.
  if (size < sizeof(kRar4Signature) + 7 || data[9] != 0x73) return false;
  const uint16_t f = static_cast<uint16_t>(data[10] | data[11] << 8);
  const struct { uint16_t rar4; uint32_t ours; } kMap[] = {
      {kRar4Volume, kRarFlagVolume},         {kRar4Comment, kRarFlagComment},
      {kRar4Lock, kRarFlagLock},             {kRar4Solid, kRarFlagSolid},
      {kRar4NewNumbering, kRarFlagNewNumbering}, {kRar4Recovery, kRarFlagRecovery},
      {kRar4Password, kRarFlagEncryptedHeaders}, {kRar4FirstVolume, kRarFlagFirstVolume}};
  *flags = 0;
  for (const auto& m : kMap) {
    if (f & m.rar4) *flags |= m.ours;
  }
  return true;
}

// RAR 5 numbers are little-endian base-128 varints of up to 10 bytes.
bool ReadVint(const uint8_t* data, size_t size, size_t* at, uint64_t* value) {
  *value = 0;
  for (int shift = 0; shift < 70 && *at < size; shift += 7) {
    const uint8_t byte = data[(*at)++];
    *value |= uint64_t{byte & 0x7Fu} << shift;
    if (!(byte & 0x80)) return true;
  }
  return false;
}

bool ReadRar5(const uint8_t* data, size_t size, uint32_t* flags) {
  // Signature, CRC32, header size, type, header flags, [extra size], [data
  // size], archive flags, [volume number].
  size_t at = sizeof(kRar5Signature) + 4;
  uint64_t header_size, type, header_flags, skipped, archive_flags;
  if (!ReadVint(data, size, &at, &header_size) || !ReadVint(data, size, &at, &type)) return false;
  if (type == 4) {  // an encryption header comes first: all headers are encrypted
    *flags = kRarFlagEncryptedHeaders | kRarFlagNewNumbering;
    return true;
  }
  if (type != 1 || !ReadVint(data, size, &at, &header_flags)) return false;
  if ((header_flags & 1) && !ReadVint(data, size, &at, &skipped)) return false;
  if ((header_flags & 2) && !ReadVint(data, size, &at, &skipped)) return false;
  if (!ReadVint(data, size, &at, &archive_flags)) return false;
  uint64_t volume_number = 0;
  if ((archive_flags & 2) && !ReadVint(data, size, &at, &volume_number)) return false;
  *flags = kRarFlagNewNumbering;  // RAR 5 volumes are always numbered .partN.rar
  if (archive_flags & 1) *flags |= kRarFlagVolume;
  if ((archive_flags & 1) && volume_number == 0) *flags |= kRarFlagFirstVolume;
  if (archive_flags & 4) *flags |= kRarFlagSolid;
  if (archive_flags & 16) *flags |= kRarFlagLock;
  return true;
}

}  // namespace

bool ReadRarArchiveFlags(const uint8_t* data, size_t size, uint32_t* flags) {
  if (size >= sizeof(kRar5Signature) && std::memcmp(data, kRar5Signature, sizeof(kRar5Signature)) == 0) {
    return ReadRar5(data, size, flags);
  }
  if (size >= sizeof(kRar4Signature) && std::memcmp(data, kRar4Signature, sizeof(kRar4Signature)) == 0) {
    return ReadRar4(data, size, flags);
  }
  return false;
}
