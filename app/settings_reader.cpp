#include "app/settings_reader.h"

#include "app/settings_format.h"
#include "app/settings_text.h"

bool SettingsReader::Open(const PathChar* path) {
  Close();
  if (file_.OpenForReading(path)) directory_ = ReadSettingsDirectory(file_);
  return IsValid();
}

void SettingsReader::Close() {
  file_.Close();
  directory_ = SettingsDirectory{};
}

bool SettingsReader::HasInline(int index) const {
  return directory_.At(index).IsInline();
}

int32_t SettingsReader::ReadInt(int index, int32_t fallback) const {
  const DirectoryEntry entry = directory_.At(index);
  return entry.IsInline() ? static_cast<int32_t>(entry.length) : fallback;
}

// The length is checked against the data area only; where the position
// points is not, so a bad position simply reads short and gives nothing.
bool SettingsReader::FitsDataArea(const DirectoryEntry& entry) const {
  return entry.IsByteString() && entry.length <= directory_.data_size;
}

bool SettingsReader::ReadByteString(int index, std::vector<uint8_t>* bytes) const {
  bytes->clear();
  const DirectoryEntry entry = directory_.At(index);
  if (!FitsDataArea(entry) || entry.length == 0) return false;
  bytes->resize(entry.length);
  if (file_.ReadAt(entry.position, bytes->data(), bytes->size()) != bytes->size()) {
    bytes->clear();
    return false;
  }
  return true;
}

std::u16string SettingsReader::ReadString(int index) const {
  std::vector<uint8_t> bytes;
  if (!ReadByteString(index, &bytes)) return std::u16string();
  return DecodeSettingsText(bytes.data(), bytes.size());
}

bool SettingsReader::HasStoredString(int index) const {
  return FitsDataArea(directory_.At(index));
}

size_t SettingsReader::ReadBytes(int index, uint8_t* buffer, size_t capacity) const {
  const DirectoryEntry entry = directory_.At(index);
  if (!FitsDataArea(entry) || entry.length > capacity) return 0;
  if (file_.ReadAt(entry.position, buffer, entry.length) != entry.length) return 0;
  return entry.length;
}

std::vector<uint8_t> SettingsReader::ReadAccelerators() const {
  std::vector<uint8_t> records(kMaxAcceleratorBytes);
  const size_t length = ReadBytes(kAcceleratorEntryIndex, records.data(), records.size());
  records.resize(length - length % kAcceleratorRecordSize);
  return records;
}

std::vector<std::u16string> SettingsReader::ReadStringList(int index) const {
  std::vector<uint8_t> bytes;
  if (!ReadByteString(index, &bytes)) return {};
  return DecodeSettingsStringList(bytes.data(), bytes.size());
}
