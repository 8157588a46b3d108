#include "tools/ovirac/writer_options.h"

#include "tools/ovirac/cli_text.h"
#include "tools/ovirac/option_values.h"

const char kPngWriterOptionsUsage[] =
    "PNG options, for a .png output:\n"
    "  --grey                 grey levels instead of a palette (8 bits only)\n"
    "  --interlace            write the seven Adam7 passes\n"
    "  --filter N             0 chooses per row (default); 1 None, 2 Sub, 3 Up,\n"
    "                         4 Average, 5 Paeth for every row\n"
    "  --level N              deflate level 0 to 9 (default 9)\n"
    "  --gamma N              write gAMA for gamma N / 1000 (2200: 2.2); none\n"
    "                         without this option\n"
    "  --transparent RRGGBB   mark that colour transparent (tRNS and bKGD)\n"
    "  --comment TEXT         a \"Comment\" text chunk, TEXT's bytes as UTF-8\n";

const char kGifWriterOptionsUsage[] =
    "GIF options, for a .gif output (--depth 1 to 8, default 8):\n"
    "  --interlace            write the rows in four passes\n"
    "  --transparent RRGGBB   mark the palette entry of that colour (or the\n"
    "                         nearest one) transparent\n";

const char kJpegWriterOptionsUsage[] =
    "JPEG options, for a .jpg or .jpeg output:\n"
    "  --quality N            1 to 100 (default 75)\n"
    "  --subsampling N        chroma: 0 2x2 (default), 1 2x1, 2 none\n"
    "  --grey                 one grey component\n"
    "  --progressive          the library's simple progression\n"
    "  --keep-exif            keep the input JPEG's Exif block (orientation 1, new\n"
    "                         pixel size, new thumbnail)\n"
    "  --limit KIB            the highest quality up to --quality whose file fits\n"
    "                         in KIB KiB\n"
    "  --comment TEXT         a COM segment holding TEXT's bytes\n";

const char kTiffWriterOptionsUsage[] =
    "TIFF options, for a .tif or .tiff output (--depth 24, 8, 4 or 1):\n"
    "  --grey                 grey levels instead of a palette (8 bits only)\n";

namespace {

bool TakeInteger(int argc, PathChar** argv, int* i, long low, long high, int32_t* value) {
  const std::string option = PathToUtf8(argv[*i]);
  const PathChar* text = OptionValue(argc, argv, i);
  return text && ParseInteger(option.c_str(), text, low, high, value);
}

}  // namespace

OptionParse ParsePngWriterOption(int argc, PathChar** argv, int* i, SaveOptions* options) {
  const PathString arg = argv[*i];
  bool good = true;
  if (arg == OVIRA_PATH("--grey")) {
    options->png_grey = true;
  } else if (arg == OVIRA_PATH("--interlace")) {
    options->interlace = true;
  } else if (arg == OVIRA_PATH("--filter")) {
    good = TakeInteger(argc, argv, i, 0, 5, &options->filter_mode);
  } else if (arg == OVIRA_PATH("--level")) {
    good = TakeInteger(argc, argv, i, 0, 9, &options->compression_level);
  } else if (arg == OVIRA_PATH("--gamma")) {
    good = TakeInteger(argc, argv, i, 0, 2147483647L, &options->gamma);
  } else if (arg == OVIRA_PATH("--transparent")) {
    const PathChar* value = OptionValue(argc, argv, i);
    good = value && ParseColour("--transparent", value, &options->transparent_colour);
    options->transparency = true;
  } else if (arg == OVIRA_PATH("--comment")) {
    const PathChar* value = OptionValue(argc, argv, i);
    good = value != nullptr;
    if (good) options->comment_text = PathToUtf8(value);
    options->comment = true;
  } else {
    return OptionParse::kNotMine;
  }
  return good ? OptionParse::kTaken : OptionParse::kBad;
}

OptionParse ParseJpegWriterOption(int argc, PathChar** argv, int* i, SaveOptions* options) {
  const PathString arg = argv[*i];
  bool good = true;
  if (arg == OVIRA_PATH("--quality")) {
    good = TakeInteger(argc, argv, i, 1, 100, &options->jpeg_quality);
  } else if (arg == OVIRA_PATH("--subsampling")) {
    good = TakeInteger(argc, argv, i, 0, 2, &options->jpeg_subsampling);
  } else if (arg == OVIRA_PATH("--progressive")) {
    options->jpeg_progressive = true;
  } else if (arg == OVIRA_PATH("--keep-exif")) {
    options->keep_exif = true;
  } else if (arg == OVIRA_PATH("--limit")) {
    good = TakeInteger(argc, argv, i, 1, 2097151L, &options->size_limit_kib);
    options->size_limit = true;
  } else {
    return OptionParse::kNotMine;
  }
  return good ? OptionParse::kTaken : OptionParse::kBad;
}

namespace {

constexpr unsigned kPng = 1u << kSavePng, kJpeg = 1u << kSaveJpeg, kTiff = 1u << kSaveTiff,
                   kGif = 1u << kSaveGif;

struct OptionFormats {
  const char* name;
  unsigned types;   // the save types it serves
  const char* served;  // those types in words
};

constexpr OptionFormats kOptionFormats[] = {
    {"--grey", kPng | kJpeg | kTiff, "PNG, JPEG and TIFF"},
    {"--comment", kPng | kJpeg, "PNG and JPEG"},
    {"--interlace", kPng | kGif, "PNG and GIF"},
    {"--transparent", kPng | kGif, "PNG and GIF"},
    {"--filter", kPng, "PNG"},
    {"--level", kPng, "PNG"},
    {"--gamma", kPng, "PNG"},
    {"--quality", kJpeg, "JPEG"},
    {"--subsampling", kJpeg, "JPEG"},
    {"--progressive", kJpeg, "JPEG"},
    {"--keep-exif", kJpeg, "JPEG"},
    {"--limit", kJpeg, "JPEG"},
};

}  // namespace

const char* WriterOptionRefusal(const std::string& name, int32_t save_type) {
  for (const OptionFormats& o : kOptionFormats) {
    if (name != o.name) continue;
    const bool serves = save_type >= 0 && save_type < 32 && (o.types >> save_type & 1u);
    return serves ? nullptr : o.served;
  }
  return nullptr;
}
