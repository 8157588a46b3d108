#include "rar/rar_archive_flags.h"

#include <cstring>

namespace {

constexpr uint8_t kRar4Signature[7] = {'R', 'a', 'r', '!', 0x1A, 0x07, 0x00};
constexpr uint8_t kRar5Signature[8] = {'R', 'a', 'r', '!', 0x1A, 0x07, 0x01, 0x00};

bool ReadRar4(const uint8_t* data, size_t size, uint32_t* flags) {
  // Signature, then CRC16, type 0x73, flags, size.
  if (size < sizeof(kRar4Signature) + 7 || data[9] != 0x73) return false;
  // The library reports the low nine bits of RAR 4's main header flags
  // as they stand; the bits above are no archive properties.
  *flags = static_cast<uint32_t>(data[10] | data[11] << 8) & 0x01FF;
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
    *flags = ROADF_ENCHEADERS | ROADF_NEWNUMBERING;
    return true;
  }
  if (type != 1 || !ReadVint(data, size, &at, &header_flags)) return false;
  if ((header_flags & 1) && !ReadVint(data, size, &at, &skipped)) return false;
  if ((header_flags & 2) && !ReadVint(data, size, &at, &skipped)) return false;
  if (!ReadVint(data, size, &at, &archive_flags)) return false;
  uint64_t volume_number = 0;
  if ((archive_flags & 2) && !ReadVint(data, size, &at, &volume_number)) return false;
  *flags = ROADF_NEWNUMBERING;  // RAR 5 volumes are always numbered .partN.rar
  if (archive_flags & 1) *flags |= ROADF_VOLUME;
  if ((archive_flags & 1) && volume_number == 0) *flags |= ROADF_FIRSTVOLUME;
  if (archive_flags & 4) *flags |= ROADF_SOLID;
  if (archive_flags & 16) *flags |= ROADF_LOCK;
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
