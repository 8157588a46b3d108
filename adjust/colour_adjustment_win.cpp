#include "adjust/colour_adjustment_win.h"

#include <cstring>

#include "app/app_state.h"
#include "app/program_message_win.h"
#include "image/status.h"
#include "view/edit_panes_win.h"

namespace {

constexpr int kPreviewOnly = 2;
constexpr uint32_t kFileHeaderBytes = 54;  // file header and bitmap header
constexpr uint32_t kPaletteBytes = 1024;

}  // namespace

CImgC::CImgC() {
  context_.blend = App().blend.get();
  context_.ready = context_.blend != nullptr;
}

// The worker reads the result until it has stopped, so it stops first.
CImgC::~CImgC() { worker_.Stop(); }

bool CImgC::ColourStart() {
  ApplicationState& app = App();
  const ImageBuffer& current = app.current;
  const int bits = current.header.bit_count;
  uint32_t size = 0;
  if (!context_.ready || !current.pixels ||
      !PixelBlockBytes(current.header.width, current.header.height, bits, &size) ||
      AllocatePixels(&app.result, current.header.width, current.header.height, bits) !=
          Status::kOk) {
    ShowProgramMessage(kMessageNoMemory);
    return false;
  }
  if (bits == 8) std::memcpy(app.result.palette, current.palette, sizeof(current.palette));
  std::memcpy(app.result.pixels, current.pixels, size);
  context_.width = current.header.width > 0 ? current.header.width : 1;
  context_.height = current.header.height > 0 ? current.header.height : 1;
  context_.bits = bits;
  context_.stride = static_cast<int32_t>(RowStride(current.header.width, bits));
  context_.source = &current;
  context_.result = &app.result;
  context_.size = size;
  return true;
}

bool CImgC::ShowPreview(bool first_request) {
  if (!worker_.Start(this, first_request)) {
    ReleasePixels(&App().result);
    ShowProgramMessage(kMessageNoMemory);
    return false;
  }
  SetActivePane(kPreviewOnly);
  RepaintEditPanes();
  return true;
}

int CImgC::FinishColour(bool accept, bool changes, int command) {
  ApplicationState& app = App();
  const bool ended = worker_.Stop();
  if (!ended && accept && changes) {
    ShowProgramMessage(kMessagePreviewFailed);
    accept = false;
  }
  if (!accept || !changes) {
    ReleasePixels(&app.result);
    return 0;
  }
  if (completed_.load() != requested_.load()) ComputeResult(StopRequest());
  ImageBuffer& result = app.result;
  result.header.x_pels_per_meter = app.current.header.x_pels_per_meter;
  result.header.y_pels_per_meter = app.current.header.y_pels_per_meter;
  result.source_format = kSourceBmp;
  result.source_bits_per_pixel = app.current.header.bit_count;
  result.source_size = context_.size + kFileHeaderBytes + (context_.bits == 8 ? kPaletteBytes : 0);
  return command;
}

void CImgC::LoadParameters(std::span<const StoredParameter> parameters,
                           std::span<int32_t> values) {
  const std::wstring& path = App().settings_path;
  ReadStoredParameters(path.empty() ? nullptr : path.c_str(), parameters, values);
}

void CImgC::SaveParameters(std::span<const StoredParameter> parameters,
                           std::span<const int32_t> values) {
  const std::wstring& path = App().settings_path;
  if (!path.empty()) WriteStoredParameters(path.c_str(), parameters, values);
}

void CImgC::RequestPreview(LPARAM value) {
  requested_.fetch_add(1);
  worker_.Request(value);
}

// The worker repaints the pane itself once the result is complete.
void CImgC::ComputePreview(LPARAM) {
  const uint32_t asked = requested_.load();
  if (!ComputeResult(StopRequest(worker_.StopFlag()))) return;
  completed_.store(asked);
  HWND pane = App().preview_pane;
  InvalidateRect(pane, nullptr, FALSE);
  UpdateWindow(pane);
}
