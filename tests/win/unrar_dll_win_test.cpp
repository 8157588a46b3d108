// Our unrar64.dll as the viewer meets it: loaded from the build output by
// name, its four functions looked up, and RAR 4 and RAR 5 archives from
// libarchive's own test files listed and tested through the callback. What
// each archive holds is what bsdtar -tvf and bsdtar -xO report for it.
#include <gtest/gtest.h>
#include <windows.h>
#include <zlib.h>

#include <string>
#include <vector>

#include "rar/unrar_records_win.h"
#include "tests/unit/uu_decode.h"
#include "tests/win/win_test_files.h"

namespace {

struct UnrarLibrary {
  HMODULE module = LoadLibraryW(L"unrar64.dll");
  RarOpenArchiveExFn open = module ? reinterpret_cast<RarOpenArchiveExFn>(
                                         reinterpret_cast<void*>(GetProcAddress(module, "RAROpenArchiveEx")))
                                   : nullptr;
  RarReadHeaderExFn read_header = module ? reinterpret_cast<RarReadHeaderExFn>(reinterpret_cast<void*>(
                                               GetProcAddress(module, "RARReadHeaderEx")))
                                         : nullptr;
  RarProcessFileWFn process = module ? reinterpret_cast<RarProcessFileWFn>(reinterpret_cast<void*>(
                                           GetProcAddress(module, "RARProcessFileW")))
                                     : nullptr;
  RarCloseArchiveFn close = module ? reinterpret_cast<RarCloseArchiveFn>(
                                         reinterpret_cast<void*>(GetProcAddress(module, "RARCloseArchive")))
                                   : nullptr;
  ~UnrarLibrary() {
    if (module) FreeLibrary(module);
  }
  bool complete() const { return open && read_header && process && close; }
};

// What the callback saw during one operation.
struct Operation {
  std::vector<uint8_t> data;
  int password_requests = 0;
  bool cancel_password = true;
};

int CALLBACK Callback(UINT message, LPARAM user_data, LPARAM p1, LPARAM p2) {
  auto* op = reinterpret_cast<Operation*>(user_data);
  if (message == UCM_PROCESSDATA) {
    const auto* bytes = reinterpret_cast<const uint8_t*>(p1);
    op->data.insert(op->data.end(), bytes, bytes + p2);
    return 0;
  }
  if (message == UCM_NEEDPASSWORDW) {
    ++op->password_requests;
    if (op->cancel_password) return -1;
    wcsncpy(reinterpret_cast<wchar_t*>(p1), L"password", size_t(p2) - 1);
    return 0;
  }
  return message == UCM_CHANGEVOLUMEW && p2 == RAR_VOL_ASK ? -1 : 0;
}

struct Member {
  std::wstring name;
  uint64_t size;
  unsigned flags;
  unsigned dos_time;
};

class UnrarDll : public testing::Test {
 protected:
  void SetUp() override {
    if (!library_.module) GTEST_SKIP() << "unrar64.dll is not beside the tests";
    ASSERT_TRUE(library_.complete()) << "unrar64.dll lacks one of the four functions";
    if (LibarchiveTestFile("test_read_format_rar.rar").empty()) GTEST_SKIP() << "libarchive source missing";
  }

  std::wstring Archive(const std::string& name) {
    return dir_.Write(std::wstring(name.begin(), name.end()), LibarchiveTestFile(name));
  }

  HANDLE Open(const std::wstring& path, unsigned mode, Operation* op, unsigned* flags = nullptr,
              unsigned* result = nullptr) {
    RAROpenArchiveDataEx data{};
    std::wstring name = path;
    data.ArcNameW = name.data();
    data.OpenMode = mode;
    data.Callback = Callback;
    data.UserData = reinterpret_cast<LPARAM>(op);
    HANDLE handle = library_.open(&data);
    if (flags) *flags = data.Flags;
    if (result) *result = data.OpenResult;
    EXPECT_EQ(handle != nullptr, data.OpenResult == ERAR_SUCCESS);
    return handle;
  }

  std::vector<Member> List(const std::wstring& path) {
    Operation op;
    HANDLE handle = Open(path, RAR_OM_LIST, &op);
    std::vector<Member> members;
    if (!handle) return members;
    RARHeaderDataEx header{};
    while (library_.read_header(handle, &header) == ERAR_SUCCESS) {
      members.push_back({header.FileNameW, uint64_t{header.UnpSizeHigh} << 32 | header.UnpSize, header.Flags,
                         header.FileTime});
      EXPECT_EQ(library_.process(handle, RAR_SKIP, nullptr, nullptr), ERAR_SUCCESS);
    }
    library_.close(handle);
    return members;
  }

  // Skips `index` headers and tests the next one, as the viewer extracts.
  int Test(const std::wstring& path, size_t index, Operation* op) {
    HANDLE handle = Open(path, RAR_OM_EXTRACT, op);
    if (!handle) return ERAR_EOPEN;
    RARHeaderDataEx header{};
    int result = ERAR_SUCCESS;
    for (size_t i = 0; i <= index && result == ERAR_SUCCESS; ++i) {
      result = library_.read_header(handle, &header);
      if (result == ERAR_SUCCESS) result = library_.process(handle, i == index ? RAR_TEST : RAR_SKIP, nullptr, nullptr);
    }
    library_.close(handle);
    return result;
  }

  UnrarLibrary library_;
  WinTempDir dir_;
};

uint32_t Crc(const std::vector<uint8_t>& data) { return uint32_t(crc32(0, data.data(), uInt(data.size()))); }

TEST_F(UnrarDll, ListsAndTestsARar4Archive) {
  const std::wstring path = Archive("test_read_format_rar.rar");
  const std::vector<Member> members = List(path);
  ASSERT_EQ(members.size(), 5u);
  const wchar_t* names[] = {L"test.txt", L"testlink", L"testdir\\test.txt", L"testdir", L"testemptydir"};
  const uint64_t sizes[] = {20, 0, 20, 0, 0};
  for (size_t i = 0; i < 5; ++i) {
    EXPECT_EQ(members[i].name, names[i]) << i;
    EXPECT_EQ(members[i].size, sizes[i]) << i;
    EXPECT_EQ((members[i].flags & RHDF_DIRECTORY) != 0, i >= 3) << i;
    EXPECT_NE(members[i].dos_time, 0u) << i;
  }
  Operation op;
  ASSERT_EQ(Test(path, 2, &op), ERAR_SUCCESS);
  EXPECT_EQ(std::string(op.data.begin(), op.data.end()), "test text document\r\n");
  Operation html;
  ASSERT_EQ(Test(Archive("test_read_format_rar_compress_normal.rar"), 0, &html), ERAR_SUCCESS);
  EXPECT_EQ(html.data.size(), 20111u);
  EXPECT_EQ(Crc(html.data), 0x5e05a663u);
}

TEST_F(UnrarDll, ListsAndTestsRar5Archives) {
  const std::wstring path = Archive("test_read_format_rar5_multiple_files.rar");
  const std::vector<Member> members = List(path);
  ASSERT_EQ(members.size(), 4u);
  for (size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(members[i].name, L"test" + std::to_wstring(i + 1) + L".bin");
    EXPECT_EQ(members[i].size, 4096u);
  }
  Operation first, last;
  ASSERT_EQ(Test(path, 0, &first), ERAR_SUCCESS);
  EXPECT_EQ(Crc(first.data), 0x7e13b2c6u);
  ASSERT_EQ(Test(path, 3, &last), ERAR_SUCCESS);
  EXPECT_EQ(Crc(last.data), 0x10c43ed4u);
  Operation stored;
  ASSERT_EQ(Test(Archive("test_read_format_rar5_stored.rar"), 0, &stored), ERAR_SUCCESS);
  EXPECT_EQ(std::string(stored.data.begin(), stored.data.end()), "hello libarchive test suite!\n");
}

TEST_F(UnrarDll, EncryptedMembersAskForThePasswordOnceAndFail) {
  const std::wstring path = Archive("test_read_format_rar_encryption_data.rar");
  const std::vector<Member> members = List(path);
  ASSERT_EQ(members.size(), 2u);
  EXPECT_EQ(members[0].name, L"foo.txt");
  EXPECT_TRUE(members[0].flags & RHDF_ENCRYPTED);
  Operation cancelled;
  EXPECT_EQ(Test(path, 0, &cancelled), ERAR_MISSING_PASSWORD);
  EXPECT_EQ(cancelled.password_requests, 1);
  Operation given;
  given.cancel_password = false;
  EXPECT_EQ(Test(path, 1, &given), ERAR_BAD_PASSWORD);
  EXPECT_EQ(given.password_requests, 1);
  EXPECT_TRUE(given.data.empty());
}

TEST_F(UnrarDll, EncryptedHeadersAskForThePasswordOnOpeningAndFail) {
  const std::wstring path = Archive("test_read_format_rar_encryption_header.rar");
  for (bool cancel : {true, false}) {
    Operation op;
    op.cancel_password = cancel;
    unsigned flags = 0, result = 0;
    EXPECT_FALSE(Open(path, RAR_OM_LIST, &op, &flags, &result));
    EXPECT_EQ(result, unsigned(cancel ? ERAR_MISSING_PASSWORD : ERAR_BAD_PASSWORD));
    EXPECT_TRUE(flags & ROADF_ENCHEADERS);
    EXPECT_EQ(op.password_requests, 1);
  }
}

TEST_F(UnrarDll, ReportsVolumeFlagsAndRefusesOtherFiles) {
  Operation op;
  unsigned flags = 0;
  HANDLE later = Open(Archive("test_read_format_rar5_multiarchive.part03.rar"), RAR_OM_LIST, &op, &flags);
  ASSERT_TRUE(later);
  library_.close(later);
  EXPECT_EQ(flags, ROADF_VOLUME | ROADF_NEWNUMBERING);
  HANDLE first = Open(Archive("test_rar_multivolume_single_file.part1.rar"), RAR_OM_LIST, &op, &flags);
  ASSERT_TRUE(first);
  library_.close(first);
  EXPECT_EQ(flags, ROADF_VOLUME | ROADF_NEWNUMBERING | ROADF_FIRSTVOLUME);
  EXPECT_FALSE(Open(dir_.Write(L"not.rar", {'P', 'K', 3, 4, 0, 0, 0, 0}), RAR_OM_LIST, &op));
  EXPECT_FALSE(Open(dir_.path() + L"\\missing.rar", RAR_OM_LIST, &op));
}

}  // namespace
