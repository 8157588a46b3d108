// The settings file is whatever lies on disk: an older program's, a cut-off
// copy, or garbage. Reading every entry, loading the settings and rewriting
// the file must never crash; what a rewrite stores must load back as it was;
// a rewrite keeps each old byte at most once; and an integer stored in place
// must read back.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/settings_format.h"
#include "app/settings_inline_write.h"
#include "app/settings_load.h"
#include "app/settings_reader.h"
#include "app/settings_save.h"
#include "app/settings_writer.h"
#include "fuzz/fuzz_check.h"

namespace {

// One folder per fuzzing process, removed when it ends.
class ScratchFolder {
 public:
  ScratchFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "ovira-fuzz-XXXXXX").string();
    if (mkdtemp(pattern.data())) path_ = pattern;
    Require(!path_.empty(), "a scratch folder can be made");
  }
  ~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  std::string Put(const char* name, const uint8_t* data, size_t size) const {
    const std::string file = path_ + "/" + name;
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    out.close();
    Require(out.good(), "the input can be written to a file");
    return file;
  }

 private:
  std::string path_;
};

const ScratchFolder& Scratch() {
  static const ScratchFolder folder;
  return folder;
}

SettingsEnvironment Environment() {
  SettingsEnvironment environment;
  environment.documents_folder = u"C:\\Users\\fuzz\\Documents";
  // Deterministic, so loading the rewritten file decides the same way.
  environment.folder_exists = [](const std::u16string& path) { return path.size() % 2 == 0; };
  return environment;
}

void ReadEveryEntry(const SettingsReader& reader) {
  static uint8_t buffer[4096];
  for (int index = -1; index <= kSettingsEntryCount; ++index) {
    reader.HasInline(index);
    reader.ReadInt(index, -1);
    reader.ReadString(index);
    reader.ReadBytes(index, buffer, sizeof buffer);
    reader.ReadStringList(index);
  }
  reader.ReadAccelerators();
}

SettingsRect RectOf(int32_t left, int32_t top, int32_t width, int32_t height) {
  // Wrapping on purpose: saving turns right - left back into the width.
  const auto add = [](int32_t a, int32_t b) {
    return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
  };
  return SettingsRect{left, top, add(left, width), add(top, height)};
}

// The windows as the loaded settings would have put them.
SettingsWindowState WindowStateOf(const SettingsValues& values) {
  SettingsWindowState window;
  window.view_restored =
      RectOf(values.view_left, values.view_top, values.view_width, values.view_height);
  window.edit_restored =
      RectOf(values.edit_left, values.edit_top, values.edit_width, values.edit_height);
  window.edit_maximised = values.edit_maximised != 0;
  window.edit_toolstrip_rows = values.edit_toolstrip_rows;
  window.accelerator_records = values.accelerator_records;
  return window;
}

SettingsValues Load(const std::string& path, const SettingsEnvironment& environment) {
  SettingsReader reader;
  reader.Open(path.c_str());
  SettingsValues values;
  LoadAllSettings(reader, values, environment);
  return values;
}

void CheckRewrite(const uint8_t* data, size_t size, const SettingsValues& loaded,
                  const SettingsEnvironment& environment) {
  const std::string path = Scratch().Put("rewrite.ini", data, size);
  SettingsWriter writer;
  Require(writer.Open(path.c_str()), "any file can be opened for rewriting");
  Require(SaveAllSettings(writer, loaded, WindowStateOf(loaded), environment),
          "every entry can be written");
  Require(writer.Finish(), "the rewrite finishes");
  Require(Load(path, environment) == loaded, "a rewritten file loads back unchanged");
}

// Bytes behind the directory, as the writer will find them.
uint64_t OldDataAreaSize(const uint8_t* data, size_t size) {
  if (size < kSettingsHeaderSize) return 0;
  const uint64_t start = DataAreaStart(ClampEntryCount(DecodeHeader(data).count));
  return size > start ? size - start : 0;
}

// Entries may share bytes; carrying them over must not multiply them.
void CheckCarryOverKeepsSize(const uint8_t* data, size_t size) {
  const std::string path = Scratch().Put("carry.ini", data, size);
  SettingsWriter writer;
  Require(writer.Open(path.c_str()), "any file can be opened for rewriting");
  Require(writer.Finish(), "the rewrite finishes");
  Require(std::filesystem::file_size(path) <= kSettingsFullDataStart + OldDataAreaSize(data, size),
          "a rewrite carries each old byte at most once");
}

void CheckInlineWrite(const uint8_t* data, size_t size) {
  const std::string path = Scratch().Put("inline.ini", data, size);
  const int index = static_cast<int>(size % kSettingsEntryCount);
  const int32_t value = static_cast<int32_t>(0x5EED0000u + size);
  Require(WriteInlineSetting(path.c_str(), index, value), "an integer can be stored in place");
  SettingsReader reader;
  Require(reader.Open(path.c_str()), "the file is usable after an in-place write");
  Require(reader.ReadInt(index, ~value) == value, "an integer stored in place reads back");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const SettingsEnvironment environment = Environment();
  const std::string path = Scratch().Put("Ovira.ini", data, size);
  SettingsValues loaded;
  {
    SettingsReader reader;
    reader.Open(path.c_str());
    ReadEveryEntry(reader);
    LoadAllSettings(reader, loaded, environment);
  }
  CheckRewrite(data, size, loaded, environment);
  CheckCarryOverKeepsSize(data, size);
  CheckInlineWrite(data, size);
  return 0;
}
