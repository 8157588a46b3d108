// Why a ZIP archive or one of its members could not be read. The viewer
// shows none of these (it falls back to the plug-ins and then to the plain
// file); ovirac prints them, and the tests tell the failures apart by them.
#pragma once

#include <cstdint>

enum class ZipStatus : uint32_t {
  kOk = 0,
  kCannotOpen,         // the file cannot be opened, is empty or is 4 GiB or more
  kNotAnArchive,       // no end record, a broken central directory, or no member we read
  kNoMember,           // no local header at the key, or (sizes after the data) no directory entry for it
  kUnsupportedMethod,  // neither stored nor deflated
  kTruncated,          // the member's data runs past the end of the file
  kTooLarge,           // the declared size is more than the data can hold or a member may take
  kNoMemory,
  kInflateFailed,      // the deflate stream is broken or does not give the declared size
  kBadCrc,             // the data is not what the archive says it stored (also encrypted members)
};

// Short English description, for ovirac.
const char* ZipStatusName(ZipStatus status);
