#include "plugins/webp/webp_core.h"

#include <webp/decode.h>

#include <cstddef>
#include <cstring>

#include "image/win_records.h"

namespace {

constexpr const char* kInfo[] = {"00IN", "webp: WebP images for Ovira", "*.webp", "WebP images"};

// A RIFF container whose form type is WEBP; what follows is libwebp's to judge.
bool Accepts(const uint8_t* head, size_t size) {
  return size >= 12 && std::memcmp(head, "RIFF", 4) == 0 && std::memcmp(head + 8, "WEBP", 4) == 0;
}

size_t DibStride(int width) { return (size_t(width) * 3 + 3) & ~size_t(3); }

// White behind a non-premultiplied sample, rounded to nearest.
uint8_t OnWhite(uint8_t c, uint8_t a) { return uint8_t((c * a + 255 * (255 - a) + 127) / 255); }

// Bottom-up BGRA rows into the padded BGR rows of a DIB.
std::vector<uint8_t> OnWhiteRows(const WebPRGBABuffer& bgra, int width, int height) {
  const size_t stride = DibStride(width);
  std::vector<uint8_t> bits(stride * size_t(height));
  for (int y = 0; y < height; ++y) {
    const uint8_t* from = bgra.rgba + ptrdiff_t(y) * bgra.stride;
    uint8_t* to = bits.data() + size_t(y) * stride;
    for (int x = 0; x < width; ++x, from += 4, to += 3) {
      to[0] = OnWhite(from[0], from[3]);
      to[1] = OnWhite(from[1], from[3]);
      to[2] = OnWhite(from[2], from[3]);
    }
  }
  return bits;
}

std::vector<uint8_t> DibInfo(int width, int height, size_t image_bytes) {
  DibHeader h = {};
  h.size = sizeof(DibHeader);
  h.width = width;
  h.height = height;
  h.planes = 1;
  h.bit_count = 24;
  h.size_image = uint32_t(image_bytes);
  std::vector<uint8_t> info(sizeof h);
  std::memcpy(info.data(), &h, sizeof h);
  return info;
}

// libwebp allocates its output only once the headers hold and fails
// cleanly when it cannot, so a file that lies about its size costs nothing
// until its pixels turn out to be there.
bool DecodeStill(const uint8_t* data, size_t size, int width, int height, PluginDib* out) {
  WebPDecoderConfig config;
  if (!WebPInitDecoderConfig(&config)) return false;
  config.options.flip = 1;
  config.output.colorspace = MODE_BGRA;
  const bool ok = WebPDecode(data, size, &config) == VP8_STATUS_OK &&
                  config.output.width == width && config.output.height == height;
  if (ok) {
    out->bits = OnWhiteRows(config.output.u.RGBA, width, height);
    out->info = DibInfo(width, height, out->bits.size());
  }
  WebPFreeDecBuffer(&config.output);
  return ok;
}

// Only what Accepts takes, though libwebp would read a bare bitstream too:
// the host asks the one before the other. Animations are refused, as
// libwebp's still decoder does not read them.
bool Decode(const uint8_t* data, size_t size, PluginDib* out) {
  if (!data || !Accepts(data, size)) return false;
  WebPBitstreamFeatures features;
  if (WebPGetFeatures(data, size, &features) != VP8_STATUS_OK) return false;
  if (features.has_animation) return false;
  const int width = features.width, height = features.height;
  if (width <= 0 || height <= 0) return false;
  if (uint64_t(width) * uint64_t(height) > kPluginPixelLimit) return false;
  return DecodeStill(data, size, width, height, out);
}

constexpr SpiImageCore kCore = {kInfo, sizeof kInfo / sizeof kInfo[0], Accepts, Decode};

}  // namespace

const SpiImageCore& WebpCore() { return kCore; }
