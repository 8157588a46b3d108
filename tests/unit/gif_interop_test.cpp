// GIF files written by other programs: ImageMagick's stills, interlaced
// pictures and animations with every disposal, local tables, offsets and
// transparency, and files that giflib's gifbuild compiles from a text
// description. Every frame we make must equal ImageMagick's coalesced frame.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "codecs/gif_reader.h"
#include "image/animation_frames.h"
#include "tests/unit/gif_test_support.h"
#include "tests/unit/imagemagick_support.h"

namespace {

using Bytes = std::vector<uint8_t>;

constexpr const char* kGifbuild = "/usr/bin/gifbuild";
// What our frames show where ImageMagick's are transparent.
constexpr uint32_t kFill = 0x00C08040;  // red 0x40, green 0x80, blue 0xC0

// ImageMagick's coalesced frames: red, green, blue, alpha, top row first,
// one frame after another.
Bytes CoalescedRgba(const TempDir& dir, const std::string& file) {
  const std::string raw = dir.File("coalesced.rgba");
  if (!RunTool(kConvert, file + " -coalesce -depth 8 rgba:" + raw)) return {};
  return ReadWholeFile(raw);
}

// Our picture of frame `frame` as red, green, blue, top row first.
Bytes OurRgb(const ImageBuffer& image, int frame) {
  const int w = image.header.width, h = image.header.height;
  Bytes rgb;
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      if (image.header.bit_count == 8) {
        const RgbQuad& q = image.palette[RowFromTop(image, y)[x]];
        rgb.insert(rgb.end(), {q.red, q.green, q.blue});
      } else {
        const uint32_t c = gif_test::PixelRgb(FrameCanvas(*image.animation, image.pixels, frame), w, h, x, y);
        rgb.insert(rgb.end(), {uint8_t(c >> 16), uint8_t(c >> 8), uint8_t(c)});
      }
    }
  }
  return rgb;
}

// ImageMagick's frame with its transparent pixels in the fill colour.
Bytes TheirRgb(const Bytes& rgba, size_t frame, size_t pixels) {
  Bytes rgb;
  for (size_t i = frame * pixels; i < (frame + 1) * pixels; ++i) {
    const uint8_t* p = &rgba[i * 4];
    if (p[3] == 0) {
      rgb.insert(rgb.end(), {uint8_t(kFill), uint8_t(kFill >> 8), uint8_t(kFill >> 16)});
    } else {
      rgb.insert(rgb.end(), {p[0], p[1], p[2]});
    }
  }
  return rgb;
}

// Reads the file as the viewer does and compares every frame.
void ExpectFramesOf(const TempDir& dir, const std::string& file, int frames, const std::string& what) {
  DecodeSettings settings;
  settings.animation = true;
  settings.png.use_file_background = false;
  settings.png.background_colour = kFill;
  const Bytes gif = ReadWholeFile(file);
  OwnedImage image;
  ASSERT_EQ(ReadGifBytes(gif.data(), gif.size(), settings, &image.record), Status::kOk) << what;
  const ImageBuffer& r = image.record;
  const int ours = r.animation ? r.animation->frame_count() : 1;
  EXPECT_EQ(ours, frames) << what;
  const Bytes rgba = CoalescedRgba(dir, file);
  const size_t pixels = size_t(r.header.width) * size_t(r.header.height);
  ASSERT_EQ(rgba.size(), pixels * 4 * size_t(ours)) << what;
  for (int i = 0; i < ours; ++i) {
    EXPECT_EQ(OurRgb(r, i), TheirRgb(rgba, size_t(i), pixels)) << what << ", frame " << i;
  }
}

// ImageMagick's arguments with the parentheses of its image groups escaped
// for the shell.
std::string ShellArguments(const char* arguments) {
  std::string escaped;
  for (const char* p = arguments; *p; ++p) {
    if (*p == '(' || *p == ')') escaped += '\\';
    escaped += *p;
  }
  return escaped;
}

struct Made {
  const char* arguments;  // ImageMagick's arguments before the output
  int frames;
  const char* what;
};

TEST(GifInterop, ImageMagicksFilesDecodeFrameForFrameAsItsCoalesce) {
  if (!HasImageMagick()) GTEST_SKIP() << "ImageMagick is not installed";
  const Made cases[] = {
      {"-seed 3 -size 37x23 plasma: -colors 200 +dither", 1, "a still of 200 colours"},
      {"-seed 3 -size 41x29 plasma: -colors 16 +dither -interlace GIF", 1, "an interlaced still"},
      {"-size 13x9 xc:red -fill blue -draw 'rectangle 2,2 6,5' -transparent blue", 1, "a transparent still"},
      {"-dispose None -size 12x10 xc:red ( -size 5x4 xc:blue -repage +3+2 ) ( -size 4x4 xc:lime -repage +7+5 )"
       " -loop 0", 3, "disposal 1 with offsets"},
      {"-dispose Background -size 12x10 xc:red ( -size 5x4 xc:blue -repage +3+2 )"
       " ( -size 4x4 xc:lime -repage +7+5 ) -loop 0", 3, "disposal 2"},
      {"-size 12x10 xc:red -dispose Background ( -size 5x4 xc:blue -repage +3+2 ) -dispose Previous"
       " ( -size 4x4 xc:lime -repage +7+5 ) -dispose None ( -size 2x2 xc:yellow -repage +1+1 ) -loop 0",
       4, "disposal 2 before disposal 3"},
      // Undoing the first frame would leave our fill colour (ImageMagick
      // keeps it), so the undone frames come after it.
      {"-dispose None -size 12x10 xc:red -dispose Previous ( -size 5x4 xc:blue -repage +3+2 ) ( -size 4x4"
       " xc:lime -repage +7+5 ) ( -size 2x2 xc:yellow -repage +0+0 ) -loop 3", 4, "disposal 3 after the first"},
      {"-dispose None -size 12x10 xc:red ( -size 6x6 xc:none -fill blue -draw 'rectangle 1,1 3,3' -repage +2+2 )"
       " -loop 0", 2, "a transparent frame over the first"},
      {"-dispose None -seed 5 ( -size 16x12 plasma: -colors 30 ) ( -size 10x8 plasma: -colors 40 -repage +3+2 )"
       " +dither +map -loop 0", 2, "local colour tables"},
      {"-dispose Background -seed 7 ( -size 20x17 plasma: -colors 9 -interlace GIF ) ( -size 20x17 plasma:"
       " -colors 9 ) -interlace GIF +dither -loop 0", 2, "interlaced frames"},
  };
  TempDir dir;
  for (const Made& c : cases) {
    const std::string file = dir.File("made.gif");
    ASSERT_TRUE(RunTool(kConvert, ShellArguments(c.arguments) + " " + file)) << c.what;
    ExpectFramesOf(dir, file, c.frames, c.what);
  }
}

TEST(GifInterop, GifbuildsFilesDecodeFrameForFrameAsImageMagicksCoalesce) {
  if (!HasImageMagick() || access(kGifbuild, X_OK) != 0) GTEST_SKIP() << "ImageMagick or giflib's tools missing";
  const std::string map = "screen map\nrgb 255 0 0 is r\nrgb 0 255 0 is g\nrgb 0 0 255 is b\nrgb 255 255 0 is y\nend\n";
  auto control = [](int disposal, int transparent) {
    return "graphics control\ndisposal mode " + std::to_string(disposal) + "\ndelay 7\ntransparent index " +
           std::to_string(transparent) + "\nend\n";
  };
  const std::string description =
      "screen width 6\nscreen height 5\nscreen colors 4\nscreen background 0\n" + map + "netscape loop 0\n" +
      control(2, -1) + "image\nimage left 0\nimage top 0\nimage bits 6 by 5\nrrrrrr\nrggggr\nrggggr\nrrrrrr\nyyyyyy\n" +
      control(3, 1) + "image\nimage left 1\nimage top 1\nimage interlaced\nimage bits 4 by 3\nbbbb\nbggb\nbbbb\n" +
      control(0, -1) + "image\nimage left 2\nimage top 2\nimage map\nrgb 10 20 30 is a\nrgb 40 50 60 is c\nend\n"
      "image bits 3 by 2\naca\ncac\n";
  TempDir dir;
  const std::string text = dir.File("frames.txt"), file = dir.File("built.gif");
  std::ofstream(text) << description;
  ASSERT_TRUE(RunTool(kGifbuild, text + " > " + file));
  ExpectFramesOf(dir, file, 3, "gifbuild: disposals 2 and 3, interlace, a local table");
}

}  // namespace
