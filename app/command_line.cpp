#include "app/command_line.h"

#include <limits>

namespace {

bool IsSwitch(const std::u16string& argument) {
  return !argument.empty() && argument[0] == u'/';
}

// An optional sign, then digits up to the first other character. No digits,
// or a value outside 32 bits, gives 0.
int32_t ParseEntryKey(std::u16string_view text) {
  bool negative = false;
  if (!text.empty() && (text[0] == u'-' || text[0] == u'+')) {
    negative = text[0] == u'-';
    text.remove_prefix(1);
  }
  const int64_t limit = int64_t{std::numeric_limits<int32_t>::max()} + (negative ? 1 : 0);
  int64_t value = 0;
  for (char16_t unit : text) {
    if (unit < u'0' || unit > u'9') break;
    value = value * 10 + (unit - u'0');
    if (value > limit) return 0;
  }
  return static_cast<int32_t>(negative ? -value : value);
}

int32_t EntryKeyOf(const std::u16string& switch_argument) {
  if (switch_argument.size() < 3 || switch_argument[2] != u'z') return 0;
  return ParseEntryKey(std::u16string_view(switch_argument).substr(3));
}

// Index of the first argument to start as a process of its own, or
// args.size() when there is none.
size_t FirstExtraIndex(const std::vector<std::u16string>& args, char16_t switch_letter,
                       bool has_switch) {
  if (!has_switch) return 1;
  if (switch_letter == u'v') return 2;
  return args.size();
}

}  // namespace

CommandLine ParseCommandLine(const std::vector<std::u16string>& args) {
  CommandLine command;
  if (args.empty()) return command;
  const bool has_switch = IsSwitch(args[0]);
  size_t path_index = 0;
  if (has_switch) {
    const std::u16string& first = args[0];
    command.switch_letter = first.size() > 1 ? first[1] : u'\0';
    command.entry_key = EntryKeyOf(first);
    path_index = 1;
  }
  if (path_index < args.size()) command.path = args[path_index];
  for (size_t i = FirstExtraIndex(args, command.switch_letter, has_switch); i < args.size(); ++i) {
    command.extra.push_back(args[i]);
  }
  return command;
}
