// ZIP archives for the tests, made by Python's zipfile and Debian's zip in a
// scratch folder, and what Python's zipfile reads back from them: the
// independent reader our listing and extraction are held against.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/little_endian.h"
#include "codecs/zip_directory.h"
#include "tests/unit/imagemagick_support.h"
#include "tests/unit/test_files.h"

inline constexpr const char* kZip = "/usr/bin/zip";

inline bool HasPython() { return std::system("python3 -c 'import zipfile' >/dev/null 2>&1") == 0; }

// Runs a Python program with the folder as its working folder; true when it
// exits 0.
inline bool RunPython(const TempDir& dir, const std::string& program) {
  std::ofstream(dir.File("script.py")) << program;
  const std::string command = "cd " + dir.path() + " && python3 script.py";
  return std::system(command.c_str()) == 0;
}

// One member as zipfile reads it.
struct ToolMember {
  int method = 0;
  uint32_t flags = 0;
  uint32_t offset = 0;
  uint64_t size = 0;
  int date_time[6] = {};
  std::string name;                // as stored, UTF-8 here
  std::vector<uint8_t> contents;   // as zipfile extracts it
};

// Lists the archive with zipfile and extracts every member it can.
inline std::vector<ToolMember> ToolListing(const TempDir& dir, const std::string& archive) {
  const std::string program =
      "import zipfile, os\n"
      "z = zipfile.ZipFile('" + archive + "')\n"
      "with open('listing.txt', 'w', encoding='utf-8') as out:\n"
      "  for n, i in enumerate(z.infolist()):\n"
      "    out.write('%d %d %d %d %s\\t%s\\n' % (i.compress_type, i.flag_bits, i.header_offset,\n"
      "              i.file_size, ' '.join(map(str, i.date_time)), i.filename))\n"
      "    data = z.read(i) if i.compress_type in (0, 8) else b''\n"
      "    open('member%d' % n, 'wb').write(data)\n";
  if (!RunPython(dir, program)) return {};
  std::vector<ToolMember> members;
  std::ifstream in(dir.File("listing.txt"));
  std::string line;
  while (std::getline(in, line)) {
    ToolMember m;
    std::istringstream fields(line.substr(0, line.find('\t')));
    fields >> m.method >> m.flags >> m.offset >> m.size;
    for (int& part : m.date_time) fields >> part;
    m.name = line.substr(line.find('\t') + 1);
    m.contents = ReadWholeFile(dir.File("member" + std::to_string(members.size())));
    members.push_back(std::move(m));
  }
  return members;
}

// Reads DOS times as UTC, so that a listed time is the stored one.
class UtcZone {
 public:
  explicit UtcZone(const char* zone = "UTC0") {
    if (const char* old = std::getenv("TZ")) saved_ = old, had_ = true;
    setenv("TZ", zone, 1);
    tzset();
  }
  ~UtcZone() {
    if (had_) setenv("TZ", saved_.c_str(), 1); else unsetenv("TZ");
    tzset();
  }

 private:
  std::string saved_;
  bool had_ = false;
};

// The file time of a calendar moment taken as UTC.
inline uint64_t FileTicks(int year, int month, int day, int hour, int minute, int second) {
  std::tm t{};
  t.tm_year = year - 1900;
  t.tm_mon = month - 1;
  t.tm_mday = day;
  t.tm_hour = hour;
  t.tm_min = minute;
  t.tm_sec = second;
  return (uint64_t(timegm(&t)) + 11644473600ULL) * 10000000ULL;
}

inline uint64_t Ticks(FileTimeValue t) { return uint64_t{t.high} << 32 | t.low; }

// Offsets of the headers with the given signature, first to last.
inline std::vector<size_t> HeadersOf(const std::vector<uint8_t>& zip, uint32_t signature) {
  std::vector<size_t> found;
  for (size_t at = 0; at + 4 <= zip.size(); ++at) {
    if (LoadU32(&zip[at]) == signature) found.push_back(at);
  }
  return found;
}

inline constexpr uint32_t kLocalHeader = 0x04034B50;
inline constexpr uint32_t kCentralHeader = 0x02014B50;
inline constexpr uint32_t kEndRecord = 0x06054B50;


