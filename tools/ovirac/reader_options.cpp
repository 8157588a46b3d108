#include "tools/ovirac/reader_options.h"

#include "tools/ovirac/option_values.h"
#include "tools/ovirac/plugin_input.h"

const char kReaderOptionsUsage[] =
    "reading options, for every input:\n"
    "  --no-gamma             ignore the PNG's gamma\n"
    "  --display-gamma N      display gamma x 1000 (default 2200)\n"
    "  --no-composite         do not blend transparent pixels onto a background\n"
    "  --background RRGGBB    background for transparency (default FFFFFF)\n"
    "  --no-file-background   use --background even when the file names one\n"
    "  --plugins DIR          (Windows) image plug-ins of DIR read what the built-in\n"
    "                         decoders do not; elsewhere our own are built in\n";

OptionParse ParseReaderOption(int argc, PathChar** argv, int* i, DecodeSettings* settings) {
  const PathString arg = argv[*i];
  PngReadSettings& png = settings->png;
  if (arg == OVIRA_PATH("--no-gamma")) {
    png.gamma_correction = false;
  } else if (arg == OVIRA_PATH("--no-composite")) {
    png.composite_transparency = false;
  } else if (arg == OVIRA_PATH("--no-file-background")) {
    png.use_file_background = false;
  } else if (arg == OVIRA_PATH("--display-gamma")) {
    const PathChar* value = OptionValue(argc, argv, i);
    if (!value || !ParseInteger("--display-gamma", value, -2147483647L, 2147483647L, &png.display_gamma)) {
      return OptionParse::kBad;
    }
  } else if (arg == OVIRA_PATH("--plugins") && PluginFolderOption()) {
    const PathChar* value = OptionValue(argc, argv, i);
    if (!value) return OptionParse::kBad;
    UsePluginFolder(value);
  } else if (arg == OVIRA_PATH("--background")) {
    const PathChar* value = OptionValue(argc, argv, i);
    if (!value || !ParseColour("--background", value, &png.background_colour)) return OptionParse::kBad;
  } else {
    return OptionParse::kNotMine;
  }
  return OptionParse::kTaken;
}
