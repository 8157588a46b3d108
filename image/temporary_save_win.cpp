#include "image/temporary_save_win.h"

#include <windows.h>

#include "app/app_state.h"
#include "app/program_message_win.h"
#include "codecs/image_encoders.h"

std::wstring NewTemporaryFile() {
  wchar_t folder[MAX_PATH + 1];
  wchar_t file[MAX_PATH + 1];
  DWORD n = GetTempPathW(MAX_PATH + 1, folder);
  if (n == 0 || n > MAX_PATH || !GetTempFileNameW(folder, L"tmp", 0, file)) return {};
  return file;
}

std::wstring WriteTemporarySave(const SaveOptions& options, uint32_t* bytes) {
  std::wstring path = NewTemporaryFile();
  if (path.empty()) {
    ShowProgramMessage(kMessageNoTempFile);
    return {};
  }
  Status status = EncodeImageFile(App().current, options, path.c_str());
  if (status != Status::kOk) {
    DeleteFileW(path.c_str());
    ShowProgramMessage(StatusCode(status));
    return {};
  }
  WIN32_FILE_ATTRIBUTE_DATA data;
  *bytes = GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data) ? data.nFileSizeLow : 0;
  return path;
}
