#include "image/temporary_save_win.h"

#include <windows.h>

#include "app/app_state.h"
#include "app/program_message_win.h"
#include "codecs/image_encoders.h"
#include "codecs/jpeg_kept_exif.h"
#include "image/encoder_failure_win.h"
#include "image/file_access.h"
#include "image/format_detect.h"

namespace {

// The current document's own file, when it is a JPEG the save can take
// data from.
bool MapDocumentJpeg(MapMode mode, MappedFile* file) {
  const DocumentState& document = App().document;
  if (document.source_kind != SourceKind::kFile || document.path.empty()) return false;
  if (DetectFileFormat(document.path.c_str()) != kFormatJpeg) return false;
  return file->Open(document.path.c_str(), mode);
}

// What the encoders need from the source beyond the pixels: the Exif block
// a JPEG save keeps, or the whole file for the save that keeps its data
// (copy-on-write, since that save resets the orientation in it). False when
// that save has no JPEG file to work on.
bool PrepareContext(const SaveOptions& options, MappedFile* source, EncodeContext* context) {
  if (options.type == kSaveJpeg && options.keep_exif &&
      MapDocumentJpeg(MapMode::kReadOnly, source)) {
    ReadKeptExif(source->data(), source->size(), &context->source_exif);
  }
  if (options.type != kSaveJpegLossless) return true;
  if (!MapDocumentJpeg(MapMode::kCopyOnWrite, source)) return false;
  context->source_jpeg = source->mutable_data();
  context->source_jpeg_size = source->size();
  context->rotation_state = App().document.rotation_state;
  return true;
}

void ShowSaveFailure(const SaveOptions& options, Status status, const EncodeContext& context) {
  if (options.type == kSaveJpegLossless) {
    ShowProgramMessage(kMessageLosslessSaveFailed);
  } else {
    ShowEncoderFailure(status, context.error_text);
  }
}

}  // namespace

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
  MappedFile source;
  EncodeContext context;
  Status status = PrepareContext(options, &source, &context)
                      ? EncodeImageFile(App().current, options, path.c_str(), &context)
                      : Status::kReadFailed;
  if (status != Status::kOk) {
    DeleteFileW(path.c_str());
    ShowSaveFailure(options, status, context);
    return {};
  }
  WIN32_FILE_ATTRIBUTE_DATA data;
  *bytes = GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data) ? data.nFileSizeLow : 0;
  return path;
}
