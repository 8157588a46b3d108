// Status codes shared by decoders, encoders and the document operations. The
// language module holds a message text under the same number, so the values
// are fixed.
#pragma once

#include <cstdint>

enum class Status : uint32_t {
  kOk = 50000,
  kNoMemory = 50001,
  kUnsupported = 50002,
  kCopyFailed = 50003,
  kReadFailed = 50004,
  kCannotWrite = 50005,
  kEncodeFailed = 50006,
  kCorrupt = 50007,
  kInflateFailed = 50009,
  kDeflateFailed = 50010,
  kPngBadChecksum = 50011,
  kPngBadLength = 50012,
  kPngBadHeaderLength = 50013,
  kPngHeaderNotFirst = 50014,
  kPngBadColourType = 50016,
  kPngBadBitDepth = 50017,
  kPngBadCompression = 50018,
  kPngBadFilter = 50019,
  kPngBadInterlace = 50020,
  kPngChunkOrder = 50022,
  kPngNoImageData = 50023,
  kPngBrokenImageData = 50024,
};

// General messages that are not tied to a file share the same message rule
// and numbering scheme.
constexpr uint32_t kFirstGeneralMessage = 30001;
constexpr uint32_t kLastGeneralMessage = 30013;
constexpr uint32_t kMessageNoMemory = 30001;
constexpr uint32_t kMessageColourCountFailed = 30002;
constexpr uint32_t kMessagePreviewFailed = 30003;
constexpr uint32_t kMessageLosslessSaveFailed = 30004;
constexpr uint32_t kMessageNoTempFile = 30007;
constexpr uint32_t kMessageCopyFailed = 30008;
constexpr uint32_t kMessageImageTooSmall = 30006;

constexpr uint32_t StatusCode(Status s) { return static_cast<uint32_t>(s); }

// Short English description for the command-line tool, which has no
// language module; the viewer shows the language module's text instead.
const char* StatusName(Status s);
