// unrar64.dll of our own: the UnRAR library's four functions that the
// viewer uses, backed by libarchive's RAR 4 and RAR 5 readers. Users
// without the UnRAR library still see their RAR archives; one who puts the
// real library in the plug-in folder gets that one instead.
//
// libarchive reads forwards only, which is how the four functions are used:
// each header is read, then skipped, tested or extracted. It cannot decrypt
// RAR data, so an encrypted member asks for its password as the UnRAR
// library would (the viewer's dialog needs that) and then fails.
#define LIBARCHIVE_STATIC
#include <archive.h>
#include <archive_entry.h>
#include <windows.h>

#include <cstdint>
#include <cstring>
#include <cwchar>
#include <memory>
#include <string>
#include <vector>

#include "rar/rar_archive_flags.h"
#include "rar/unrar_records_win.h"

namespace {

// Chunks handed to the callback while testing; the real library's are of
// this order too.
constexpr size_t kChunkBytes = 64 * 1024;
constexpr unsigned kPasswordChars = 128;

struct ArchiveHandle {
  archive* reader = nullptr;
  archive_entry* entry = nullptr;  // the header last read, owned by the reader
  unsigned open_mode = RAR_OM_LIST;
  UNRARCALLBACK callback = nullptr;
  LPARAM user_data = 0;
  std::wstring path;

  ~ArchiveHandle() {
    if (reader) archive_read_free(reader);
  }
  int Tell(UINT message, LPARAM p1, LPARAM p2) const {
    return callback ? callback(message, user_data, p1, p2) : 0;
  }
};

std::wstring ArchivePath(const RAROpenArchiveDataEx* data) {
  if (data->ArcNameW && data->ArcNameW[0]) return data->ArcNameW;
  if (!data->ArcName) return {};
  const int units = MultiByteToWideChar(CP_ACP, 0, data->ArcName, -1, nullptr, 0);
  if (units <= 1) return {};
  std::wstring path(static_cast<size_t>(units - 1), L'\0');
  MultiByteToWideChar(CP_ACP, 0, data->ArcName, -1, path.data(), units);
  return path;
}

bool ReadHead(const std::wstring& path, std::vector<uint8_t>* head) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  head->resize(512);
  DWORD got = 0;
  const BOOL read = ReadFile(file, head->data(), static_cast<DWORD>(head->size()), &got, nullptr);
  CloseHandle(file);
  head->resize(read ? got : 0);
  return read != FALSE;
}

archive* OpenReader(const std::wstring& path) {
  archive* reader = archive_read_new();
  if (!reader) return nullptr;
  archive_read_support_format_rar(reader);
  archive_read_support_format_rar5(reader);
  if (archive_read_open_filename_w(reader, path.c_str(), 64 * 1024) != ARCHIVE_OK) {
    archive_read_free(reader);
    return nullptr;
  }
  return reader;
}

void CopyWide(const wchar_t* from, wchar_t* to, size_t capacity) {
  if (!from) from = L"";
  wcsncpy(to, from, capacity - 1);
  to[capacity - 1] = 0;
}

void CopyNarrow(const wchar_t* from, char* to, size_t capacity) {
  to[0] = 0;
  if (from) WideCharToMultiByte(CP_ACP, 0, from, -1, to, static_cast<int>(capacity - 1), nullptr, nullptr);
  to[capacity - 1] = 0;
}

// The member's name as RAR stores it, with backslashes on Windows.
std::wstring EntryName(archive_entry* entry) {
  const wchar_t* wide = archive_entry_pathname_w(entry);
  std::wstring name = wide ? wide : L"";
  if (!wide) {
    const char* utf8 = archive_entry_pathname_utf8(entry);
    if (utf8) {
      const int units = MultiByteToWideChar(CP_UTF8, 0, utf8, -1, nullptr, 0);
      if (units > 1) {
        name.assign(static_cast<size_t>(units - 1), L'\0');
        MultiByteToWideChar(CP_UTF8, 0, utf8, -1, name.data(), units);
      }
    }
  }
  for (wchar_t& c : name) c = c == L'/' ? L'\\' : c;
  return name;
}

FILETIME FileTimeOf(int64_t seconds, long nanoseconds) {
  const uint64_t ticks = static_cast<uint64_t>(seconds + 11644473600LL) * 10000000ULL +
                         static_cast<uint64_t>(nanoseconds) / 100;
  return {static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
}

void FillTimes(archive_entry* entry, RARHeaderDataEx* header) {
  const FILETIME utc = FileTimeOf(archive_entry_mtime(entry), archive_entry_mtime_nsec(entry));
  header->MtimeLow = utc.dwLowDateTime;
  header->MtimeHigh = utc.dwHighDateTime;
  FILETIME local;
  WORD date = 0, time = 0;
  if (FileTimeToLocalFileTime(&utc, &local) && FileTimeToDosDateTime(&local, &date, &time)) {
    header->FileTime = static_cast<unsigned>(date) << 16 | time;
  }
}

void FillHeader(const ArchiveHandle& handle, archive_entry* entry, RARHeaderDataEx* header) {
  std::memset(header, 0, offsetof(RARHeaderDataEx, CmtBuf));
  CopyWide(handle.path.c_str(), header->ArcNameW, 1024);
  CopyNarrow(handle.path.c_str(), header->ArcName, 1024);
  const std::wstring name = EntryName(entry);
  CopyWide(name.c_str(), header->FileNameW, 1024);
  CopyNarrow(name.c_str(), header->FileName, 1024);
  const uint64_t size = archive_entry_size_is_set(entry) ? static_cast<uint64_t>(archive_entry_size(entry)) : 0;
  header->UnpSize = static_cast<unsigned>(size);
  header->UnpSizeHigh = static_cast<unsigned>(size >> 32);
  header->HostOS = 2;  // Win32
  header->FileAttr = archive_entry_filetype(entry) == AE_IFDIR ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_ARCHIVE;
  if (archive_entry_filetype(entry) == AE_IFDIR) header->Flags |= RHDF_DIRECTORY;
  if (archive_entry_is_data_encrypted(entry) > 0) header->Flags |= RHDF_ENCRYPTED;
  header->CmtSize = 0;
  header->CmtState = 0;
  FillTimes(entry, header);
}

// The password prompt the real library makes before it decrypts; we cannot
// decrypt, so the answer only decides how the member fails.
int AskPassword(UNRARCALLBACK callback, LPARAM user_data) {
  wchar_t password[kPasswordChars] = {};
  if (callback && callback(UCM_NEEDPASSWORDW, user_data, reinterpret_cast<LPARAM>(password), kPasswordChars) == -1) {
    return ERAR_MISSING_PASSWORD;
  }
  SecureZeroMemory(password, sizeof(password));
  return ERAR_BAD_PASSWORD;
}

// Where RAR_EXTRACT writes: DestName when given, else DestPath joined with
// the member's own path.
std::wstring OutputPath(archive_entry* entry, const wchar_t* dest_path, const wchar_t* dest_name) {
  if (dest_name && dest_name[0]) return dest_name;
  std::wstring path = dest_path && dest_path[0] ? dest_path : L"";
  if (!path.empty() && path.back() != L'\\' && path.back() != L'/') path += L'\\';
  return path + EntryName(entry);
}

class OutputFile {
 public:
  explicit OutputFile(const std::wstring& path)
      : file_(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                          nullptr)) {}
  ~OutputFile() {
    if (ok()) CloseHandle(file_);
  }
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;
  bool ok() const { return file_ != INVALID_HANDLE_VALUE; }
  bool Write(const void* data, size_t size) {
    DWORD written = 0;
    return WriteFile(file_, data, static_cast<DWORD>(size), &written, nullptr) && written == size;
  }

 private:
  HANDLE file_;
};

// Reads the member's data to its end, handing every chunk to the callback
// and, when extracting, to the file.
int ReadData(ArchiveHandle* handle, OutputFile* file) {
  std::vector<uint8_t> chunk(kChunkBytes);
  for (;;) {
    const la_ssize_t got = archive_read_data(handle->reader, chunk.data(), chunk.size());
    if (got == 0) return ERAR_SUCCESS;
    if (got < 0) return ERAR_BAD_DATA;
    if (handle->Tell(UCM_PROCESSDATA, reinterpret_cast<LPARAM>(chunk.data()), got) == -1) return ERAR_UNKNOWN;
    if (file && !file->Write(chunk.data(), static_cast<size_t>(got))) return ERAR_EWRITE;
  }
}

int ProcessEntry(ArchiveHandle* handle, int operation, const wchar_t* dest_path, const wchar_t* dest_name) {
  if (operation == RAR_SKIP || handle->open_mode != RAR_OM_EXTRACT) {
    return archive_read_data_skip(handle->reader) == ARCHIVE_OK ? ERAR_SUCCESS : ERAR_BAD_DATA;
  }
  if (archive_entry_is_data_encrypted(handle->entry) > 0) return AskPassword(handle->callback, handle->user_data);
  if (operation == RAR_TEST) return ReadData(handle, nullptr);
  if (archive_entry_filetype(handle->entry) == AE_IFDIR) {
    const std::wstring folder = OutputPath(handle->entry, dest_path, dest_name);
    return CreateDirectoryW(folder.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS ? ERAR_SUCCESS
                                                                                              : ERAR_ECREATE;
  }
  OutputFile file(OutputPath(handle->entry, dest_path, dest_name));
  if (!file.ok()) return ERAR_ECREATE;
  return ReadData(handle, &file);
}

}  // namespace

extern "C" {

__declspec(dllexport) HANDLE WINAPI RAROpenArchiveEx(RAROpenArchiveDataEx* data) {
  if (!data) return nullptr;
  data->OpenResult = ERAR_EOPEN;
  data->CmtSize = 0;
  data->CmtState = 0;
  data->Flags = 0;
  const std::wstring path = ArchivePath(data);
  std::vector<uint8_t> head;
  if (path.empty() || !ReadHead(path, &head)) return nullptr;
  uint32_t flags = 0;
  if (!ReadRarArchiveFlags(head.data(), head.size(), &flags)) {
    data->OpenResult = ERAR_BAD_ARCHIVE;
    return nullptr;
  }
  data->Flags = flags;
  // Encrypted headers hide even the member names; the library asks before
  // it lists anything.
  if (flags & ROADF_ENCHEADERS) {
    data->OpenResult = AskPassword(data->Callback, data->UserData);
    return nullptr;
  }
  auto handle = std::make_unique<ArchiveHandle>();
  handle->reader = OpenReader(path);
  if (!handle->reader) {
    data->OpenResult = ERAR_BAD_ARCHIVE;
    return nullptr;
  }
  handle->open_mode = data->OpenMode;
  handle->callback = data->Callback;
  handle->user_data = data->UserData;
  handle->path = path;
  data->Flags = flags;
  data->OpenResult = ERAR_SUCCESS;
  return handle.release();
}

__declspec(dllexport) int WINAPI RARReadHeaderEx(HANDLE archive_handle, RARHeaderDataEx* header) {
  auto* handle = static_cast<ArchiveHandle*>(archive_handle);
  if (!handle || !header) return ERAR_UNKNOWN;
  archive_entry* entry = nullptr;
  const int result = archive_read_next_header(handle->reader, &entry);
  if (result == ARCHIVE_EOF) return ERAR_END_ARCHIVE;
  if (result != ARCHIVE_OK && result != ARCHIVE_WARN) return ERAR_BAD_DATA;
  handle->entry = entry;
  FillHeader(*handle, entry, header);
  return ERAR_SUCCESS;
}

__declspec(dllexport) int WINAPI RARProcessFileW(HANDLE archive_handle, int operation, wchar_t* dest_path,
                                                 wchar_t* dest_name) {
  auto* handle = static_cast<ArchiveHandle*>(archive_handle);
  if (!handle || !handle->entry) return ERAR_UNKNOWN;
  const int result = ProcessEntry(handle, operation, dest_path, dest_name);
  handle->entry = nullptr;
  return result;
}

__declspec(dllexport) int WINAPI RARCloseArchive(HANDLE archive_handle) {
  delete static_cast<ArchiveHandle*>(archive_handle);
  return ERAR_SUCCESS;
}

}  // extern "C"
