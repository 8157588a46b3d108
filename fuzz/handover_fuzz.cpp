// The hand-over record arrives from another process and the arguments from
// whoever started this one. Neither may make the viewer read past what it
// was given, and a record the viewer builds must read back as it was built.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "app/handover_record.h"
#include "app/little_endian.h"
#include "fuzz/fuzz_check.h"

namespace {

// The input as UTF-16LE units, split at zero units, the way a command line
// arrives as separate zero-terminated arguments.
std::vector<std::u16string> SplitArguments(const uint8_t* data, size_t size) {
  std::vector<std::u16string> args(1);
  for (size_t i = 0; i + 1 < size; i += 2) {
    const char16_t unit = static_cast<char16_t>(LoadU16(data + i));
    if (unit == 0) {
      args.emplace_back();
    } else {
      args.back().push_back(unit);
    }
  }
  return args;
}

bool PathTravels(const std::u16string& path) {
  return !path.empty() && path.size() < kHandoverPathUnits;
}

void RequireRoundTrip(const CommandLine& command) {
  const auto record = EncodeHandover(command);
  CommandLine received;
  Require(DecodeHandover(record.data(), record.size(), &received), "an encoded record decodes");
  Require(received.switch_letter == command.switch_letter, "the letter travels");
  Require(received.entry_key == command.entry_key, "the entry key travels");
  const std::u16string expected_path = PathTravels(command.path) ? command.path : u"";
  Require(received.path == expected_path, "a short path travels, a long one is sent empty");
}

void CheckReceivedRecord(const uint8_t* data, size_t size) {
  CommandLine received;
  if (!DecodeHandover(data, size, &received)) {
    Require(size != kHandoverRecordBytes, "a record of the right size is accepted");
    return;
  }
  Require(size == kHandoverRecordBytes, "only a record of the right size is accepted");
  Require(received.path.size() <= kHandoverPathUnits, "the path stays within the record");
  Require(received.path.find(u'\0') == std::u16string::npos, "the path ends at its first zero");
  Require(received.extra.empty(), "a record carries no extra arguments");
  RequireRoundTrip(received);
}

void CheckArguments(const uint8_t* data, size_t size) {
  const std::vector<std::u16string> args = SplitArguments(data, size);
  const CommandLine command = ParseCommandLine(args);
  Require(command.extra.size() < args.size(), "the path is never also an extra argument");
  RequireRoundTrip(command);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  CheckReceivedRecord(data, size);
  CheckArguments(data, size);
  return 0;
}
