#include "codecs/jpeg_transform.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <vector>

#include "codecs/exif.h"
#include "codecs/jpeg_block_moves.h"
#include "codecs/jpeg_library.h"
#include "codecs/jpeg_markers.h"

namespace {

constexpr int kCodeNone = 0;
constexpr int kMarkersComments = 1;
constexpr int kMarkersAll = 2;

// Everything the guarded steps use lives here, outside their frames (see
// RunJpegGuarded).
struct TransformWork {
  const uint8_t* data = nullptr;
  size_t size = 0;
  const JpegTransformOptions* options = nullptr;
  JpegErrorManager errors;
  jpeg_decompress_struct source{};
  jpeg_compress_struct target{};
  JpegSinkDestination destination;
  jvirt_barray_ptr* source_arrays = nullptr;
  jvirt_barray_ptr target_arrays[MAX_COMPONENTS] = {};
  std::vector<JBLOCKROW> source_rows;
  JDIMENSION untrimmed_width = 0, untrimmed_height = 0;
};

j_common_ptr Common(j_decompress_ptr info) { return reinterpret_cast<j_common_ptr>(info); }

// Warnings that mean coefficients were lost: the transformed file would
// carry the damage as if it were the picture, so they end the work.
bool LosesData(int code) {
  switch (code) {
    case JWRN_JPEG_EOF:
    case JWRN_HIT_MARKER:
    case JWRN_MUST_RESYNC:
    case JWRN_HUFF_BAD_CODE:
    case JWRN_ARITH_BAD_CODE:
    case JWRN_NOT_SEQUENTIAL:
    case JWRN_BOGUS_PROGRESSION:
      return true;
    default:
      return false;
  }
}

// Traces and harmless warnings stay quiet: there is no console to print them to.
void EmitMessage(j_common_ptr info, int level) {
  if (level < 0) {
    if (LosesData(info->err->msg_code)) info->err->error_exit(info);
    info->err->num_warnings++;
  }
}

uint32_t RoundUp(uint32_t value, uint32_t multiple) { return (value + multiple - 1) / multiple * multiple; }

void ReadHeader(void* context) {
  auto* work = static_cast<TransformWork*>(context);
  jpeg_decompress_struct* source = &work->source;
  source->err = &work->errors.library;
  jpeg_create_decompress(source);
  source->mem->max_memory_to_use =
      static_cast<long>(std::min<size_t>(work->options->memory_limit, LONG_MAX));
  UseJpegMemorySource(source, work->data, work->size);
  if (work->options->markers >= kMarkersComments) jpeg_save_markers(source, JPEG_COM, 0xFFFF);
  if (work->options->markers >= kMarkersAll) {
    for (int marker = JPEG_APP0; marker <= JPEG_APP0 + 15; ++marker) {
      jpeg_save_markers(source, marker, 0xFFFF);
    }
  }
  jpeg_read_header(source, TRUE);
}

// What the coefficient arrays of the source take, once for the source and
// once for the target; known from the frame header before any is made.
uint64_t CoefficientBytes(const jpeg_decompress_struct& source) {
  uint64_t bytes = 0;
  for (int c = 0; c < source.num_components; ++c) {
    const jpeg_component_info& component = source.comp_info[c];
    bytes += uint64_t{RoundUp(component.width_in_blocks, component.h_samp_factor)} *
             RoundUp(component.height_in_blocks, component.v_samp_factor) * sizeof(JBLOCK);
  }
  return 2 * bytes;
}

// The luminance keeps its own quantisation table.
void KeepOnlyLuminance(jpeg_compress_struct* target) {
  const int table = target->comp_info[0].quant_tbl_no;
  jpeg_set_colorspace(target, JCS_GRAYSCALE);
  target->comp_info[0].quant_tbl_no = table;
}

// The target's quantisation tables and sampling for a picture whose blocks
// are transposed.
void TransposeParameters(jpeg_compress_struct* target) {
  for (JQUANT_TBL* table : target->quant_tbl_ptrs) {
    if (!table) continue;
    UINT16 transposed[DCTSIZE2];
    for (int v = 0; v < DCTSIZE; ++v) {
      for (int u = 0; u < DCTSIZE; ++u) transposed[v * DCTSIZE + u] = table->quantval[u * DCTSIZE + v];
    }
    std::memcpy(table->quantval, transposed, sizeof(transposed));
  }
  for (int c = 0; c < target->num_components; ++c) {
    jpeg_component_info& component = target->comp_info[c];
    std::swap(component.h_samp_factor, component.v_samp_factor);
  }
}

struct MaxSampling {
  int across = 1, down = 1;
};

MaxSampling MaxSamplingOf(const jpeg_compress_struct& target) {
  MaxSampling max;
  for (int c = 0; c < target.num_components; ++c) {
    max.across = std::max(max.across, target.comp_info[c].h_samp_factor);
    max.down = std::max(max.down, target.comp_info[c].v_samp_factor);
  }
  return max;
}

// Pixels in whole iMCUs along an axis; the length itself when not even
// one iMCU is whole, so that trimming never leaves an empty picture.
JDIMENSION TrimmedLength(JDIMENSION length, int imcu) {
  const JDIMENSION whole = length / imcu * imcu;
  return whole > 0 ? whole : length;
}

void SetTargetSize(TransformWork* work) {
  const JpegTransformOptions& options = *work->options;
  const bool transposed = TransposesBlocks(options.code);
  work->untrimmed_width = transposed ? work->source.image_height : work->source.image_width;
  work->untrimmed_height = transposed ? work->source.image_width : work->source.image_height;
  JDIMENSION width = work->untrimmed_width, height = work->untrimmed_height;
  if (options.trim && options.code != kCodeNone) {
    const BlockMoves moves = BlockMovesFor(options.code, 0, 0);
    const MaxSampling max = MaxSamplingOf(work->target);
    if (moves.x.mirrored) width = TrimmedLength(width, max.across * DCTSIZE);
    if (moves.y.mirrored) height = TrimmedLength(height, max.down * DCTSIZE);
  }
  work->target.image_width = width;
  work->target.image_height = height;
#if JPEG_LIB_VERSION >= 70
  work->target.jpeg_width = width;
  work->target.jpeg_height = height;
#endif
}

// Pointers to every block row of a source component, taken once: all
// arrays live in memory (there is no backing store), so they stay valid.
void TakeSourceRows(TransformWork* work, int component_index) {
  const jpeg_component_info& component = work->source.comp_info[component_index];
  const JDIMENSION rows = RoundUp(component.height_in_blocks, component.v_samp_factor);
  work->source_rows.resize(rows);
  for (JDIMENSION row = 0; row < rows; ++row) {
    work->source_rows[row] = work->source.mem->access_virt_barray(
        Common(&work->source), work->source_arrays[component_index], row, 1, FALSE)[0];
  }
}

struct ComponentGrid {
  JDIMENSION across, down;              // blocks in the array, whole iMCUs included
  JDIMENSION whole_across, whole_down;  // blocks in whole iMCUs of the untrimmed picture
};

ComponentGrid TargetGrid(const TransformWork& work, const jpeg_component_info& component) {
  const MaxSampling max = MaxSamplingOf(work.target);
  const JDIMENSION imcu_across = static_cast<JDIMENSION>(max.across * DCTSIZE);
  const JDIMENSION imcu_down = static_cast<JDIMENSION>(max.down * DCTSIZE);
  const auto blocks = [](JDIMENSION pixels, int sampling, JDIMENSION imcu) {
    return static_cast<JDIMENSION>((uint64_t{pixels} * sampling + imcu - 1) / imcu);
  };
  ComponentGrid grid;
  grid.across = RoundUp(blocks(work.target.image_width, component.h_samp_factor, imcu_across),
                        component.h_samp_factor);
  grid.down = RoundUp(blocks(work.target.image_height, component.v_samp_factor, imcu_down),
                      component.v_samp_factor);
  grid.whole_across = work.untrimmed_width / imcu_across * component.h_samp_factor;
  grid.whole_down = work.untrimmed_height / imcu_down * component.v_samp_factor;
  return grid;
}

// Coefficients that no 8-bit picture produces (a DC value beyond 1023
// in size, an AC value beyond 1023) come only from damaged data; the
// sequential encoder refuses them, the progressive one would store them.
bool CodableBlock(const JCOEF* block) {
  unsigned beyond = static_cast<unsigned>(block[0] + 1024) > 2047u;
  for (int k = 1; k < DCTSIZE2; ++k) beyond |= static_cast<unsigned>(block[k] + 1023) > 2046u;
  return !beyond;
}

void RequireCodableCoefficients(TransformWork* work) {
  for (int c = 0; c < work->target.num_components; ++c) {
    TakeSourceRows(work, c);
    const jpeg_component_info& component = work->source.comp_info[c];
    for (JDIMENSION y = 0; y < component.height_in_blocks; ++y) {
      for (JDIMENSION x = 0; x < component.width_in_blocks; ++x) {
        if (!CodableBlock(work->source_rows[y][x])) ERREXIT(Common(&work->source), JERR_BAD_DCT_COEF);
      }
    }
  }
}

void MoveComponentBlocks(TransformWork* work, int component_index, const ComponentGrid& grid) {
  const jpeg_component_info& source_component = work->source.comp_info[component_index];
  const JDIMENSION source_across = RoundUp(source_component.width_in_blocks, source_component.h_samp_factor);
  TakeSourceRows(work, component_index);
  const BlockMoves moves = BlockMovesFor(work->options->code, grid.whole_across, grid.whole_down);
  CoefficientMap maps[4];
  for (int mirrors = 0; mirrors < 4; ++mirrors) maps[mirrors] = MakeCoefficientMap(moves.transposed, mirrors);
  for (JDIMENSION y = 0; y < grid.down; ++y) {
    JBLOCKROW row = work->source.mem->access_virt_barray(
        Common(&work->source), work->target_arrays[component_index], y, 1, TRUE)[0];
    for (JDIMENSION x = 0; x < grid.across; ++x) {
      uint32_t source_x = 0, source_y = 0;
      SourceBlock(moves, x, y, &source_x, &source_y);
      if (source_x >= source_across || source_y >= work->source_rows.size()) {
        std::memset(row[x], 0, sizeof(JBLOCK));
        continue;
      }
      MoveBlock(maps[BlockMirrors(moves, x, y)], work->source_rows[source_y][source_x], row[x]);
    }
  }
}

void MoveAllBlocks(TransformWork* work) {
  ComponentGrid grids[MAX_COMPONENTS];
  for (int c = 0; c < work->target.num_components; ++c) {
    const jpeg_component_info& component = work->target.comp_info[c];
    grids[c] = TargetGrid(*work, component);
    work->target_arrays[c] = work->source.mem->request_virt_barray(
        Common(&work->source), JPOOL_IMAGE, FALSE, grids[c].across, grids[c].down,
        static_cast<JDIMENSION>(component.v_samp_factor));
  }
  work->source.mem->realize_virt_arrays(Common(&work->source));
  for (int c = 0; c < work->target.num_components; ++c) MoveComponentBlocks(work, c, grids[c]);
}

bool HasSignature(const jpeg_marker_struct& marker, const char* signature, size_t length) {
  return marker.data_length >= length && std::memcmp(marker.data, signature, length) == 0;
}

// The kept markers, but not a JFIF or Adobe marker the library wrote itself.
void WriteSavedMarkers(TransformWork* work) {
  jpeg_compress_struct* target = &work->target;
  const bool resized = target->image_width != work->source.image_width ||
                       target->image_height != work->source.image_height;
  for (jpeg_saved_marker_ptr marker = work->source.marker_list; marker; marker = marker->next) {
    if (target->write_JFIF_header && marker->marker == JPEG_APP0 && HasSignature(*marker, "JFIF", 5)) continue;
    if (target->write_Adobe_marker && marker->marker == JPEG_APP0 + 14 && HasSignature(*marker, "Adobe", 5)) {
      continue;
    }
    if (resized && marker->marker == kJpegApp1 && HasSignature(*marker, "Exif\0", 6)) {
      SetExifPixelSize(marker->data, marker->data_length, target->image_width, target->image_height);
    }
    jpeg_write_marker(target, marker->marker, marker->data, marker->data_length);
  }
}

void Transform(void* context) {
  auto* work = static_cast<TransformWork*>(context);
  const JpegTransformOptions& options = *work->options;
  if (options.greyscale &&
      (work->source.num_components != 3 || work->source.jpeg_color_space != JCS_YCbCr)) {
    ERREXIT(Common(&work->source), JERR_CONVERSION_NOTIMPL);
  }
  work->source_arrays = jpeg_read_coefficients(&work->source);
  jpeg_compress_struct* target = &work->target;
  target->err = &work->errors.library;
  jpeg_create_compress(target);
  jpeg_copy_critical_parameters(&work->source, target);
  if (options.greyscale) KeepOnlyLuminance(target);
  if (TransposesBlocks(options.code)) TransposeParameters(target);
  SetTargetSize(work);
  RequireCodableCoefficients(work);
  if (options.code != kCodeNone) MoveAllBlocks(work);
  if (options.progressive) jpeg_simple_progression(target);
  target->optimize_coding = TRUE;
  UseJpegSinkDestination(target, &work->destination);
  jpeg_write_coefficients(target, options.code != kCodeNone ? work->target_arrays : work->source_arrays);
  WriteSavedMarkers(work);
  jpeg_finish_compress(target);
}

Status StatusForLibraryError(int code) {
  switch (code) {
    case JERR_OUT_OF_MEMORY:
    case JERR_NO_BACKING_STORE:
      return Status::kNoMemory;
    case JERR_FILE_WRITE:
      return Status::kCannotWrite;
    case JERR_CONVERSION_NOTIMPL:
      return Status::kUnsupported;
    default:
      return Status::kCorrupt;
  }
}

// A picture that is turned on display is stored turned, so its Exif
// orientation must no longer ask for a turn.
void ResetOrientationInPlace(uint8_t* data, size_t size) {
  const JpegMarkerScan scan = ScanJpegMarkers(data, size, nullptr);
  if (scan.exif_found) ResetExifOrientation(data + scan.exif_start, scan.exif_length);
}

Status LibraryFailure(const TransformWork& work, std::string* error_text) {
  *error_text = work.errors.text;
  return StatusForLibraryError(work.errors.library.msg_code);
}

Status RunTransform(TransformWork* work, std::string* error_text) {
  if (!RunJpegGuarded(&work->errors, ReadHeader, work)) return LibraryFailure(*work, error_text);
  if (CoefficientBytes(work->source) > work->options->memory_limit) {
    *error_text = "Image too large to transform in the memory allowed";
    return Status::kUnsupported;
  }
  if (!RunJpegGuarded(&work->errors, Transform, work)) return LibraryFailure(*work, error_text);
  return Status::kOk;
}

}  // namespace

Status TransformJpeg(uint8_t* data, size_t size, const JpegTransformOptions& options, ByteSink* out,
                     std::string* error_text) {
  error_text->clear();
  if (options.code < kCodeNone || options.code > 5) return Status::kUnsupported;
  if (options.code != kCodeNone && options.markers == kMarkersAll) ResetOrientationInPlace(data, size);
  TransformWork work;
  work.data = data;
  work.size = size;
  work.options = &options;
  UseJpegErrorManager(&work.errors);
  work.errors.library.emit_message = EmitMessage;
  PrepareJpegSinkDestination(&work.destination, out);
  const Status status = RunTransform(&work, error_text);
  jpeg_destroy_compress(&work.target);
  jpeg_destroy_decompress(&work.source);
  return status;
}

int TransformCodeForRotationState(int state) {
  static constexpr int kCodes[] = {0, 3, 4, 5, 1, 2};
  return state >= 0 && state <= 5 ? kCodes[state] : 0;
}
