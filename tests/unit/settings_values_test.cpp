// Loading the frame's settings (defaults, range rules, mouse bindings by file
// version) and saving them (which entries, in which order, which survive).
#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <set>

#include "app/menu_state.h"
#include "app/menu_tree.h"
#include "app/settings_load.h"
#include "app/settings_save.h"
#include "image/file_list.h"
#include "tests/unit/settings_test_support.h"
#include "tests/unit/test_files.h"

using namespace settings_test;

namespace {

const std::string kFileName = "Ovira.ini";

const std::u16string kDocuments = u"C:\\Users\\me\\Documents";

class SettingsValuesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(temp_.path().empty());
    environment_.documents_folder = kDocuments;
    environment_.folder_exists = [this](const std::u16string& path) {
      return folders_.count(path) > 0;
    };
    environment_.plugin_module_exists = [this](const std::u16string& folder,
                                               const std::u16string& name) {
      return modules_.count(folder + u"\\" + name) > 0;
    };
  }

  SettingsValues LoadFrom(const Bytes& bytes) {
    temp_.Write(kFileName, bytes);
    return Load();
  }
  SettingsValues Load() {
    SettingsReader reader;
    reader.Open(path_.c_str());
    SettingsValues values;
    LoadAllSettings(reader, values, environment_);
    return values;
  }
  bool Save(const SettingsValues& values, const SettingsWindowState& window) {
    SettingsWriter writer;
    return writer.Open(path_.c_str()) && SaveAllSettings(writer, values, window, environment_) &&
           writer.Finish();
  }

  TempDir temp_;
  const std::string path_ = temp_.File(kFileName);
  SettingsEnvironment environment_;
  std::set<std::u16string> folders_;
  std::set<std::u16string> modules_;
};

SettingsWindowState DefaultWindows() {
  SettingsWindowState window;
  window.edit_restored = SettingsRect{200, 100, 1020, 700};
  return window;
}

// --- Loading -------------------------------------------------------------

TEST_F(SettingsValuesTest, DefaultsFileIsWrittenByteForByte) {
  const SettingsValues values = Load();  // no file yet
  ASSERT_TRUE(Save(values, DefaultWindows()));

  // Every entry a default save writes inline, with its value; every other
  // slot must be empty. Only entry 28 holds a string.
  const std::map<int, int32_t> inline_entries = {
      {3, 5540}, {4, 5310}, {5, 0}, {7, 0}, {9, 1}, {10, -12}, {11, 400}, {31, 4}, {32, 2},
      {33, 1}, {34, 1}, {35, 1}, {36, 1}, {37, 1}, {38, 0}, {39, 1}, {40, 0}, {41, 1}, {42, 0},
      {43, 0}, {44, 1}, {45, 0}, {48, 1}, {53, 1}, {54, 0}, {55, 1}, {56, 0}, {58, 1}, {59, 1},
      {60, 0}, {61, 0}, {62, 200}, {63, 100}, {64, 820}, {65, 600}, {66, 0}, {67, 1},
      {68, 2200}, {69, 1}, {70, 1}, {71, 0xFFFFFF}, {72, 1}, {73, 0}, {74, 24}, {75, 24},
      {76, 24}, {77, 8}, {78, 0}, {79, 0}, {80, 0}, {81, 0}, {82, 0}, {83, 9}, {84, 0},
      {85, 0}, {86, 0}, {87, 2200}, {88, 0xFFFFFF}, {89, 75}, {90, 0}, {91, 0}, {92, 0},
      {93, 2}, {94, 1}, {95, 0}, {96, 100}, {207, 1}, {209, 0}, {210, 5600}, {211, 0},
      {212, 0}, {213, 5611}, {214, 5610}, {215, 0}, {216, 0}, {217, 0}, {218, 0}, {219, 0},
      {220, 0}, {221, 0}, {222, 0}, {223, 1}, {224, 8}, {225, 0}};
  const Bytes documents = Utf16(kDocuments);

  Bytes expected(1828, 0);
  expected[0] = 0xE4;  // 228
  expected[2] = 0xC8;  // 0x14C8
  expected[3] = 0x14;
  for (const auto& [index, value] : inline_entries) {
    PutU32(expected, 4 + 8 * index, 1);
    PutU32(expected, 8 + 8 * index, static_cast<uint32_t>(value));
  }
  PutU32(expected, 4 + 8 * 28, 1828);
  PutU32(expected, 8 + 8 * 28, static_cast<uint32_t>(documents.size()));
  expected.insert(expected.end(), documents.begin(), documents.end());

  EXPECT_EQ(ReadWholeFile(path_), expected);
}

TEST_F(SettingsValuesTest, MouseBindingsFollowTheFileVersion) {
  struct Case {
    const char* what;
    uint16_t version;
    std::map<int, int32_t> stored;
    int32_t double_click, both_buttons, wheel_away, wheel_toward;
  };
  const std::vector<Case> cases = {
      {"current: all commands", 0x1482, {{3, 5320}, {4, 0}, {213, 5702}, {214, 5703}, {46, 1}},
       5320, 0, 5702, 5703},
      {"current: defaults", 0x14C8, {}, 5550, 5310, 5611, 5610},
      {"0x1478: wheel from entry 46", 0x1478, {{3, 5320}, {4, 5530}, {213, 5000}, {46, 1}},
       5320, 5530, 5703, 5702},
      {"0x1481: wheel from entry 6", 0x1481, {{6, 1}, {214, 5000}}, 5550, 5310, 5610, 5611},
      {"0x1478: entry 46 wins over 6", 0x1478, {{6, 1}, {46, 3}}, 5550, 5310, 5703, 5702},
      {"0x1478: flags read by bit 0", 0x1478, {{6, 2}, {46, 2}}, 5550, 5310, 5611, 5610},
      {"old codes 1 and 2", 0x1477, {{3, 1}, {4, 2}}, 5310, 5530, 5611, 5610},
      {"old codes 3 and other", 0x1000, {{3, 3}, {4, 5550}}, 5540, 5550, 5611, 5610},
      {"old code defaults", 0x1000, {}, 5540, 5310, 5611, 5610},
  };
  for (const Case& c : cases) {
    FileImage image(228, c.version);
    for (const auto& [index, value] : c.stored) image.Inline(index, value);
    const SettingsValues values = LoadFrom(image.Build());
    EXPECT_EQ(values.mouse_bindings[kMouseLeftDoubleClick], c.double_click) << c.what;
    EXPECT_EQ(values.mouse_bindings[kMouseBothButtons], c.both_buttons) << c.what;
    EXPECT_EQ(values.mouse_bindings[kMouseWheelAway], c.wheel_away) << c.what;
    EXPECT_EQ(values.mouse_bindings[kMouseWheelToward], c.wheel_toward) << c.what;
  }

  // No file at all reads like the oldest version.
  std::remove(path_.c_str());
  const SettingsValues none = Load();
  EXPECT_EQ(none.mouse_bindings[kMouseLeftDoubleClick], 5540);
  EXPECT_EQ(none.mouse_bindings[kMouseBothButtons], 5310);
  EXPECT_EQ(none.mouse_bindings[kMouseWheelAway], 5611);
  EXPECT_EQ(none.mouse_bindings[kMouseMiddleButton], 5600);
}

TEST_F(SettingsValuesTest, StoredValuesOutsideTheirRangeTakeTheFallback) {
  using Field = int32_t SettingsValues::*;
  struct Case {
    int index;
    int32_t stored;
    Field field;
    int32_t expected;
  };
  const std::vector<Case> cases = {
      {39, 0, &SettingsValues::slideshow_interval, 1},
      {39, 61, &SettingsValues::slideshow_interval, 1},
      {39, 60, &SettingsValues::slideshow_interval, 60},
      {89, 0, &SettingsValues::jpeg_quality, 75},
      {89, 100, &SettingsValues::jpeg_quality, 100},
      {10, -13, &SettingsValues::font_height, -12},
      {10, -14, &SettingsValues::font_height, -14},
      {11, 500, &SettingsValues::font_weight, 400},
      {31, 3, &SettingsValues::stretch_mode, 3},
      {31, 7, &SettingsValues::stretch_mode, 3},  // not the default 4
      {2, 3, &SettingsValues::start_display_mode, 0},
      {32, 5, &SettingsValues::view_background, 2},
      {53, -1, &SettingsValues::edit_background, 1},
      {74, 2, &SettingsValues::save_bmp_depth, 24},
      {75, 2, &SettingsValues::save_png_depth, 2},
      {77, 0, &SettingsValues::save_gif_depth, 8},
      {83, 10, &SettingsValues::save_compression_level, 9},
      {87, -1, &SettingsValues::save_gamma, 2200},
      {87, 0, &SettingsValues::save_gamma, 0},
      {93, 3, &SettingsValues::save_lossless_markers, 2},
      {224, -5, &SettingsValues::drag_threshold, -5},  // no rule
  };
  for (const Case& c : cases) {
    const SettingsValues values = LoadFrom(FileImage(228, 0x14C8).Inline(c.index, c.stored).Build());
    EXPECT_EQ(values.*c.field, c.expected) << "entry " << c.index << " stored " << c.stored;
  }

  const SettingsValues odd = LoadFrom(FileImage(228, 0x14C8)
                                          .Inline(5, 2)
                                          .Inline(9, 3)
                                          .Inline(210, 42)
                                          .Inline(211, 0x10000)
                                          .Inline(212, 5999)
                                          .Build());
  EXPECT_EQ(odd.always_on_top, 0) << "flags read bit 0";
  EXPECT_EQ(odd.show_startup_notice, 1);
  EXPECT_EQ(odd.mouse_bindings[kMouseMiddleButton], 5600) << "not a command";
  EXPECT_EQ(odd.mouse_bindings[kMouseExtraButton1], 0);
  EXPECT_EQ(odd.mouse_bindings[kMouseExtraButton2], 5999);
}

// The menu marks "by size" for any order it does not know; the list must
// then be sorted by size too, so the value is settled as it is read.
TEST_F(SettingsValuesTest, UnknownFileListOrderIsReadAsBySize) {
  for (int32_t stored : {3, 7, -1}) {
    const SettingsValues values = LoadFrom(FileImage(228, 0x14C8).Inline(209, stored).Build());
    EXPECT_EQ(values.file_list_order, int32_t(SortOrder::kSize)) << "stored " << stored;
    MenuFacts facts;
    facts.file_list_order = values.file_list_order;
    for (const MenuItemState& state : MenuItemStates(kSubmenuFileOrder, facts)) {
      EXPECT_EQ(state.checked, state.id == 5254) << state.id;
    }
  }
  for (int32_t stored : {0, 1, 2}) {
    EXPECT_EQ(LoadFrom(FileImage(228, 0x14C8).Inline(209, stored).Build()).file_list_order, stored);
  }
}

TEST_F(SettingsValuesTest, LastFolderMustStillExist) {
  folders_.insert(u"D:\\Photos");
  EXPECT_EQ(LoadFrom(FileImage(228, 0x14C8).Text(28, u"D:\\Photos").Build()).last_folder,
            u"D:\\Photos");
  EXPECT_EQ(LoadFrom(FileImage(228, 0x14C8).Text(28, u"D:\\Gone").Build()).last_folder,
            kDocuments);
  EXPECT_EQ(LoadFrom(FileImage(228, 0x14C8).Build()).last_folder, kDocuments);
}

TEST_F(SettingsValuesTest, CorruptFilesLoadLikeNoFile) {
  const SettingsValues none = Load();
  for (const Bytes& bytes : {Bytes{}, Bytes{1, 2, 3}, Bytes{0xE4, 0, 0xC8, 0x14, 1, 0, 0}}) {
    const SettingsValues values = LoadFrom(bytes);
    EXPECT_EQ(values.mouse_bindings, none.mouse_bindings);
    EXPECT_EQ(values.font_height, -12);
    EXPECT_EQ(values.view_width, 820);
    EXPECT_EQ(values.last_folder, kDocuments);
    EXPECT_TRUE(values.accelerator_records.empty());
  }
}

// --- Saving --------------------------------------------------------------

TEST_F(SettingsValuesTest, SaveLeavesForeignEntriesAndWritesPlacementOnlyWhenFree) {
  FileImage image(228, 0x1478);
  image.Inline(1, 1).Inline(2, 2).Inline(6, 1).Inline(46, 1).Inline(8, 77);
  image.Inline(49, 11).Inline(50, 12).Inline(51, 13).Inline(52, 14);
  image.Text(226, u"adjustment state");
  temp_.Write(kFileName, image.Build());
  SettingsValues values = Load();
  ASSERT_EQ(values.view_follows_image, 1);

  SettingsWindowState window = DefaultWindows();
  window.view_restored = SettingsRect{-50, 30, 750, 630};
  window.edit_maximised = true;
  ASSERT_TRUE(Save(values, window));
  SettingsValues reloaded = Load();
  EXPECT_EQ(reloaded.view_left, 11);
  EXPECT_EQ(reloaded.view_height, 14);
  EXPECT_EQ(reloaded.edit_maximised, 1);
  EXPECT_EQ(reloaded.hand_over_to_running, 1);
  EXPECT_EQ(reloaded.start_display_mode, 2);
  // Bindings that came from the old wheel flags are now stored as commands.
  EXPECT_EQ(reloaded.mouse_bindings[kMouseWheelAway], 5703);

  values.view_follows_image = 0;
  ASSERT_TRUE(Save(values, window));
  reloaded = Load();
  EXPECT_EQ(reloaded.view_left, -50);
  EXPECT_EQ(reloaded.view_top, 30);
  EXPECT_EQ(reloaded.view_width, 800);
  EXPECT_EQ(reloaded.view_height, 600);

  SettingsReader reader;
  reader.Open(path_.c_str());
  EXPECT_EQ(reader.ReadInt(6, 0), 1);
  EXPECT_EQ(reader.ReadInt(46, 0), 1);
  EXPECT_EQ(reader.ReadInt(8, 0), 77);
  EXPECT_EQ(reader.ReadString(226), u"adjustment state");
}

TEST_F(SettingsValuesTest, SwitchedOffModulesOfTheDefaultFolderSurviveASave) {
  SettingsValues values = Load();
  ASSERT_FALSE(values.plugin_folder_stored);
  environment_.default_plugin_folder = u"C:\\Ovira\\plugins";
  values.plugin_modules = {u"tiffx.spi", u"gone.spi"};
  modules_ = {u"C:\\Ovira\\plugins\\tiffx.spi"};
  ASSERT_TRUE(Save(values, DefaultWindows()));
  EXPECT_EQ(Load().plugin_modules, std::vector<std::u16string>{u"tiffx.spi"});
}

TEST_F(SettingsValuesTest, SaveWritesStringsInItsFixedOrder) {
  SettingsValues values = Load();
  values.language_module = u"English";
  for (int i = 0; i < kExternalProgramCount; ++i) {
    values.program_captions[i] = u"caption";
    values.program_paths[i] = u"path";
  }
  values.plugin_folder = u"P:";
  values.plugin_folder_stored = true;
  values.plugin_modules = {u"a.spi", u"gone.spi", u"b.sph"};
  modules_ = {u"P:\\a.spi", u"P:\\b.sph"};
  SettingsWindowState window = DefaultWindows();
  window.accelerator_records = Bytes(6 * 120, 1);
  ASSERT_TRUE(Save(values, window));

  const Bytes file = ReadWholeFile(path_);
  const std::vector<int> order = {30, 0,  12, 20, 13, 21, 14, 22, 15, 23, 16,
                                  24, 17, 25, 18, 26, 19, 27, 28, 29, 208};
  uint32_t next = 1828;
  for (int index : order) {
    EXPECT_EQ(SlotOf(file, index).position, next) << "entry " << index;
    next += SlotOf(file, index).length;
  }
  EXPECT_EQ(next, file.size());
  EXPECT_EQ(SlotOf(file, 30).length, 678u) << "113 records at most";

  const SettingsValues reloaded = Load();
  EXPECT_EQ(reloaded.plugin_modules, (std::vector<std::u16string>{u"a.spi", u"b.sph"}));
  EXPECT_EQ(reloaded.accelerator_records.size(), 678u);
}

TEST_F(SettingsValuesTest, ChangedValuesSurviveSaveAndLoad) {
  folders_.insert(u"E:\\Scans");
  SettingsValues values = Load();
  values.language_module = u"Japanese";
  values.last_folder = u"E:\\Scans";
  values.program_captions[7] = u"Editor";
  values.program_paths[7] = u"C:\\Tools\\edit.exe";
  values.always_on_top = 1;
  values.slideshow_interval = 60;
  values.stretch_mode = 3;
  values.png_background_colour = 0x00123456;
  values.save_transparent_colour = 0xFF000000;
  values.jpeg_quality = 92;
  values.file_list_order = 2;
  for (int slot = 0; slot < kMouseSlotCount; ++slot) values.mouse_bindings[slot] = 5700 + slot;
  SettingsWindowState window = DefaultWindows();
  window.edit_toolstrip_rows = 2;
  window.accelerator_records = {1, 0, 0x41, 0, 0x92, 0x13};

  ASSERT_TRUE(Save(values, window));
  const SettingsValues reloaded = Load();
  EXPECT_EQ(reloaded.language_module, values.language_module);
  EXPECT_EQ(reloaded.last_folder, values.last_folder);
  EXPECT_EQ(reloaded.program_captions, values.program_captions);
  EXPECT_EQ(reloaded.program_paths, values.program_paths);
  EXPECT_EQ(reloaded.always_on_top, 1);
  EXPECT_EQ(reloaded.slideshow_interval, 60);
  EXPECT_EQ(reloaded.stretch_mode, 3);
  EXPECT_EQ(reloaded.png_background_colour, 0x00123456u);
  EXPECT_EQ(reloaded.save_transparent_colour, 0xFF000000u);
  EXPECT_EQ(reloaded.jpeg_quality, 92);
  EXPECT_EQ(reloaded.file_list_order, 2);
  EXPECT_EQ(reloaded.mouse_bindings, values.mouse_bindings);
  EXPECT_EQ(reloaded.edit_toolstrip_rows, 2);
  EXPECT_EQ(reloaded.accelerator_records, window.accelerator_records);
}

TEST_F(SettingsValuesTest, SaveThroughAnInvalidWriterReportsFailure) {
  SettingsWriter writer;
  EXPECT_FALSE(writer.Open(temp_.File("missing/folder/Ovira.ini").c_str()));
  EXPECT_FALSE(SaveAllSettings(writer, Load(), DefaultWindows(), environment_));
}


// An empty plug-in folder the user stored switches plug-ins off and must
// stay stored; one never set must stay unset, so the default keeps applying.
TEST_F(SettingsValuesTest, AStoredEmptyPluginFolderIsToldApartFromNoneAcrossASave) {
  SettingsValues values = Load();
  EXPECT_FALSE(values.plugin_folder_stored);
  ASSERT_TRUE(Save(values, DefaultWindows()));
  EXPECT_FALSE(Load().plugin_folder_stored);
  EXPECT_EQ(SlotOf(ReadWholeFile(path_), 29).position, 0u);

  values.plugin_folder_stored = true;
  ASSERT_TRUE(Save(values, DefaultWindows()));
  const SettingsValues reloaded = Load();
  EXPECT_TRUE(reloaded.plugin_folder_stored);
  EXPECT_EQ(reloaded.plugin_folder, u"");
  EXPECT_EQ(SlotOf(ReadWholeFile(path_), 29).length, 0u);
  // Saved again as loaded, it stays stored.
  ASSERT_TRUE(Save(reloaded, DefaultWindows()));
  EXPECT_TRUE(Load().plugin_folder_stored);
}

}  // namespace
