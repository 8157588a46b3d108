#include "tests/e2e/printed_pages.h"

#include <algorithm>
#include <cctype>

#include "tests/e2e/open_windows.h"
#include "tests/e2e/settings_file.h"

namespace {

constexpr DWORD kPollMs = 200;
// pdftoppm gets this long before it is stopped; the driver waits a little
// longer for the script around it to say so.
constexpr int kRenderLimitS = 20;
constexpr DWORD kRenderWaitMs = (kRenderLimitS + 5) * 1000;

// Runs as a Unix program under Wine: a Windows process cannot wait for one
// (Wine gives no process handle for it), so the script leaves its exit
// status in a file once pdftoppm is done or has been stopped.
constexpr char kRenderScript[] =
    "cd \"$(dirname \"$0\")\" || exit 1\n"
    "/usr/bin/timeout -k 2 \"$2\" /usr/bin/pdftoppm -r \"$1\" document.pdf page >render.log 2>&1\n"
    "echo $? >status.part\n"
    "mv status.part status\n";

struct Deadline {
  DWORD start = GetTickCount();
  DWORD limit_ms;
  bool Passed() const { return GetTickCount() - start >= limit_ms; }
};

std::wstring EnvironmentText(const wchar_t* name) {
  wchar_t value[MAX_PATH] = {};
  DWORD length = GetEnvironmentVariableW(name, value, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return {};
  return value;
}

// Wine shows the Unix root as drive Z:.
std::wstring UnixToWindows(const std::wstring& unix_path) {
  std::wstring path = L"Z:" + unix_path;
  std::replace(path.begin(), path.end(), L'/', L'\\');
  return path;
}

std::vector<std::wstring> FilesIn(const std::wstring& folder, const wchar_t* pattern) {
  std::vector<std::wstring> names;
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW((folder + L"\\" + pattern).c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(found.cFileName);
  } while (FindNextFileW(search, &found));
  FindClose(search);
  std::sort(names.begin(), names.end());
  return names;
}

std::string Seconds(DWORD ms) {
  std::string text;
  text.append(std::to_string(ms / 1000)).append(" s");
  return text;
}

// cups-pdf writes the file in pieces while Ghostscript runs; a PDF is whole
// once it ends with its end-of-file marker and stops growing.
bool LooksComplete(const std::vector<uint8_t>& bytes) {
  const std::string marker = "%%EOF";
  size_t tail = std::min<size_t>(bytes.size(), 64);
  std::string end(bytes.end() - tail, bytes.end());
  return end.find(marker) != std::string::npos;
}

bool WaitForCompleteFile(const std::wstring& path, const Deadline& deadline) {
  size_t last_size = SIZE_MAX;
  int stable_polls = 0;
  while (!deadline.Passed()) {
    std::vector<uint8_t> bytes = ReadFileBytes(path);
    if (!bytes.empty() && bytes.size() == last_size && LooksComplete(bytes)) {
      if (++stable_polls >= 2) return true;
    } else {
      stable_polls = 0;
    }
    last_size = bytes.size();
    Sleep(kPollMs);
  }
  return false;
}

// A fresh folder beside the PDF files for one rendering.
std::wstring MakeRenderFolder(const std::wstring& pdf_folder, std::wstring* leaf) {
  for (int attempt = 0; attempt < 100; ++attempt) {
    *leaf = L"rendered-" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(attempt);
    std::wstring folder = pdf_folder + L"\\" + *leaf;
    if (CreateDirectoryW(folder.c_str(), nullptr)) return folder;
  }
  return {};
}

// The number in "page-N.ppm" (pdftoppm pads N to the page count's width).
int PageNumber(const std::wstring& name) {
  int number = 0;
  for (size_t i = 5; i < name.size() && iswdigit(name[i]); ++i) number = number * 10 + (name[i] - L'0');
  return number;
}

std::string FirstLine(const std::vector<uint8_t>& bytes) {
  std::string line(bytes.begin(), std::find(bytes.begin(), bytes.end(), uint8_t('\n')));
  return line.empty() ? "no output" : line;
}

bool Render(ScenarioContext& ctx, const std::wstring& pdf_folder, const std::wstring& unix_folder,
            const std::wstring& pdf, int dpi, PrintedDocument* document) {
  std::wstring leaf;
  const std::wstring folder = MakeRenderFolder(pdf_folder, &leaf);
  if (!ctx.Expect(!folder.empty(), "a folder for rendering the printed PDF is made")) return false;
  const std::string script(kRenderScript);
  if (!ctx.Expect(CopyFileW(pdf.c_str(), (folder + L"\\document.pdf").c_str(), FALSE) &&
                      WriteFileBytes(folder + L"\\render.sh", {script.begin(), script.end()}),
                  "the printed PDF is copied for rendering"))
    return false;

  std::wstring command = L"Z:\\bin\\sh \"" + unix_folder + L"/" + leaf + L"/render.sh\" " +
                         std::to_wstring(dpi) + L" " + std::to_wstring(kRenderLimitS);
  STARTUPINFOW startup = {sizeof(startup)};
  PROCESS_INFORMATION process = {};
  if (!ctx.Expect(CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                 nullptr, &startup, &process) != 0,
                  "pdftoppm can be started (through /bin/sh)"))
    return false;
  if (process.hProcess) CloseHandle(process.hProcess);
  if (process.hThread) CloseHandle(process.hThread);

  const std::wstring status_path = folder + L"\\status";
  const Deadline deadline{GetTickCount(), kRenderWaitMs};
  std::vector<uint8_t> status;
  while ((status = ReadFileBytes(status_path)).empty() && !deadline.Passed()) Sleep(kPollMs);
  if (!ctx.Expect(!status.empty(), "pdftoppm reports within " + Seconds(kRenderWaitMs))) return false;
  const std::string code = FirstLine(status);
  if (!ctx.Expect(code != "124", "pdftoppm renders the PDF within " + std::to_string(kRenderLimitS) +
                                     " s (it was stopped)"))
    return false;
  if (!ctx.Expect(code == "0", "pdftoppm renders the PDF (status " + code + ": " +
                                   FirstLine(ReadFileBytes(folder + L"\\render.log")) + ")"))
    return false;

  std::vector<std::wstring> pages = FilesIn(folder, L"page-*.ppm");
  document->pages = int(pages.size());
  auto first = std::find_if(pages.begin(), pages.end(),
                            [](const std::wstring& name) { return PageNumber(name) == 1; });
  if (!ctx.Expect(first != pages.end(), "pdftoppm rendered a first page")) return false;
  return ctx.Expect(ReadPpm(ReadFileBytes(folder + L"\\" + *first), &document->first_page),
                    "the rendered first page is a binary PPM file");
}

// Skips white space and comments between the fields of a PPM header.
size_t SkipPpmSpace(const std::vector<uint8_t>& bytes, size_t at) {
  while (at < bytes.size()) {
    if (bytes[at] == '#') {
      while (at < bytes.size() && bytes[at] != '\n') ++at;
    } else if (isspace(bytes[at])) {
      ++at;
    } else {
      break;
    }
  }
  return at;
}

bool ReadPpmNumber(const std::vector<uint8_t>& bytes, size_t* at, int* value) {
  *at = SkipPpmSpace(bytes, *at);
  long long number = 0;
  size_t start = *at;
  while (*at < bytes.size() && isdigit(bytes[*at]) && number < (1 << 20)) {
    number = number * 10 + (bytes[*at] - '0');
    ++*at;
  }
  *value = int(number);
  return *at > start && number < (1 << 20);
}

}  // namespace

bool ReadPpm(const std::vector<uint8_t>& bytes, PageRaster* raster) {
  if (bytes.size() < 2 || bytes[0] != 'P' || bytes[1] != '6') return false;
  size_t at = 2;
  int width = 0, height = 0, max_value = 0;
  if (!ReadPpmNumber(bytes, &at, &width) || !ReadPpmNumber(bytes, &at, &height) ||
      !ReadPpmNumber(bytes, &at, &max_value))
    return false;
  // Exactly one white-space byte separates the header from the samples.
  if (width < 1 || height < 1 || max_value != 255 || at >= bytes.size() || !isspace(bytes[at]))
    return false;
  ++at;
  const size_t count = size_t(width) * size_t(height);
  if (bytes.size() - at < count * 3) return false;
  raster->width = width;
  raster->height = height;
  raster->pixels.resize(count);
  for (size_t i = 0; i < count; ++i, at += 3) {
    raster->pixels[i] = uint32_t(bytes[at]) << 16 | uint32_t(bytes[at + 1]) << 8 | bytes[at + 2];
  }
  return true;
}

bool PrintOutput::Open(ScenarioContext& ctx) {
  if (!ctx.Expect(!EnvironmentText(L"OVIRA_PRINT_QUEUE").empty(),
                  "no test print queue: scripts/test.sh starts one"))
    return false;
  unix_folder_ = EnvironmentText(L"OVIRA_PRINT_OUTPUT");
  if (!ctx.Expect(!unix_folder_.empty() && unix_folder_[0] == L'/' &&
                      unix_folder_.find(L'"') == std::wstring::npos,
                  "OVIRA_PRINT_OUTPUT names the queue's PDF folder as a Unix path"))
    return false;
  folder_ = UnixToWindows(unix_folder_);
  DWORD attributes = GetFileAttributesW(folder_.c_str());
  if (!ctx.Expect(attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY),
                  "the print queue's PDF folder " + Narrow(unix_folder_) + " exists"))
    return false;
  before_ = FilesIn(folder_, L"*.pdf");
  return true;
}

std::vector<std::wstring> PrintOutput::NewDocuments() const {
  std::vector<std::wstring> added;
  for (const std::wstring& name : FilesIn(folder_, L"*.pdf")) {
    if (!std::binary_search(before_.begin(), before_.end(), name)) added.push_back(name);
  }
  return added;
}

bool PrintOutput::WaitForDocument(ScenarioContext& ctx, PrintedDocument* document, int dpi,
                                  DWORD timeout_ms) const {
  const Deadline deadline{GetTickCount(), timeout_ms};
  std::vector<std::wstring> added;
  while ((added = NewDocuments()).empty() && !deadline.Passed()) Sleep(kPollMs);
  if (!ctx.Expect(!added.empty(), "no PDF came out of the print queue within " + Seconds(timeout_ms)))
    return false;
  document->pdf = folder_ + L"\\" + added.front();
  if (!ctx.Expect(WaitForCompleteFile(document->pdf, deadline),
                  "the printed PDF " + Narrow(added.front()) + " was complete within " +
                      Seconds(timeout_ms)))
    return false;
  document->dpi = dpi;
  return Render(ctx, folder_, unix_folder_, document->pdf, dpi, document);
}
