#include "image/plugin_host_win.h"

#include <cstring>
#include <memory>

#include "app/settings_location_win.h"
#include "app/wide_text.h"
#include "codecs/plugin_bitmap.h"
#include "codecs/zip_member.h"
#include "image/ansi_text_win.h"
#include "image/ascii_case.h"
#include "image/image_name_patterns.h"

namespace {

// What IsSupported sees: the first bytes of the file, zeroed beyond its
// end; a module that does not take them at once is asked again 128 bytes
// further on, past a header some programs put before the picture.
constexpr size_t kHeadBytes = 2176;
constexpr intptr_t kSecondTry = 128;
constexpr size_t kLongestDescription = 259;

struct Head {
  uint8_t bytes[kHeadBytes] = {};
  uint32_t file_size = 0;
  FileTimeValue last_write{};
};

struct Chosen {
  std::unique_ptr<PluginModule> module;
  intptr_t offset = 0;
};

int WINAPI KeepGoing(int, int, intptr_t) { return 0; }

// Local memory a module handed over, locked while the object lives and
// freed with it.
class LocalBlock {
 public:
  explicit LocalBlock(HLOCAL handle) : handle_(handle) {
    data_ = handle ? static_cast<const uint8_t*>(LocalLock(handle)) : nullptr;
    size_ = data_ ? LocalSize(handle) : 0;
  }
  ~LocalBlock() {
    if (data_) LocalUnlock(handle_);
    if (handle_) LocalFree(handle_);
  }
  LocalBlock(const LocalBlock&) = delete;
  LocalBlock& operator=(const LocalBlock&) = delete;
  const uint8_t* data() const { return data_; }
  size_t size() const { return size_; }

 private:
  HLOCAL handle_;
  const uint8_t* data_ = nullptr;
  size_t size_ = 0;
};

bool ReadHead(const std::wstring& path, Head* head) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  LARGE_INTEGER size = {};
  FILETIME written = {};
  DWORD got = 0;
  const bool read = GetFileSizeEx(file, &size) && size.QuadPart < (LONGLONG(1) << 32) &&
                    GetFileTime(file, nullptr, nullptr, &written) &&
                    ReadFile(file, head->bytes, kHeadBytes, &got, nullptr);
  CloseHandle(file);
  head->file_size = uint32_t(size.QuadPart);
  head->last_write = {written.dwLowDateTime, written.dwHighDateTime};
  return read;
}

bool Choose(const PluginPlaces& places, PluginType type, const std::string& name,
            const uint8_t* head, Chosen* chosen) {
  for (const std::wstring& path : PluginModulePaths(places)) {
    auto module = std::make_unique<PluginModule>(path);
    if (module->type() != type) continue;
    if (module->Accepts(name, head)) {
      *chosen = {std::move(module), 0};
      return true;
    }
    if (module->Accepts(name, head + kSecondTry)) {
      *chosen = {std::move(module), kSecondTry};
      return true;
    }
  }
  return false;
}

// GetPictureInfo only tells the source's depth; the picture comes from
// GetPicture. Both handles are freed whatever happens.
bool TakePicture(const PluginModule& module, const char* input, intptr_t length, unsigned flag,
                 ImageBuffer* target) {
  if (!module.get_picture) return false;
  SpiPictureInfo info = {};
  if (module.get_picture_info && module.get_picture_info(input, length, flag, &info) != kSpiOk)
    info = {};
  if (info.text) GlobalFree(info.text);
  HLOCAL info_handle = nullptr, bits_handle = nullptr;
  const int result = module.get_picture(input, length, flag, &info_handle, &bits_handle, KeepGoing, 0);
  LocalBlock header(info_handle), bits(bits_handle);
  if (result != kSpiOk || !header.data() || !bits.data()) return false;
  return TakePluginBitmap(header.data(), header.size(), bits.data(), bits.size(), info.colour_depth,
                          target) == Status::kOk;
}

bool IsBuiltInPattern(const std::u16string& pattern) {
  for (std::u16string_view built_in : kBuiltInImagePatterns) {
    if (EqualIgnoringAsciiCase(pattern, built_in)) return true;
  }
  return false;
}

void AddPatterns(const std::string& joined, std::vector<std::u16string>* patterns) {
  size_t start = 0;
  while (start <= joined.size()) {
    size_t end = joined.find(';', start);
    if (end == std::string::npos) end = joined.size();
    const std::u16string pattern = ToU16(FromAnsiCodePage(joined.substr(start, end - start)));
    bool known = pattern.empty() || IsBuiltInPattern(pattern);
    for (const std::u16string& p : *patterns) known = known || EqualIgnoringAsciiCase(p, pattern);
    if (!known) patterns->push_back(pattern);
    start = end + 1;
  }
}

std::wstring Bounded(std::wstring text) {
  if (text.size() > kLongestDescription) text.resize(kLongestDescription);
  return text;
}

std::u16string AnsiField(const char* field, size_t capacity) {
  return ToU16(FromAnsiCodePage(std::string(field, strnlen(field, capacity))));
}

// A member's path as the archive gives it: its folder, without a trailing
// separator, with backslashes.
std::u16string FolderOf(const SpiArchiveRecord& record) {
  std::u16string folder = AnsiField(record.path, sizeof(record.path));
  for (char16_t& c : folder) {
    if (c == u'/') c = u'\\';
  }
  while (!folder.empty() && folder.back() == u'\\') folder.pop_back();
  return folder;
}

FileTimeValue FileTimeOfSeconds(uint64_t seconds) {
  const uint64_t ticks = (seconds + kSpiUnixEpochSeconds) * 10000000ull;
  return {uint32_t(ticks), uint32_t(ticks >> 32)};
}

bool ChooseArchiveModule(const PluginPlaces& places, const std::wstring& path, std::string* name,
                         Head* head, Chosen* chosen) {
  *name = AnsiPath(path);
  return !name->empty() && ReadHead(path, head) &&
         Choose(places, PluginType::kArchive, *name, head->bytes, chosen);
}

}  // namespace

std::vector<std::u16string> PluginPatterns(const PluginPlaces& places, bool with_archives) {
  std::vector<std::u16string> patterns;
  for (const std::wstring& path : PluginModulePaths(places)) {
    PluginModule module(path);
    if (module.type() == PluginType::kNone) continue;
    if (module.type() == PluginType::kArchive && !with_archives) continue;
    for (int index = 2;; index += 2) {
      const std::string joined = module.Info(index);
      if (joined.empty()) break;
      AddPatterns(joined, &patterns);
    }
  }
  return patterns;
}

std::vector<std::wstring> PluginModuleNames(const std::wstring& folder) {
  std::vector<std::wstring> names;
  for (const std::wstring& path : PluginModulePaths({folder, {}})) {
    if (PluginModule(path).type() != PluginType::kNone) names.push_back(path.substr(path.rfind(L'\\') + 1));
  }
  return names;
}

void DescribePlugin(const std::wstring& folder, const std::wstring& module_name,
                    std::wstring* patterns, std::wstring* descriptions) {
  patterns->clear();
  descriptions->clear();
  PluginModule module(JoinPath(folder, module_name));
  for (int index = 2;; index += 2) {
    const std::string joined = module.Info(index);
    if (joined.empty()) break;
    if (index > 2) {
      *patterns += L';';
      *descriptions += L'/';
    }
    *patterns += FromAnsiCodePage(joined);
    *descriptions += FromAnsiCodePage(module.Info(index + 1));
  }
  *patterns = Bounded(*patterns);
  *descriptions = Bounded(*descriptions);
}

bool ConfigurePlugin(const std::wstring& folder, const std::wstring& module_name, HWND owner) {
  PluginModule module(JoinPath(folder, module_name));
  return module.configuration_dlg && module.configuration_dlg(owner, 1) == kSpiOk;
}

bool OpenPluginImage(const PluginPlaces& places, const std::wstring& path, ImageBuffer* target) {
  const std::string name = AnsiPath(path);
  Head head;
  Chosen chosen;
  if (name.empty() || !ReadHead(path, &head) ||
      !Choose(places, PluginType::kImage, name, head.bytes, &chosen) ||
      !TakePicture(*chosen.module, name.c_str(), chosen.offset, kSpiInputFile, target))
    return false;
  target->source_size = head.file_size;
  target->last_write_time = head.last_write;
  return true;
}

bool OpenPluginImageFromMemory(const PluginPlaces& places, const std::wstring& member_name,
                               const uint8_t* block, uint32_t size, ImageBuffer* target) {
  if (!block) return false;
  // A copy, so that a module reading its full head never reads past a
  // short member.
  Head head;
  std::memcpy(head.bytes, block, size < kHeadBytes ? size : kHeadBytes);
  const std::string name = AnsiPath(member_name);
  Chosen chosen;
  if (!Choose(places, PluginType::kImage, name, head.bytes, &chosen) || chosen.offset > intptr_t(size))
    return false;
  if (!TakePicture(*chosen.module, reinterpret_cast<const char*>(block + chosen.offset),
                   intptr_t(size) - chosen.offset, kSpiInputMemory, target))
    return false;
  target->source_size = size;
  return true;
}

bool ListPluginArchive(const PluginPlaces& places, const std::wstring& path,
                       PluginArchiveListing* listing) {
  std::string name;
  Head head;
  Chosen chosen;
  if (!ChooseArchiveModule(places, path, &name, &head, &chosen) || !chosen.module->get_archive_info)
    return false;
  HLOCAL handle = nullptr;
  const int result = chosen.module->get_archive_info(name.c_str(), chosen.offset, kSpiInputFile, &handle);
  LocalBlock records(handle);
  if (result != kSpiOk || !records.data()) return false;
  listing->members.clear();
  const size_t count = records.size() / sizeof(SpiArchiveRecord);
  for (size_t i = 0; i < count; ++i) {
    SpiArchiveRecord record;
    std::memcpy(&record, records.data() + i * sizeof(record), sizeof(record));
    if (record.method[0] == 0) break;
    if (record.position > UINT32_MAX) continue;  // beyond what a list key holds
    listing->members.push_back({AnsiField(record.file_name, sizeof(record.file_name)), FolderOf(record),
                                uint32_t(record.position), FileTimeOfSeconds(record.timestamp),
                                record.file_size});
  }
  listing->last_write = head.last_write;
  return true;
}

bool ExtractPluginMember(const PluginPlaces& places, const std::wstring& path, uint32_t position,
                         PageBlock* block, uint32_t* size) {
  std::string name;
  Head head;
  Chosen chosen;
  if (!ChooseArchiveModule(places, path, &name, &head, &chosen) || !chosen.module->get_file) return false;
  HLOCAL handle = nullptr;
  const int result = chosen.module->get_file(name.c_str(), chosen.offset + intptr_t(position),
                                             reinterpret_cast<char*>(&handle), kSpiOutputMemory,
                                             KeepGoing, 0);
  LocalBlock member(handle);
  if (result != kSpiOk || !member.data() || member.size() > kZipMemberLimit) return false;
  PageBlock copy(member.size() + 4);
  if (!copy) return false;
  std::memcpy(copy.data(), member.data(), member.size());
  *block = std::move(copy);
  *size = uint32_t(member.size());
  return true;
}
