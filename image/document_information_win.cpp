#include "image/document_information_win.h"

#include "app/app_state.h"
#include "app/language_module_win.h"
#include "app/wide_text.h"
#include "codecs/exif_info.h"
#include "codecs/png_text_info.h"
#include "image/archive_list_win.h"
#include "image/file_access.h"
#include "image/information_rows_win.h"
#include "lang/string_ids.h"

namespace {

// The document's bytes as they are now: the file mapped, or the member
// unpacked again.
class DocumentBytes {
 public:
  bool Read() {
    const ApplicationState& app = App();
    if (app.document.path.empty()) return false;
    if (app.document.source_kind == SourceKind::kFile) {
      if (!file_.Open(app.document.path.c_str(), MapMode::kReadOnly)) return false;
      data_ = file_.data();
      size_ = file_.size();
      return true;
    }
    const FileListEntry* entry = app.file_list.CurrentEntry();
    uint32_t size = 0;
    if (!entry || !ExtractArchiveMember(*entry, &member_, &size)) return false;
    data_ = member_.data();
    size_ = size;
    return true;
  }
  const uint8_t* data() const { return data_; }
  size_t size() const { return size_; }

 private:
  MappedFile file_;
  PageBlock member_;
  const uint8_t* data_ = nullptr;
  size_t size_ = 0;
};

bool ExifRows(const DocumentBytes& bytes, InformationRows* rows) {
  HMODULE language = App().language.get();
  ExifInfo info;
  const ExifStrings strings = [language](int id) { return ToU16(LanguageString(language, UINT(id))); };
  if (!ReadExifInfo(bytes.data(), bytes.size(), strings, &info)) return false;
  for (int i = 0; i < kExifItemCount; ++i) {
    const ExifItem& item = info.items[size_t(i)];
    if (item.present)
      rows->push_back({LanguageString(language, UINT(kExifItemLabelBase + i)), ToWide(item.value)});
  }
  return true;
}

bool TextRows(const DocumentBytes& bytes, InformationRows* rows) {
  PngTextList list;
  if (!ReadPngTexts(bytes.data(), bytes.size(), &list)) return false;
  for (const PngTextEntry& entry : list.entries) rows->push_back({ToWide(entry.keyword), ToWide(entry.text)});
  return true;
}

}  // namespace

void ShowImageInformation() {
  const ApplicationState& app = App();
  const int32_t format = app.current.source_format;
  if (!app.current.pixels || (format != kSourceJpeg && format != kSourcePng)) return;
  DocumentBytes bytes;
  if (!bytes.Read()) return;
  if (format == kSourceJpeg) {
    InformationList list = {IDD_EXIF_INFO, IDC_EXIF_INFO_LIST, IDS_EXIF_ITEM, 160, {}};
    if (ExifRows(bytes, &list.rows)) ShowInformationList(OwnerWindow(), list);
  } else {
    InformationList list = {IDD_PNG_TEXTS, IDC_PNG_TEXTS_LIST, IDS_TEXTS_KEYWORD, 80, {}};
    if (TextRows(bytes, &list.rows)) ShowInformationList(OwnerWindow(), list);
  }
}
