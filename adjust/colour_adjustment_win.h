// The base of the colour adjustments: the result starts as a copy of the
// image, a worker computes previews into it, and an 8-bit image changes
// only its palette.
#pragma once

#include <atomic>
#include <cstdint>

#include "adjust/adjustment_win.h"
#include "adjust/blend_table.h"
#include "adjust/preview_worker_win.h"
#include "adjust/stop_request.h"
#include "adjust/stored_parameters.h"
#include "image/image_buffer.h"

// What every colour kernel reads: the image, the result it writes, and the
// shared tables.
struct ColourContext {
  bool ready = false;  // every table the adjustment needs was made
  int32_t width = 1;
  int32_t height = 1;
  int32_t bits = 24;
  int32_t stride = 0;
  const ImageBuffer* source = nullptr;
  ImageBuffer* result = nullptr;
  const BlendTable* blend = nullptr;
  uint32_t size = 0;  // bytes of the result's pixel rows
};

class CImgC : public CTint {
 public:
  // Computes the result for the values as they are now and shows it.
  void ComputePreview(LPARAM request) override;

 protected:
  CImgC();
  ~CImgC() override;

  // The first step of Start: the result record as a copy of the image.
  // False (after the message) when the memory is not there.
  bool ColourStart();
  // The last steps of Start: the worker runs and the preview pane alone
  // shows. False (after the message) when no worker could be started.
  bool ShowPreview(bool first_request);
  // Finish: stops the worker, then keeps the result when accepted with a
  // change and returns `command`, else drops it and returns 0.
  int FinishColour(bool accept, bool changes, int command);

  void RequestPreview(LPARAM value = 0);

  // For the adjustments that keep their parameters: read when they are
  // made, written when they go.
  static void LoadParameters(std::span<const StoredParameter> parameters, std::span<int32_t> values);
  static void SaveParameters(std::span<const StoredParameter> parameters,
                             std::span<const int32_t> values);

  // The whole result from the current values; false when stopped first.
  virtual bool ComputeResult(const StopRequest& stop) = 0;

  ColourContext context_;
  PreviewWorker worker_;

 private:
  // A request may still be waiting when Apply comes; the result kept must
  // be that of the last values, so Apply computes it once more unless the
  // newest request was computed to the end.
  std::atomic<uint32_t> requested_{0};
  std::atomic<uint32_t> completed_{0};
};
