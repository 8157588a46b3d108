// The English Exif texts exist twice: in the portable table the tools use
// and in the language module's resource script. They must not drift apart.
#include "lang/exif_strings_en.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <regex>
#include <string>

#include "image/utf8_text.h"

namespace {

// Numbered STRINGTABLE lines of the resource script: number to text.
std::map<int, std::string> ScriptStrings() {
  std::ifstream in(std::string(OVIRA_SOURCE_DIR) + "/lang/English.rc");
  const std::regex line("^\\s*([0-9]+)\\s+\"((?:[^\"]|\"\")*)\"\\s*$");
  std::map<int, std::string> strings;
  std::string text;
  std::smatch m;
  while (std::getline(in, text))
    if (std::regex_match(text, m, line)) strings[std::stoi(m[1].str())] = m[2].str();
  return strings;
}

void ExpectSame(const std::map<int, std::string>& script, int first, int last) {
  for (int id = first; id <= last; ++id) {
    const char16_t* table = EnglishExifString(id);
    const auto found = script.find(id);
    if (!table) {
      EXPECT_EQ(found, script.end()) << id << " is in the script only";
      continue;
    }
    ASSERT_NE(found, script.end()) << id << " is missing from lang/English.rc";
    EXPECT_EQ(found->second, Utf8FromUtf16(table)) << id;
  }
}

TEST(ExifStrings, TheTableAndTheResourceScriptAgree) {
  const std::map<int, std::string> script = ScriptStrings();
  ASSERT_GT(script.size(), 100u) << "the script was not read";
  ExpectSame(script, 50200, 50461);
  ExpectSame(script, 51000, 51061);
}

}  // namespace
