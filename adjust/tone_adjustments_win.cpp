#include "adjust/tone_adjustments_win.h"

#include <commctrl.h>

#include <new>

#include "adjust/adjustment_bar_win.h"
#include "adjust/brightness_clamp.h"
#include "adjust/contrast_pivot.h"
#include "adjust/label_drag.h"
#include "adjust/stop_request.h"
#include "app/app_state.h"

namespace {

constexpr int kFirstLabel = 1800;  // + channel: blue, green, red, all
constexpr int kFirstEdit = 1810;
constexpr int kFirstArrows = 1820;
constexpr int kLinkedBox = 1830;
constexpr int kResetButton = 1831;
constexpr int kAll = 3;
constexpr UINT kLabelTexts[] = {20083, 20082, 20081, 20080};  // blue, green, red, all
constexpr UINT kLinkedText = 20084;
constexpr UINT kResetText = 20120;
constexpr int kDigits = 4;

}  // namespace

CRgbCt::CRgbCt(const AmountRange& range, int drag_shift, int mode, int command)
    : range_(range), drag_shift_(drag_shift), mode_(mode), command_(command) {}

ToneValues CRgbCt::Values() const {
  auto v = [this](int channel) { return values_[channel].load(std::memory_order_relaxed); };
  return {linked_.load(std::memory_order_relaxed), v(kAll), v(0), v(1), v(2)};
}

int CRgbCt::Start() {
  if (!ColourStart()) return 0;
  for (auto& value : values_) value.store(0, std::memory_order_relaxed);
  linked_.store(true, std::memory_order_relaxed);
  PrepareTables();
  if (!BuildBar() || !ShowPreview(false)) return 0;
  return mode_;
}

int CRgbCt::Finish(bool accept) { return FinishColour(accept, ChangesPicture(Values()), command_); }

// Linked first, then all, red, green and blue, and the reset button.
bool CRgbCt::BuildBar() {
  HWND bar = CreateAdjustmentBar();
  if (!bar) return false;
  BarLayout layout(bar);
  layout.Check(kLinkedBox, kLinkedText, true);
  for (int channel : {kAll, 2, 1, 0}) {
    labels_[channel] = layout.Label(kFirstLabel + channel, kLabelTexts[channel]);
    edits_[channel] = layout.Edit(kFirstEdit + channel, kDigits);
    arrows_[channel] = layout.UpDown(kFirstArrows + channel, edits_[channel], range_);
  }
  layout.Push(kResetButton, kResetText);
  SetLinked(true);
  ShowAdjustmentBar(bar, command_, layout.End());
  return true;
}

// Linked, only the all value can be set; apart, only the three channels.
void CRgbCt::SetLinked(bool linked) {
  linked_.store(linked, std::memory_order_relaxed);
  for (int channel = 0; channel < kChannels; ++channel) {
    const bool enabled = (channel == kAll) == linked;
    for (HWND control : {labels_[channel], edits_[channel], arrows_[channel]}) {
      EnableWindow(control, enabled);
    }
  }
  if (labels_[0]) InvalidateRect(GetParent(labels_[0]), nullptr, TRUE);
}

void CRgbCt::Reset() {
  bool any = false;
  for (const auto& value : values_) any = any || value.load(std::memory_order_relaxed) != 0;
  if (!any) return;
  for (int channel = 0; channel < kChannels; ++channel) {
    values_[channel].store(0, std::memory_order_relaxed);
    WriteBoxNumber(edits_[channel], 0);
  }
  RequestPreview();
}

void CRgbCt::BarCommand(WPARAM command, HWND control) {
  const int id = LOWORD(command);
  if (id >= kFirstEdit && id < kFirstEdit + kChannels) {
    if (FollowEditRule(command, control, &values_[id - kFirstEdit], range_)) RequestPreview();
    return;
  }
  if (HIWORD(command) != BN_CLICKED) return;
  if (id == kLinkedBox) {
    SetLinked(SendMessageW(control, BM_GETCHECK, 0, 0) == BST_CHECKED);
    RequestPreview();
  } else if (id == kResetButton) {
    Reset();
  }
}

int CRgbCt::CheckValue(HWND edit) {
  for (HWND box : edits_) {
    if (box == edit) return RangeCheck(BoxNumber(edit), range_);
  }
  return 0;
}

int CRgbCt::ChannelOfLabel(HWND label) const {
  for (int channel = 0; channel < kChannels; ++channel) {
    if (labels_[channel] == label) return channel;
  }
  return -1;
}

bool CRgbCt::IsDragLabel(HWND window) {
  return ChannelOfLabel(window) >= 0 && IsWindowEnabled(window);
}

void CRgbCt::BeginLabelDrag() {
  const int channel = ChannelOfLabel(App().hot_label);
  if (channel >= 0) App().drag_start_value = values_[channel].load(std::memory_order_relaxed);
}

// The box takes the dragged value as if typed, which stores it and asks
// for a preview.
void CRgbCt::DragLabel(int distance) {
  const int channel = ChannelOfLabel(App().hot_label);
  if (channel < 0) return;
  const int32_t value = DraggedValue(App().drag_start_value, distance, drag_shift_, range_);
  SetWindowTextW(edits_[channel], std::to_wstring(value).c_str());
}

bool CRgbCt::ComputeResult(const StopRequest& stop) {
  const ChannelTables tables = TablesFor(AmountsOf(Values()));
  return MapChannels(*context_.source, tables, stop, context_.result) == MapEnd::kFinished;
}

CGamCt::CGamCt() : CRgbCt(kGammaAmounts, 1, 13, 5161), tables_(new (std::nothrow) GammaTables) {
  context_.ready = context_.ready && tables_ != nullptr;
}

ChannelTables CGamCt::TablesFor(const ChannelAmounts& amounts) const {
  return ChannelsFor(*tables_, amounts);
}

CBrtCt::CBrtCt() : CRgbCt(kBrightnessAmounts, 0, 14, 5162) {}

ChannelTables CBrtCt::TablesFor(const ChannelAmounts& amounts) const {
  return ChannelsFor(kBrightnessClamp, amounts);
}

CCrtCt::CCrtCt()
    : CRgbCt(kContrastAmounts, 1, 15, 5163), tables_(new (std::nothrow) ContrastTables(128)) {
  context_.ready = context_.ready && tables_ != nullptr;
}

// The pivot is the picture's as it was when the adjustment opened.
void CCrtCt::PrepareTables() { tables_->Build(ContrastPivot(*context_.source)); }

ChannelTables CCrtCt::TablesFor(const ChannelAmounts& amounts) const {
  return ChannelsFor(*tables_, amounts);
}
