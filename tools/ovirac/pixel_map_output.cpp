#include "tools/ovirac/pixel_map_output.h"

#include <string>
#include <vector>

#include "effects/depth_converter.h"

namespace {

bool WriteHeader(const char* magic, const DibHeader& h, ByteSink* out) {
  const std::string header = std::string(magic) + "\n" + std::to_string(h.width) + " " +
                             std::to_string(h.height) + "\n255\n";
  return out->Write(header.data(), header.size());
}

}  // namespace

Status WritePpm(const ImageBuffer& image, ByteSink* out) {
  const DibHeader& h = image.header;
  if (!WriteHeader("P6", h, out)) return Status::kCannotWrite;
  std::vector<uint8_t> row(3 * static_cast<size_t>(h.width));
  for (int32_t y = 0; y < h.height; ++y) {
    const uint8_t* in = RowFromTop(image, y);
    for (int32_t x = 0; x < h.width; ++x) {
      uint8_t* rgb = &row[3 * static_cast<size_t>(x)];
      if (h.bit_count == 8) {
        const RgbQuad& c = image.palette[in[x]];
        rgb[0] = c.red, rgb[1] = c.green, rgb[2] = c.blue;
      } else {
        rgb[0] = in[3 * x + 2], rgb[1] = in[3 * x + 1], rgb[2] = in[3 * x];
      }
    }
    if (!out->Write(row.data(), row.size())) return Status::kCannotWrite;
  }
  return Status::kOk;
}

Status WritePgm(const ImageBuffer& image, ByteSink* out) {
  const DibHeader& h = image.header;
  DepthConverter converter;
  converter.width = h.width;
  converter.height = h.height;
  PrepareOneBytePerPixel(&converter, h.bit_count, 8);
  std::vector<uint8_t> grey(size_t{converter.target_size} + 4);
  Status status = ConvertToGrey(converter, image.palette, image.pixels, grey.data());
  if (status != Status::kOk) return status;
  if (!WriteHeader("P5", h, out)) return Status::kCannotWrite;
  // Grey rows are stored bottom-up like every other plane.
  for (int32_t y = h.height - 1; y >= 0; --y) {
    if (!out->Write(&grey[static_cast<size_t>(y) * converter.target_stride], converter.target_stride)) {
      return Status::kCannotWrite;
    }
  }
  return Status::kOk;
}
