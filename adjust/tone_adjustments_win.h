// Gamma, brightness and contrast: each channel of every pixel goes through
// a table chosen by that channel's amount, with the channels linked to one
// amount or set one by one. Every opening starts neutral.
#pragma once

#include <atomic>
#include <memory>

#include "adjust/channel_map.h"
#include "adjust/colour_adjustment_win.h"
#include "adjust/contrast_tables.h"
#include "adjust/gamma_tables.h"
#include "adjust/tone_values.h"

class CRgbCt : public CImgC {
 public:
  int Start() override;
  int Finish(bool accept) override;
  void BarCommand(WPARAM command, HWND control) override;
  int CheckValue(HWND edit) override;
  bool IsDragLabel(HWND window) override;
  void BeginLabelDrag() override;
  void DragLabel(int distance) override;

  // The values as the user set them, for the result's rule and for tests.
  ToneValues Values() const;

 protected:
  CRgbCt(const AmountRange& range, int drag_shift, int mode, int command);

  // The tables of the adjustment for the three channels' amounts.
  virtual ChannelTables TablesFor(const ChannelAmounts& amounts) const = 0;
  // Tables that depend on the picture are made when it opens.
  virtual void PrepareTables() {}

  bool ComputeResult(const StopRequest& stop) override;

 private:
  static constexpr int kChannels = 4;  // blue, green, red, then all

  bool BuildBar();
  void SetLinked(bool linked);
  void Reset();
  int ChannelOfLabel(HWND label) const;

  const AmountRange range_;
  const int drag_shift_;
  const int mode_;
  const int command_;
  std::atomic<int32_t> values_[kChannels] = {};
  std::atomic<bool> linked_{true};
  HWND labels_[kChannels] = {};
  HWND edits_[kChannels] = {};
  HWND arrows_[kChannels] = {};
};

class CGamCt : public CRgbCt {
 public:
  CGamCt();

 protected:
  ChannelTables TablesFor(const ChannelAmounts& amounts) const override;

 private:
  std::unique_ptr<GammaTables> tables_;
};

class CBrtCt : public CRgbCt {
 public:
  CBrtCt();

 protected:
  ChannelTables TablesFor(const ChannelAmounts& amounts) const override;
};

class CCrtCt : public CRgbCt {
 public:
  CCrtCt();

 protected:
  ChannelTables TablesFor(const ChannelAmounts& amounts) const override;
  void PrepareTables() override;

 private:
  std::unique_ptr<ContrastTables> tables_;
};
