#include "app/command_program_arguments.h"

#include "image/ascii_case.h"
#include "image/path_parts.h"

namespace {

constexpr char16_t kEntryAwareProgram[] = u"quorvand.exe";

// Windows file names compare without regard to case.
bool IsEntryAwareProgram(const std::u16string& program_path) {
  return EqualIgnoringAsciiCase(NameOfPath(program_path), kEntryAwareProgram);
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
