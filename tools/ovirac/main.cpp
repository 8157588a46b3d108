// ovirac: the command-line companion of the viewer, for batch conversion and
// for looking inside image files with the viewer's own codecs.
#include <cstdio>

#include "tools/ovirac/cli_text.h"
#include "tools/ovirac/commands.h"
#include "tools/ovirac/reader_options.h"
#include "tools/ovirac/writer_options.h"

namespace {

bool Is(const PathChar* arg, const PathChar* word) { return PathString(arg) == word; }

int Run(int argc, PathChar** argv) {
  if (argc < 2 || Is(argv[1], OVIRA_PATH("help")) || Is(argv[1], OVIRA_PATH("--help")) ||
      Is(argv[1], OVIRA_PATH("-h"))) {
    PrintUsage();
    return argc < 2 ? kExitUsage : kExitOk;
  }
  if (Is(argv[1], OVIRA_PATH("info"))) return RunInfo(argc - 2, argv + 2);
  if (Is(argv[1], OVIRA_PATH("convert"))) return RunConvert(argc - 2, argv + 2);
  if (Is(argv[1], OVIRA_PATH("comment"))) return RunComment(argc - 2, argv + 2);
  if (Is(argv[1], OVIRA_PATH("turn"))) return RunTurn(argc - 2, argv + 2);
  if (Is(argv[1], OVIRA_PATH("transform"))) return RunTransform(argc - 2, argv + 2);
  if (Is(argv[1], OVIRA_PATH("adjust"))) return RunAdjust(argc - 2, argv + 2);
  if (Is(argv[1], OVIRA_PATH("list"))) return RunList(argc - 2, argv + 2);
  if (Is(argv[1], OVIRA_PATH("exif"))) return RunExif(argc - 2, argv + 2);
  if (Is(argv[1], OVIRA_PATH("texts"))) return RunTexts(argc - 2, argv + 2);
  std::fprintf(stderr, "ovirac: unknown command '%s'\n", PathToUtf8(argv[1]).c_str());
  PrintUsage();
  return kExitUsage;
}

}  // namespace

void PrintUsage() {
  std::fputs(
      "usage: ovirac info FILE [reading options]\n"
      "       ovirac convert IN OUT [--depth N] [--dither] [--ppm] [PNG, GIF, JPEG or TIFF options]\n"
      "                      [reading options]\n"
      "       ovirac comment FILE [--set TEXT | --remove]\n"
      "       ovirac turn IN OUT --op cw|180|ccw|mirror|flip [convert options]\n"
      "       ovirac transform IN.jpg OUT.jpg --op flip-h|flip-v|rotate-90|rotate-180|rotate-270\n"
      "                      [--trim] [--grey] [--markers 0|1|2] [--progressive]\n"
      "       ovirac adjust gamma|brightness|contrast IN OUT\n"
      "                      (--value N | --red R --green G --blue B) [convert options]\n"
      "       ovirac list ARCHIVE.zip\n"
      "       ovirac exif FILE.jpg\n"
      "       ovirac texts FILE.png\n"
      "\n"
      "FILE and IN may name a member of a ZIP archive as ARCHIVE::MEMBER, with the\n"
      "member's folders separated by / or \\ (ovirac list shows them).\n"
      "\n"
      "info     prints the format and properties of an image file\n"
      "convert  reads IN and writes OUT in the format named by OUT's extension:\n"
      "         .bmp .png .jpg .jpeg .tif .tiff .gif, or .ppm/.pgm (binary) for\n"
      "         pixel comparisons\n"
      "  --depth N   bits per pixel of the output (1 to 8 or 24, as the\n"
      "              format allows); a pixel map shows the pixels of that depth\n"
      "  --dither    reduce colours with error diffusion\n"
      "  --ppm       write a binary PPM whatever OUT's extension\n"
      "  --no-auto-rotate  keep a photograph as stored, not upright by its Exif\n"
      "              orientation\n"
      "  --frame K   the frame K (from 0) of an animated GIF\n"
      "comment  prints the comment of a PNG file as the viewer shows it (lines\n"
      "         end in CR LF), or nothing when it has none\n"
      "  --set TEXT  stores TEXT as the comment instead\n"
      "  --remove    removes the comment\n"
      "turn     converts as convert does, turning or flipping the picture on the way\n"
      "transform  turns or flips a JPEG file without decoding it, losing nothing\n"
      "  --trim        drops the edge blocks that cannot be mirrored\n"
      "  --grey        keeps only the luminance\n"
      "  --markers N   keeps no markers (0, the default), comments (1) or comments\n"
      "                and application markers (2, which also sets the Exif\n"
      "                orientation to 1)\n"
      "  --progressive writes progressive data\n"
      "adjust   converts as convert does, changing the tone of every pixel (of the\n"
      "         palette, for an 8-bit image) on the way; gamma and contrast take\n"
      "         amounts from -100 to 100, brightness from -255 to 255, and 0\n"
      "         changes nothing\n"
      "  --value N   the amount for all three channels\n"
      "  --red R --green G --blue B\n"
      "              an amount for each channel instead\n"
      "list     prints the members of a ZIP archive that the viewer can open, one\n"
      "         a line: folder (parts separated by \\, empty at the top), name, size\n"
      "         in bytes and time (UTC, YYYY-MM-DD HH:MM:SS), separated by tabs;\n"
      "         members of other compression methods are counted on stderr\n"
      "exif     prints the Exif data of a JPEG file (or a bare Exif block) as the\n"
      "         viewer's Exif dialog shows it: one \"label: value\" line an item\n"
      "texts    prints the tEXt chunks of a PNG file as the viewer's text dialog\n"
      "         shows them: one \"keyword: text\" line a chunk, at most 16\n"
      "\n",
      stderr);
  std::fputs(kPngWriterOptionsUsage, stderr);
  std::fputs(kGifWriterOptionsUsage, stderr);
  std::fputs(kJpegWriterOptionsUsage, stderr);
  std::fputs(kTiffWriterOptionsUsage, stderr);
  std::fputs("\n", stderr);
  std::fputs(kReaderOptionsUsage, stderr);
}

#ifdef _WIN32
int wmain(int argc, wchar_t** argv) { return Run(argc, argv); }
#else
int main(int argc, char** argv) { return Run(argc, argv); }
#endif
