// A test archive plug-in (".sph", so the second module search is covered):
// lists and extracts "OVAR" archives for the viewer's archive source.
#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "plugins/spi/spi_functions_win.h"

namespace {

const char* const kInfo[] = {"00AM test archives", "", "*.ova", "Test archives"};

bool ReadWhole(const char* name, std::vector<uint8_t>* bytes) {
  HANDLE file = CreateFileA(name, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  const DWORD size = GetFileSize(file, nullptr);
  bytes->resize(size);
  DWORD got = 0;
  const bool read = size == 0 || (ReadFile(file, bytes->data(), size, &got, nullptr) && got == size);
  CloseHandle(file);
  return read;
}

uint32_t Field(const std::vector<uint8_t>& bytes, size_t at, int width) {
  uint32_t value = 0;
  for (int i = 0; i < width; ++i) value |= uint32_t(bytes[at + i]) << (8 * i);
  return value;
}

struct Member {
  size_t position;
  std::string path;
  uint32_t time, size;
  size_t data;
};

std::vector<Member> Members(const std::vector<uint8_t>& bytes) {
  std::vector<Member> members;
  size_t at = 4;
  while (at + 2 <= bytes.size()) {
    Member m{at};
    const size_t length = Field(bytes, at, 2);
    if (at + 2 + length + 8 > bytes.size()) break;
    m.path.assign(reinterpret_cast<const char*>(bytes.data() + at + 2), length);
    m.time = Field(bytes, at + 2 + length, 4);
    m.size = Field(bytes, at + 6 + length, 4);
    m.data = at + 10 + length;
    if (m.data + m.size > bytes.size()) break;
    members.push_back(m);
    at = m.data + m.size;
  }
  return members;
}

HLOCAL LocalCopy(const void* data, size_t size) {
  HLOCAL block = LocalAlloc(LMEM_MOVEABLE | LMEM_ZEROINIT, size ? size : 1);
  if (!block) return nullptr;
  std::memcpy(LocalLock(block), data, size);
  LocalUnlock(block);
  return block;
}

}  // namespace

extern "C" {

__declspec(dllexport) int WINAPI GetPluginInfo(int index, char* buffer, int buffer_size) {
  if (index < 0 || index >= int(sizeof(kInfo) / sizeof(kInfo[0])) || buffer_size <= 0) return 0;
  lstrcpynA(buffer, kInfo[index], buffer_size);
  return lstrlenA(buffer);
}

__declspec(dllexport) int WINAPI IsSupported(const char*, void* head) {
  return std::memcmp(head, "OVAR", 4) == 0;
}

__declspec(dllexport) int WINAPI GetArchiveInfo(const char* input, intptr_t offset, unsigned flag,
                                                HLOCAL* records) {
  std::vector<uint8_t> bytes;
  if (flag != kSpiInputFile || offset != 0 || !ReadWhole(input, &bytes)) return kSpiReadError;
  std::vector<SpiArchiveRecord> list;
  for (const Member& m : Members(bytes)) {
    SpiArchiveRecord r = {};
    std::memcpy(r.method, "OVSTORE", 7);
    r.position = m.position;
    r.compressed_size = r.file_size = m.size;
    r.timestamp = m.time;
    const size_t slash = m.path.rfind('/');
    const std::string folder = slash == std::string::npos ? "" : m.path.substr(0, slash + 1);
    const std::string name = slash == std::string::npos ? m.path : m.path.substr(slash + 1);
    lstrcpynA(r.path, folder.c_str(), sizeof(r.path));
    lstrcpynA(r.file_name, name.c_str(), sizeof(r.file_name));
    list.push_back(r);
  }
  list.push_back(SpiArchiveRecord{});  // the end record
  *records = LocalCopy(list.data(), list.size() * sizeof(SpiArchiveRecord));
  return *records ? kSpiOk : kSpiNoMemory;
}

__declspec(dllexport) int WINAPI GetFile(const char* input, intptr_t position, char* output,
                                         unsigned flag, SpiProgress, intptr_t) {
  std::vector<uint8_t> bytes;
  if (!(flag & kSpiOutputMemory) || !ReadWhole(input, &bytes)) return kSpiReadError;
  for (const Member& m : Members(bytes)) {
    if (m.position != size_t(position)) continue;
    HLOCAL copy = LocalCopy(bytes.data() + m.data, m.size);
    *reinterpret_cast<HLOCAL*>(output) = copy;
    return copy ? kSpiOk : kSpiNoMemory;
  }
  return kSpiBrokenData;
}

}  // extern "C"
