#include <cstdio>
#include <cstdlib>
#include <string>

#include "image/format_detect.h"
#include "tools/ovirac/cli_text.h"
#include "tools/ovirac/commands.h"

namespace {

struct OutputFormat {
  const char* extension;
  const char* name;
  int depths[9];  // allowed --depth values, zero-terminated
};

constexpr OutputFormat kOutputFormats[] = {
    {"bmp", "BMP", {24, 8, 4, 1}},
    {"png", "PNG", {24, 8, 4, 2, 1}},
    {"jpg", "JPEG", {24, 8}},
    {"jpeg", "JPEG", {24, 8}},
    {"tif", "TIFF", {24, 8, 4, 1}},
    {"tiff", "TIFF", {24, 8, 4, 1}},
    {"gif", "GIF", {8, 7, 6, 5, 4, 3, 2, 1}},
    {"ppm", "PPM", {24}},
    {"pgm", "PGM", {8}},
};

const OutputFormat* FindOutputFormat(const std::string& extension) {
  for (const OutputFormat& f : kOutputFormats) {
    if (extension == f.extension) return &f;
  }
  return nullptr;
}

bool AllowsDepth(const OutputFormat& format, int depth) {
  for (int d : format.depths) {
    if (d == depth) return true;
  }
  return false;
}

struct ConvertOptions {
  const PathChar* input = nullptr;
  const PathChar* output = nullptr;
  int depth = 0;  // 0: keep the image's own depth
};

int ParseDepth(const PathChar* text, int* depth) {
  std::string digits = PathToUtf8(text);
  char* end = nullptr;
  long value = std::strtol(digits.c_str(), &end, 10);
  if (digits.empty() || *end != '\0' || value <= 0 || value > 24) {
    std::fprintf(stderr, "ovirac: --depth needs a bit depth, not '%s'\n", digits.c_str());
    return kExitUsage;
  }
  *depth = static_cast<int>(value);
  return kExitOk;
}

int ParseConvertArguments(int argc, PathChar** argv, ConvertOptions* options) {
  for (int i = 0; i < argc; ++i) {
    PathString arg = argv[i];
    if (arg == OVIRA_PATH("--depth")) {
      if (i + 1 >= argc) {
        std::fputs("ovirac: --depth needs a value\n", stderr);
        return kExitUsage;
      }
      if (int rc = ParseDepth(argv[++i], &options->depth); rc != kExitOk) return rc;
    } else if (arg.size() > 1 && arg[0] == '-') {
      std::fprintf(stderr, "ovirac: unknown option '%s'\n", PathToUtf8(argv[i]).c_str());
      return kExitUsage;
    } else if (!options->input) {
      options->input = argv[i];
    } else if (!options->output) {
      options->output = argv[i];
    } else {
      std::fputs("ovirac: convert takes one input and one output\n", stderr);
      return kExitUsage;
    }
  }
  if (!options->output) {
    std::fputs("ovirac: convert needs an input and an output file\n", stderr);
    return kExitUsage;
  }
  return kExitOk;
}

}  // namespace

int RunConvert(int argc, PathChar** argv) {
  ConvertOptions options;
  if (int rc = ParseConvertArguments(argc, argv, &options); rc != kExitOk) return rc;

  std::string extension = LowerExtension(options.output);
  const OutputFormat* format = FindOutputFormat(extension);
  if (!format) {
    std::fprintf(stderr, "ovirac: cannot tell the output format from '%s'\n",
                 PathToUtf8(options.output).c_str());
    return kExitUsage;
  }
  if (options.depth && !AllowsDepth(*format, options.depth)) {
    std::fprintf(stderr, "ovirac: %s cannot be written at %d bits per pixel\n", format->name,
                 options.depth);
    return kExitUsage;
  }
  FormatCode input_format = DetectFileFormat(options.input);
  if (input_format == kFormatCannotOpen) {
    std::fprintf(stderr, "ovirac: cannot open '%s'\n", PathToUtf8(options.input).c_str());
    return kExitFailed;
  }
  if (input_format == kFormatUnknown) {
    std::fprintf(stderr, "ovirac: '%s' is not an image format ovirac reads\n",
                 PathToUtf8(options.input).c_str());
  } else {
    std::fprintf(stderr, "ovirac: reading %s files is not available in this build\n",
                 FormatName(input_format));
  }
  return kExitFailed;
}
