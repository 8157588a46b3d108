#include "tools/ovirac/option_values.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#include "tools/ovirac/cli_text.h"

bool ParseInteger(const char* option, const PathChar* text, long low, long high, int32_t* value) {
  const std::string digits = PathToUtf8(text);
  char* end = nullptr;
  const long parsed = std::strtol(digits.c_str(), &end, 10);
  if (digits.empty() || *end != '\0' || parsed < low || parsed > high) {
    std::fprintf(stderr, "ovirac: %s needs a number from %ld to %ld, not '%s'\n", option, low,
                 high, digits.c_str());
    return false;
  }
  *value = static_cast<int32_t>(parsed);
  return true;
}

bool ParseColour(const char* option, const PathChar* text, uint32_t* colour) {
  const std::string hex = PathToUtf8(text);
  char* end = nullptr;
  const unsigned long rgb = std::strtoul(hex.c_str(), &end, 16);
  if (hex.size() != 6 || *end != '\0' || hex[0] == '+' || hex[0] == '-') {
    std::fprintf(stderr, "ovirac: %s needs a colour as RRGGBB, not '%s'\n", option, hex.c_str());
    return false;
  }
  *colour = static_cast<uint32_t>(((rgb >> 16) & 0xFF) | (rgb & 0xFF00) | ((rgb & 0xFF) << 16));
  return true;
}

const PathChar* OptionValue(int argc, PathChar** argv, int* i) {
  if (*i + 1 >= argc) {
    std::fprintf(stderr, "ovirac: %s needs a value\n", PathToUtf8(argv[*i]).c_str());
    return nullptr;
  }
  return argv[++*i];
}

bool TakeFileArgument(const char* command, const PathChar* argument, const PathChar** input,
                      const PathChar** output) {
  const PathString text = argument;
  if (text.size() > 1 && text[0] == '-') {
    std::fprintf(stderr, "ovirac: %s does not take '%s'\n", command, PathToUtf8(argument).c_str());
    return false;
  }
  if (*input && *output) {
    std::fprintf(stderr, "ovirac: %s takes one input and one output\n", command);
    return false;
  }
  (*input ? *output : *input) = argument;
  return true;
}
