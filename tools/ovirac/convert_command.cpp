#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "codecs/bmp_reader.h"
#include "codecs/bmp_writer.h"
#include "codecs/image_encoders.h"
#include "codecs/jpeg_kept_exif.h"
#include "codecs/memory_sink.h"
#include "codecs/output_file.h"
#include "effects/right_angle_turn.h"
#include "image/commit_image.h"
#include "image/file_access.h"
#include "image/format_detect.h"
#include "image/image_buffer.h"
#include "tools/ovirac/animation_frame.h"
#include "tools/ovirac/cli_text.h"
#include "tools/ovirac/commands.h"
#include "tools/ovirac/image_input.h"
#include "tools/ovirac/option_values.h"
#include "tools/ovirac/pixel_map_output.h"
#include "tools/ovirac/reader_options.h"
#include "tools/ovirac/tone_options.h"
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
  ConvertOptions() {
    writing.gamma = 0;
    writing.keep_exif = false;
  }
  const PathChar* input = nullptr;
  const PathChar* output = nullptr;
  int depth = 0;  // 0: keep the image's own depth
  bool dither = false;
  bool ppm = false;  // a pixel map whatever the output's extension
  DecodeSettings reading;
  SaveOptions writing;        // the PNG and JPEG options; depth and type come later
  std::vector<std::string> writer_options;  // as given, refused where they do not serve
  bool auto_rotate = true;    // show an Exif-oriented photograph upright
  int32_t frame = kNoFrameChosen;  // --frame: one frame of an animation
  const char* command = "convert";  // as the messages name it
  bool turning = false;       // ovirac turn: --op is required
  int turn = 0;               // TurnCode, 0 for none
  ToneRequest* tone = nullptr;  // ovirac adjust: the adjustment and its amounts
};

struct NamedTurn {
  const PathChar* name;
  int code;
};

constexpr NamedTurn kTurns[] = {
    {OVIRA_PATH("cw"), kTurnClockwise},     {OVIRA_PATH("180"), kTurnHalf},
    {OVIRA_PATH("ccw"), kTurnCounterClockwise}, {OVIRA_PATH("mirror"), kTurnMirror},
    {OVIRA_PATH("flip"), kTurnFlip},
};

int ParseTurn(const PathChar* text, int* turn) {
  for (const NamedTurn& named : kTurns) {
    if (PathString(text) == named.name) {
      *turn = named.code;
      return kExitOk;
    }
  }
  std::fprintf(stderr, "ovirac: --op takes cw, 180, ccw, mirror or flip, not '%s'\n",
               PathToUtf8(text).c_str());
  return kExitUsage;
}

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
    const OptionParse frame = ParseFrameOption(argc, argv, &i, &options->frame);
    if (frame == OptionParse::kBad) return kExitUsage;
    if (frame == OptionParse::kTaken) {
      options->reading.animation = true;
      continue;
    }
    const std::string name = PathToUtf8(argv[i]);
    OptionParse writing = ParsePngWriterOption(argc, argv, &i, &options->writing);
    if (writing == OptionParse::kNotMine) writing = ParseJpegWriterOption(argc, argv, &i, &options->writing);
    if (writing == OptionParse::kBad) return kExitUsage;
    if (writing == OptionParse::kTaken) {
      options->writer_options.push_back(name);
      continue;
    }
    if (options->tone) {
      const OptionParse tone = ParseToneOption(argc, argv, &i, options->tone);
      if (tone == OptionParse::kBad) return kExitUsage;
      if (tone == OptionParse::kTaken) continue;
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
    } else if (arg == OVIRA_PATH("--no-auto-rotate")) {
      options->auto_rotate = false;
    } else if (options->turning && arg == OVIRA_PATH("--op")) {
      const PathChar* value = OptionValue(argc, argv, &i);
      if (!value) return kExitUsage;
      if (int rc = ParseTurn(value, &options->turn); rc != kExitOk) return rc;
    } else if (!TakeFileArgument(options->command, argv[i], &options->input, &options->output)) {
      return kExitUsage;
    }
  }
  if (!options->output) {
    std::fprintf(stderr, "ovirac: %s needs an input and an output file\n", options->command);
    return kExitUsage;
  }
  if (options->turning && !options->turn) {
    std::fputs("ovirac: turn needs --op cw, 180, ccw, mirror or flip\n", stderr);
    return kExitUsage;
  }
  if (options->tone && !ToneRequestComplete(*options->tone)) return kExitUsage;
  return kExitOk;
}

bool Writes(const OutputFormat& format) {
  return format.save_type == kPixelMap || HasEncoder(format.save_type);
}

// Grey PNG and TIFF exist at 8 bits only, and each writing option is
// refused for the formats it does not serve.
bool WriterOptionsFit(const OutputFormat& format, const ConvertOptions& options) {
  for (const std::string& name : options.writer_options) {
    if (const char* served = WriterOptionRefusal(name, format.save_type)) {
      std::fprintf(stderr, "ovirac: %s is for %s output only\n", name.c_str(), served);
      return false;
    }
  }
  const bool grey_levels = format.save_type == kSavePng || format.save_type == kSaveTiff;
  if (grey_levels && options.writing.png_grey && options.depth && options.depth != 8) {
    std::fputs("ovirac: --grey writes 8 bits per pixel only\n", stderr);
    return false;
  }
  return true;
}

// The encoder's options: the PNG and JPEG ones as given (grey for TIFF too), the depth asked for or
// the image's own (8 for grey; a GIF's at most 8).
SaveOptions EncoderOptions(const OutputFormat& format, const ConvertOptions& options,
                           const ImageBuffer& image) {
  SaveOptions save = options.writing;
  save.type = format.save_type;
  save.dither = options.dither;
  save.jpeg_greyscale = save.png_grey;
  const int own = save.png_grey ? 8 : image.header.bit_count;
  save.tiff_grey = save.png_grey;
  save.bmp_depth = save.png_depth = save.tiff_depth = options.depth ? options.depth : own;
  save.gif_depth = options.depth ? options.depth : 8;
  return save;
}

// The JPEG library's own words behind the status, when it gave any.
std::string LibraryTextAfter(const ImageInput& input) {
  std::string text;
  if (!input.error_text.empty()) text.append(" (").append(input.error_text).append(")");
  return text;
}

bool ReadInput(const PathChar* path, const DecodeSettings& settings, ImageBuffer* image,
               LoadResults* results) {
  const ImageInput input = ReadImageFile(path, settings, image);
  *results = input.results;
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

// The input's Exif block, when it is a JPEG file that has one.
std::vector<uint8_t> InputExif(const PathChar* input) {
  std::vector<uint8_t> exif;
  ZipExtracted member;
  PathString archive;
  std::u16string member_path;
  if (SplitMemberInput(input, &archive, &member_path)) {
    if (ExtractMemberInput(input, &member)) ReadKeptExif(member.block.data(), member.size, &exif);
    return exif;
  }
  MappedFile file;
  if (file.Open(input, MapMode::kReadOnly)) ReadKeptExif(file.data(), file.size(), &exif);
  return exif;
}

Status WriteOutput(const OutputFormat& format, const ConvertOptions& options,
                   const ImageBuffer& image, EncodeContext* context) {
  if (format.save_type == kSaveJpeg && options.writing.keep_exif)
    context->source_exif = InputExif(options.input);
  OutputFile file;
  if (!file.Create(options.output)) return Status::kCannotWrite;
  const Status status =
      format.save_type == kPixelMap
          ? WritePixelMap(format, options, image, &file)
          : EncodeImage(image, EncoderOptions(format, options, image), &file, context);
  if (!file.Close() && status == Status::kOk) return Status::kCannotWrite;
  return status;
}

// The image as the viewer shows it: upright by its Exif orientation unless
// asked not to, then turned as the command says.
Status Reorient(const ConvertOptions& options, const LoadResults& results, ImageBuffer* image) {
  if (options.auto_rotate) {
    int rotation_state = 0;
    const Status status = ApplyExifOrientation(image, results.exif_orientation, &rotation_state);
    if (status != Status::kOk) return status;
  }
  if (!options.turn) return Status::kOk;
  OwnedImage turned;
  const TurnOutcome outcome = TurnImage(*image, 0, options.turn, &turned.record);
  if (outcome.status == Status::kOk) CommitImage(&turned.record, image);
  return outcome.status;
}

// convert, and the commands that convert with a change on the way: turn
// (turning set) and adjust (tone set).
int Convert(int argc, PathChar** argv, ConvertOptions options) {
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
  if (!WriterOptionsFit(*format, options)) return kExitUsage;
  if (!Writes(*format)) {
    std::fprintf(stderr, "ovirac: writing %s files is not available in this build\n", format->name);
    return kExitFailed;
  }
  OwnedImage image;
  LoadResults results;
  if (!ReadInput(options.input, options.reading, &image.record, &results)) return kExitFailed;
  if (options.frame != kNoFrameChosen && !KeepOnlyFrame(options.frame, &image.record)) return kExitFailed;
  if (const Status turned = Reorient(options, results, &image.record); turned != Status::kOk) {
    std::fprintf(stderr, "ovirac: cannot turn '%s': %u %s\n", PathToUtf8(options.input).c_str(),
                 StatusCode(turned), StatusName(turned));
    return kExitFailed;
  }
  if (options.tone) ApplyTone(*options.tone, &image.record);
  EncodeContext context;
  const Status status = WriteOutput(*format, options, image.record, &context);
  if (status != Status::kOk) {
    std::fprintf(stderr, "ovirac: cannot write '%s': %u %s\n", PathToUtf8(options.output).c_str(),
                 StatusCode(status), StatusName(status));
    if (!context.error_text.empty())
      std::fprintf(stderr, "ovirac: JPEG library: %s\n", context.error_text.c_str());
    return kExitFailed;
  }
  return kExitOk;
}

}  // namespace

int RunConvert(int argc, PathChar** argv) { return Convert(argc, argv, ConvertOptions()); }

int RunTurn(int argc, PathChar** argv) {
  ConvertOptions options;
  options.command = "turn";
  options.turning = true;
  return Convert(argc, argv, options);
}

int RunAdjust(int argc, PathChar** argv) {
  if (argc < 1) {
    std::fputs("ovirac: adjust needs gamma, brightness or contrast, an input and an output file\n",
               stderr);
    return kExitUsage;
  }
  ToneRequest tone;
  if (!ParseToneKind(argv[0], &tone)) return kExitUsage;
  ConvertOptions options;
  options.command = "adjust";
  options.tone = &tone;
  return Convert(argc - 1, argv + 1, options);
}
