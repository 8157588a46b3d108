// The interface every adjustment implements, and the bases of its three
// families: colour, effects and geometry. The frame holds at most one
// adjustment at a time; it shows a preview of the result beside (or instead
// of) the image until Apply hands the result over or Cancel drops it.
#pragma once

#include <windows.h>

#include <cstdint>

#include "image/page_memory.h"

class CIBase {
 public:
  CIBase(const CIBase&) = delete;
  CIBase& operator=(const CIBase&) = delete;

  virtual ~CIBase();
  // The mode code once the adjustment runs; 0 (after telling the user why)
  // when it cannot.
  virtual int Start() = 0;
  // The adjustment's command when the image changes, else 0.
  virtual int Finish(bool accept) = 0;
  // A control of the bar: id in the low word, notification in the high one.
  virtual void BarCommand(WPARAM command, HWND control) = 0;
  // For an edit box about to paint: 0 inside the range, 1 at a bound, 2 outside.
  virtual int CheckValue(HWND edit);
  virtual bool IsDragLabel(HWND window);
  virtual void BeginLabelDrag();
  virtual void DragLabel(int distance);
  virtual bool SetPreviewCursor();
  virtual void PreviewHover(LPARAM point);
  virtual void PreviewPress(LPARAM point);
  virtual bool PreviewDrag(WPARAM keys, LPARAM point);
  virtual void PreviewRelease();
  virtual void EndColourPick(bool accept);
  virtual void PickHover();
  virtual void ColourBoxClick(HWND box);
  virtual COLORREF BoxColour(int id);
  // On the preview worker, once per request that was not overtaken.
  virtual void ComputePreview(LPARAM request);
  virtual void DrawOverlay();

 protected:
  CIBase();

  PageBlock work_copy_;  // a 24-bit copy of an 8-bit image, for those that need one
};

// The colour family.
class CTint : public CIBase {};

// The effect family and its base.
class CEffect : public CIBase {};
class CImgE : public CEffect {};

// The geometry family and its base.
class CShape : public CIBase {};
class CImgS : public CShape {};
