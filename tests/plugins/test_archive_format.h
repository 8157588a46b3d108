// The archive format of the test archive plug-in, "OVAR": the magic, then
// members until the end of the file, each a 16-bit path length, the path
// ('/' between folders), a 32-bit time stamp (seconds since 1970), a 32-bit
// size and the bytes. A member's position is where its path length lies.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct TestArchiveMember {
  std::string path;
  uint32_t time = 0;
  std::vector<uint8_t> data;
};

inline std::vector<uint8_t> MakeTestArchive(const std::vector<TestArchiveMember>& members) {
  std::vector<uint8_t> file = {'O', 'V', 'A', 'R'};
  auto put = [&file](uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) file.push_back(uint8_t(value >> (8 * i)));
  };
  for (const TestArchiveMember& m : members) {
    put(uint32_t(m.path.size()), 2);
    file.insert(file.end(), m.path.begin(), m.path.end());
    put(m.time, 4);
    put(uint32_t(m.data.size()), 4);
    file.insert(file.end(), m.data.begin(), m.data.end());
  }
  return file;
}
