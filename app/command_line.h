// The arguments a start was given, split into what the viewer acts on: an
// optional switch letter with its entry key, one path, and the further paths
// that each get a process of their own.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct CommandLine {
  // The second character of the first argument when that argument begins
  // with '/', else 0. A lone "/" is a switch without a letter.
  char16_t switch_letter = 0;
  // The decimal number after "z" when the first argument's third character
  // is 'z' (/fz12 gives 12), else 0. A number that does not fit 32 bits is
  // no key at all, rather than some other entry's key.
  int32_t entry_key = 0;
  // The second argument after a switch, else the first; may be empty.
  std::u16string path;
  // Arguments each started as a new process: without a switch from the
  // second argument on, with "/v" from the third on, none for other switches.
  std::vector<std::u16string> extra;
};

// `args` excludes the program's own path (argument 0).
CommandLine ParseCommandLine(const std::vector<std::u16string>& args);
