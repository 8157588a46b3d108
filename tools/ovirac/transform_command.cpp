// ovirac transform: a lossless turn or flip of a JPEG file, as the viewer's
// save that keeps the coded data makes it.
#include <cstdio>
#include <string>

#include "codecs/jpeg_transform.h"
#include "codecs/output_file.h"
#include "image/file_access.h"
#include "image/file_move.h"
#include "tools/ovirac/cli_text.h"
#include "tools/ovirac/commands.h"
#include "tools/ovirac/option_values.h"

namespace {

struct TransformArguments {
  const PathChar* input = nullptr;
  const PathChar* output = nullptr;
  JpegTransformOptions options;
};

struct NamedCode {
  const PathChar* name;
  int code;
};

constexpr NamedCode kOperations[] = {
    {OVIRA_PATH("flip-h"), 1},     {OVIRA_PATH("flip-v"), 2},     {OVIRA_PATH("rotate-90"), 3},
    {OVIRA_PATH("rotate-180"), 4}, {OVIRA_PATH("rotate-270"), 5},
};

bool ParseOperation(const PathChar* text, int* code) {
  for (const NamedCode& operation : kOperations) {
    if (PathString(text) == operation.name) {
      *code = operation.code;
      return true;
    }
  }
  std::fprintf(stderr,
               "ovirac: --op takes flip-h, flip-v, rotate-90, rotate-180 or rotate-270, not '%s'\n",
               PathToUtf8(text).c_str());
  return false;
}

int ParseTransformArguments(int argc, PathChar** argv, TransformArguments* arguments) {
  bool have_operation = false;
  for (int i = 0; i < argc; ++i) {
    const PathString arg = argv[i];
    if (arg == OVIRA_PATH("--op")) {
      const PathChar* value = OptionValue(argc, argv, &i);
      if (!value || !ParseOperation(value, &arguments->options.code)) return kExitUsage;
      have_operation = true;
    } else if (arg == OVIRA_PATH("--markers")) {
      const PathChar* value = OptionValue(argc, argv, &i);
      int32_t markers = 0;
      if (!value || !ParseInteger("--markers", value, 0, 2, &markers)) return kExitUsage;
      arguments->options.markers = markers;
    } else if (arg == OVIRA_PATH("--trim")) {
      arguments->options.trim = true;
    } else if (arg == OVIRA_PATH("--grey")) {
      arguments->options.greyscale = true;
    } else if (arg == OVIRA_PATH("--progressive")) {
      arguments->options.progressive = true;
    } else if (!TakeFileArgument("transform", argv[i], &arguments->input, &arguments->output)) {
      return kExitUsage;
    }
  }
  if (!arguments->output || !have_operation) {
    std::fputs("ovirac: transform needs an input, an output and --op\n", stderr);
    return kExitUsage;
  }
  return kExitOk;
}

}  // namespace

int RunTransform(int argc, PathChar** argv) {
  TransformArguments arguments;
  if (int rc = ParseTransformArguments(argc, argv, &arguments); rc != kExitOk) return rc;
  // Copy-on-write: the orientation reset changes the mapped bytes, never the file.
  MappedFile input;
  if (!input.Open(arguments.input, MapMode::kCopyOnWrite)) {
    std::fprintf(stderr, "ovirac: cannot open '%s'\n", PathToUtf8(arguments.input).c_str());
    return kExitFailed;
  }
  OutputFile output;
  if (!output.Create(arguments.output)) {
    std::fprintf(stderr, "ovirac: cannot create '%s'\n", PathToUtf8(arguments.output).c_str());
    return kExitFailed;
  }
  std::string error;
  Status status = TransformJpeg(input.mutable_data(), input.size(), arguments.options, &output, &error);
  if (!output.Close() && status == Status::kOk) status = Status::kCannotWrite;
  if (status != Status::kOk) {
    RemoveFile(arguments.output);  // a half-written file must not pass for a result
    std::fprintf(stderr, "ovirac: cannot transform '%s': %u %s%s%s\n", PathToUtf8(arguments.input).c_str(),
                 StatusCode(status), StatusName(status), error.empty() ? "" : ": ", error.c_str());
    return kExitFailed;
  }
  return kExitOk;
}
