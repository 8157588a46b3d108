// JPEG files made and taken apart with the library itself, for the tests
// of the lossless transformations: encoded from a known picture with the
// sampling asked for, decoded to pixels, or read as DCT coefficients.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "codecs/jpeg_library.h"

struct JpegMarkerToWrite {
  int code;
  std::vector<uint8_t> payload;
};

struct JpegToMake {
  int width = 64, height = 48;
  int components = 3;          // 1 grey or 3 YCbCr
  int h_samp = 2, v_samp = 2;  // of the luminance
  int quality = 90;
  std::vector<JpegMarkerToWrite> markers;
};

// Detail in every 8 x 8 block and every colour channel, different along x
// and y, so a block in the wrong place or a misplaced sign shows.
inline uint8_t TestSample(int x, int y, int channel) {
  const int value = channel == 0 ? x * 5 + y * 2 : channel == 1 ? (x * x + 3 * y) : (x ^ (y * 3)) * 4;
  return static_cast<uint8_t>(value);
}

struct JpegMaking {
  const JpegToMake* request = nullptr;
  JpegErrorManager errors;
  jpeg_compress_struct info{};
  unsigned char* bytes = nullptr;
  unsigned long size = 0;
  std::vector<uint8_t> row;
};

inline void MakeJpegGuarded(void* context) {
  auto* m = static_cast<JpegMaking*>(context);
  const JpegToMake& r = *m->request;
  m->info.err = &m->errors.library;
  jpeg_create_compress(&m->info);
  jpeg_mem_dest(&m->info, &m->bytes, &m->size);
  m->info.image_width = static_cast<JDIMENSION>(r.width);
  m->info.image_height = static_cast<JDIMENSION>(r.height);
  m->info.input_components = r.components;
  m->info.in_color_space = r.components == 1 ? JCS_GRAYSCALE : JCS_RGB;
  jpeg_set_defaults(&m->info);
  jpeg_set_quality(&m->info, r.quality, TRUE);
  m->info.comp_info[0].h_samp_factor = r.h_samp;
  m->info.comp_info[0].v_samp_factor = r.v_samp;
  jpeg_start_compress(&m->info, TRUE);
  for (const JpegMarkerToWrite& marker : r.markers) {
    jpeg_write_marker(&m->info, marker.code, marker.payload.data(),
                      static_cast<unsigned>(marker.payload.size()));
  }
  m->row.resize(size_t(r.width) * r.components);
  for (int y = 0; y < r.height; ++y) {
    for (int x = 0; x < r.width; ++x) {
      for (int c = 0; c < r.components; ++c) m->row[size_t(x) * r.components + c] = TestSample(x, y, c);
    }
    JSAMPROW rows[] = {m->row.data()};
    jpeg_write_scanlines(&m->info, rows, 1);
  }
  jpeg_finish_compress(&m->info);
}

inline std::vector<uint8_t> MakeJpeg(const JpegToMake& request) {
  JpegMaking making;
  making.request = &request;
  UseJpegErrorManager(&making.errors);
  const bool made = RunJpegGuarded(&making.errors, MakeJpegGuarded, &making);
  std::vector<uint8_t> bytes;
  if (made) bytes.assign(making.bytes, making.bytes + making.size);
  jpeg_destroy_compress(&making.info);
  free(making.bytes);
  return bytes;
}

struct JpegComponentBlocks {
  int h_samp = 0, v_samp = 0;
  int quant_table = 0;
  JDIMENSION across = 0, down = 0;  // width and height in blocks
  std::vector<JCOEF> coefficients;  // 64 a block, block rows one after another
  const JCOEF* Block(JDIMENSION x, JDIMENSION y) const {
    return coefficients.data() + (size_t(y) * across + x) * DCTSIZE2;
  }
};

// What a file holds: its size, pixels (decoded as the library does by
// default) or coefficients, and its quantisation tables.
struct JpegContents {
  bool ok = false;
  std::string error;
  int width = 0, height = 0, components = 0;
  bool progressive = false;
  std::vector<uint8_t> pixels;
  std::vector<JpegComponentBlocks> planes;
  std::vector<std::vector<uint16_t>> quant_tables;  // by component
};

struct JpegReading {
  const std::vector<uint8_t>* bytes = nullptr;
  bool coefficients = false;
  JpegErrorManager errors;
  jpeg_decompress_struct info{};
  JpegContents contents;
};

inline void ReadCoefficientPlanes(JpegReading* r) {
  jvirt_barray_ptr* arrays = jpeg_read_coefficients(&r->info);
  for (int c = 0; c < r->info.num_components; ++c) {
    const jpeg_component_info& component = r->info.comp_info[c];
    JpegComponentBlocks plane{component.h_samp_factor, component.v_samp_factor, component.quant_tbl_no,
                              component.width_in_blocks, component.height_in_blocks, {}};
    plane.coefficients.resize(size_t(plane.across) * plane.down * DCTSIZE2);
    for (JDIMENSION y = 0; y < plane.down; ++y) {
      JBLOCKARRAY row = r->info.mem->access_virt_barray(reinterpret_cast<j_common_ptr>(&r->info),
                                                        arrays[c], y, 1, FALSE);
      std::memcpy(plane.coefficients.data() + size_t(y) * plane.across * DCTSIZE2, row[0],
                  size_t(plane.across) * sizeof(JBLOCK));
    }
    const JQUANT_TBL* table = component.quant_table;
    r->contents.quant_tables.emplace_back(table->quantval, table->quantval + DCTSIZE2);
    r->contents.planes.push_back(std::move(plane));
  }
}

inline void ReadPixelRows(JpegReading* r) {
  jpeg_start_decompress(&r->info);
  const size_t row_bytes = size_t(r->info.output_width) * r->info.output_components;
  r->contents.pixels.resize(row_bytes * r->info.output_height);
  while (r->info.output_scanline < r->info.output_height) {
    JSAMPROW rows[] = {r->contents.pixels.data() + row_bytes * r->info.output_scanline};
    jpeg_read_scanlines(&r->info, rows, 1);
  }
  jpeg_finish_decompress(&r->info);
}

inline void ReadJpegGuarded(void* context) {
  auto* r = static_cast<JpegReading*>(context);
  r->info.err = &r->errors.library;
  jpeg_create_decompress(&r->info);
  UseJpegMemorySource(&r->info, r->bytes->data(), r->bytes->size());
  jpeg_read_header(&r->info, TRUE);
  r->contents.width = int(r->info.image_width);
  r->contents.height = int(r->info.image_height);
  r->contents.components = r->info.num_components;
  r->contents.progressive = r->info.progressive_mode;
  if (r->coefficients) {
    ReadCoefficientPlanes(r);
  } else {
    ReadPixelRows(r);
  }
}

inline JpegContents ReadJpeg(const std::vector<uint8_t>& bytes, bool coefficients) {
  JpegReading reading;
  reading.bytes = &bytes;
  reading.coefficients = coefficients;
  UseJpegErrorManager(&reading.errors);
  reading.contents.ok = RunJpegGuarded(&reading.errors, ReadJpegGuarded, &reading);
  reading.contents.error = reading.errors.text;
  jpeg_destroy_decompress(&reading.info);
  return std::move(reading.contents);
}
