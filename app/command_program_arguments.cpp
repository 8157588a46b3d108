#include "app/command_program_arguments.h"

namespace {

constexpr char16_t kEntryAwareProgram[] = u"quorvand.exe";

char16_t AsciiLower(char16_t c) { return c >= u'A' && c <= u'Z' ? c - u'A' + u'a' : c; }

// Windows file names compare without regard to case.
bool IsEntryAwareProgram(const std::u16string& program_path) {
  size_t slash = program_path.find_last_of(u"\\/");
  std::u16string name = program_path.substr(slash == std::u16string::npos ? 0 : slash + 1);
  std::u16string expected = kEntryAwareProgram;
  if (name.size() != expected.size()) return false;
  for (size_t i = 0; i < name.size(); ++i) {
    if (AsciiLower(name[i]) != expected[i]) return false;
  }
  return true;
}

std::u16string DecimalText(int32_t value) {
  std::string digits = std::to_string(value);
  return std::u16string(digits.begin(), digits.end());
}

}  // namespace

std::u16string ExternalProgramParameters(const std::u16string& program_path,
                                         const std::u16string& current_path,
                                         std::optional<int32_t> entry_key) {
  if (current_path.empty()) return {};
  // A Windows path cannot contain quotes, so quoting it is enough.
  std::u16string quoted = u"\"" + current_path + u"\"";
  if (entry_key && IsEntryAwareProgram(program_path)) {
    return u"/z" + DecimalText(*entry_key) + u" " + quoted;
  }
  return quoted;
}
