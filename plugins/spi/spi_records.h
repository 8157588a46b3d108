// The records and result codes of the image plug-in interface, as the
// plug-in modules and the viewer both lay them out (packed, 64-bit).
#pragma once

#include <cstdint>

#pragma pack(push, 1)
struct SpiPictureInfo {
  int32_t left;
  int32_t top;
  int32_t width;
  int32_t height;
  uint16_t x_density;
  uint16_t y_density;
  int16_t colour_depth;
  void* text;  // global memory with text information, or null
};

// One member of an archive; a record whose method begins with a zero byte
// ends the array.
struct SpiArchiveRecord {
  char method[8];
  uint64_t position;  // what GetFile takes to extract the member
  uint64_t compressed_size;
  uint64_t file_size;
  uint64_t timestamp;  // seconds since 1970-01-01 UTC
  char path[200];
  char file_name[200];
  uint32_t crc;
};
#pragma pack(pop)

static_assert(sizeof(SpiPictureInfo) == 30);
static_assert(sizeof(SpiArchiveRecord) == 444);

enum SpiResult : int {
  kSpiNotImplemented = -1,
  kSpiOk = 0,
  kSpiCancelled = 1,
  kSpiUnknownFormat = 2,
  kSpiBrokenData = 3,
  kSpiNoMemory = 4,
  kSpiMemoryError = 5,
  kSpiReadError = 6,
  kSpiInternalError = 8,
};

// GetPicture, GetPictureInfo and GetArchiveInfo: where the input is.
constexpr unsigned kSpiInputFile = 0;
constexpr unsigned kSpiInputMemory = 1;
// GetFile: the member goes to a memory handle rather than a file.
constexpr unsigned kSpiOutputMemory = 256;

// Seconds from 1601-01-01 to 1970-01-01, for archive time stamps.
constexpr uint64_t kSpiUnixEpochSeconds = 11644473600ull;
