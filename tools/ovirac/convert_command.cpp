#include <cstdio>
#include <cstdlib>
#include <string>

#include "codecs/bmp_reader.h"
#include "codecs/bmp_writer.h"
#include "codecs/image_encoders.h"
#include "codecs/memory_sink.h"
#include "codecs/output_file.h"
#include "image/format_detect.h"
#include "tools/ovirac/cli_text.h"
#include "tools/ovirac/commands.h"
#include "tools/ovirac/image_input.h"
#include "tools/ovirac/pixel_map_output.h"
#include "tools/ovirac/reader_options.h"
#include "tools/ovirac/writer_options.h"

namespace {

constexpr int32_t kPixelMap = -1;  // written here, not by an encoder

struct OutputFormat {
  const char* extension;
  const char* name;
  int depths[9];  // allowed --depth values, zero-terminated
  int32_t save_type;
};

constexpr OutputFormat kOutputFormats[] = {
    {"bmp", "BMP", {24, 8, 4, 1}, kSaveBmp},
    {"png", "PNG", {24, 8, 4, 2, 1}, kSavePng},
    {"jpg", "JPEG", {24, 8}, kSaveJpeg},
    {"jpeg", "JPEG", {24, 8}, kSaveJpeg},
    {"tif", "TIFF", {24, 8, 4, 1}, kSaveTiff},
    {"tiff", "TIFF", {24, 8, 4, 1}, kSaveTiff},
    {"gif", "GIF", {8, 7, 6, 5, 4, 3, 2, 1}, kSaveGif},
    {"ppm", "PPM", {24, 8, 4, 1}, kPixelMap},
    {"pgm", "PGM", {8}, kPixelMap},
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
  ConvertOptions() { writing.gamma = 0; }
  const PathChar* input = nullptr;
  const PathChar* output = nullptr;
  int depth = 0;  // 0: keep the image's own depth
  bool dither = false;
  bool ppm = false;  // a pixel map whatever the output's extension
  DecodeSettings reading;
  SaveOptions writing;                 // the PNG options; depth and type come later
  std::string png_option;              // the first PNG option given, to refuse elsewhere
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
    const OptionParse reading = ParseReaderOption(argc, argv, &i, &options->reading);
    if (reading == OptionParse::kBad) return kExitUsage;
    if (reading == OptionParse::kTaken) continue;
    const std::string name = PathToUtf8(argv[i]);
    const OptionParse writing = ParsePngWriterOption(argc, argv, &i, &options->writing);
    if (writing == OptionParse::kBad) return kExitUsage;
    if (writing == OptionParse::kTaken) {
      if (options->png_option.empty()) options->png_option = name;
      continue;
    }
    PathString arg = argv[i];
    if (arg == OVIRA_PATH("--depth")) {
      if (i + 1 >= argc) {
        std::fputs("ovirac: --depth needs a value\n", stderr);
        return kExitUsage;
      }
      if (int rc = ParseDepth(argv[++i], &options->depth); rc != kExitOk) return rc;
    } else if (arg == OVIRA_PATH("--dither")) {
      options->dither = true;
    } else if (arg == OVIRA_PATH("--ppm")) {
      options->ppm = true;
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

bool Writes(const OutputFormat& format) {
  return format.save_type == kPixelMap || HasEncoder(format.save_type);
}

// Grey PNG exists at 8 bits only, and the other formats take no PNG options.
bool PngOptionsFit(const OutputFormat& format, const ConvertOptions& options) {
  if (!options.png_option.empty() && format.save_type != kSavePng) {
    std::fprintf(stderr, "ovirac: %s is for PNG output only\n", options.png_option.c_str());
    return false;
  }
  if (options.writing.png_grey && options.depth && options.depth != 8) {
    std::fputs("ovirac: --grey writes 8 bits per pixel only\n", stderr);
    return false;
  }
  return true;
}

// The encoder's options: the PNG ones as given, the depth asked for or
// the image's own (8 for grey).
SaveOptions EncoderOptions(const OutputFormat& format, const ConvertOptions& options,
                           const ImageBuffer& image) {
  SaveOptions save = options.writing;
  save.type = format.save_type;
  save.dither = options.dither;
  const int own = save.png_grey ? 8 : image.header.bit_count;
  save.bmp_depth = save.png_depth = options.depth ? options.depth : own;
  return save;
}

// The JPEG library's own words behind the status, when it gave any.
std::string LibraryTextAfter(const ImageInput& input) {
  std::string text;
  if (!input.error_text.empty()) text.append(" (").append(input.error_text).append(")");
  return text;
}

bool ReadInput(const PathChar* path, const DecodeSettings& settings, ImageBuffer* image) {
  const ImageInput input = ReadImageFile(path, settings, image);
  if (input.status == Status::kOk) return true;
  if (input.format == kFormatCannotOpen) {
    std::fprintf(stderr, "ovirac: cannot open '%s'\n", PathToUtf8(path).c_str());
  } else if (input.format == kFormatUnknown) {
    std::fprintf(stderr, "ovirac: '%s' is not an image format ovirac reads\n", PathToUtf8(path).c_str());
  } else if (!input.decoder_available) {
    std::fprintf(stderr, "ovirac: reading %s files is not available in this build\n",
                 FormatName(input.format));
  } else {
    std::fprintf(stderr, "ovirac: cannot read '%s': %u %s%s\n", PathToUtf8(path).c_str(),
                 StatusCode(input.status), StatusName(input.status), LibraryTextAfter(input).c_str());
  }
  return false;
}

// A pixel map at a reduced depth shows exactly the pixels a BMP file of
// that depth would hold, so the image takes that way there and back.
Status ReduceThroughBmp(const ImageBuffer& image, int depth, bool dither, ImageBuffer* reduced) {
  MemorySink bmp;
  const Status status = WriteBmp(image, depth, dither, &bmp);
  if (status != Status::kOk) return status;
  return ReadBmpBytes(bmp.bytes().data(), bmp.bytes().size(), reduced);
}

Status WritePixelMap(const OutputFormat& format, const ConvertOptions& options,
                     const ImageBuffer& image, ByteSink* out) {
  if (std::string(format.name) == "PGM") return WritePgm(image, out);
  if (!options.depth || options.depth == 24) return WritePpm(image, out);
  OwnedImage reduced;
  const Status status = ReduceThroughBmp(image, options.depth, options.dither, &reduced.record);
  return status == Status::kOk ? WritePpm(reduced.record, out) : status;
}

Status WriteOutput(const OutputFormat& format, const ConvertOptions& options,
                   const ImageBuffer& image) {
  OutputFile file;
  if (!file.Create(options.output)) return Status::kCannotWrite;
  const Status status = format.save_type == kPixelMap
                            ? WritePixelMap(format, options, image, &file)
                            : EncodeImage(image, EncoderOptions(format, options, image), &file);
  if (!file.Close() && status == Status::kOk) return Status::kCannotWrite;
  return status;
}

}  // namespace

int RunConvert(int argc, PathChar** argv) {
  ConvertOptions options;
  if (int rc = ParseConvertArguments(argc, argv, &options); rc != kExitOk) return rc;

  const OutputFormat* format = options.ppm ? FindOutputFormat("ppm")
                                           : FindOutputFormat(LowerExtension(options.output));
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
  if (!PngOptionsFit(*format, options)) return kExitUsage;
  if (!Writes(*format)) {
    std::fprintf(stderr, "ovirac: writing %s files is not available in this build\n", format->name);
    return kExitFailed;
  }
  OwnedImage image;
  if (!ReadInput(options.input, options.reading, &image.record)) return kExitFailed;
  const Status status = WriteOutput(*format, options, image.record);
  if (status != Status::kOk) {
    std::fprintf(stderr, "ovirac: cannot write '%s': %u %s\n", PathToUtf8(options.output).c_str(),
                 StatusCode(status), StatusName(status));
    return kExitFailed;
  }
  return kExitOk;
}
