// ovirac list: the member table of a ZIP archive as the viewer reads it.
#include <cinttypes>
#include <cstdio>
#include <ctime>

#include "codecs/zip_archive.h"
#include "image/utf8_text.h"
#include "tools/ovirac/cli_text.h"
#include "tools/ovirac/commands.h"

namespace {

// Seconds between 1601-01-01, where file times count from, and 1970-01-01.
constexpr uint64_t kEpochDifference = 11644473600ULL;

// "YYYY-MM-DD HH:MM:SS" in UTC, or "-" for a member without a valid time.
std::string TimeText(FileTimeValue time) {
  const uint64_t seconds = (uint64_t{time.high} << 32 | time.low) / 10000000ULL;
  if (seconds < kEpochDifference) return "-";
  const std::time_t unix_time = static_cast<std::time_t>(seconds - kEpochDifference);
  const std::tm* fields = std::gmtime(&unix_time);
  char text[32];
  if (!fields || !std::strftime(text, sizeof(text), "%Y-%m-%d %H:%M:%S", fields)) return "-";
  return text;
}

}  // namespace

int RunList(int argc, PathChar** argv) {
  if (argc != 1 || argv[0][0] == '-') {
    std::fputs("ovirac: list takes exactly one archive\n", stderr);
    return kExitUsage;
  }
  ZipArchive archive;
  const ZipStatus status = archive.Open(argv[0]);
  if (status != ZipStatus::kOk) {
    std::fprintf(stderr, "ovirac: cannot list '%s': %s\n", PathToUtf8(argv[0]).c_str(), ZipStatusName(status));
    return kExitFailed;
  }
  for (const FileListEntry& member : archive.Members()) {
    std::printf("%s\t%s\t%" PRIu64 "\t%s\n", Utf8FromUtf16(member.folder).c_str(),
                Utf8FromUtf16(member.name).c_str(), member.size, TimeText(member.last_write).c_str());
  }
  if (archive.skipped()) {
    std::fprintf(stderr, "ovirac: %u members of other compression methods left out\n", archive.skipped());
  }
  return kExitOk;
}
