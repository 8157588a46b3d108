#include "image/current_image_win.h"

#include "app/app_state.h"
#include "image/commit_image.h"
#include "image/save_preview_win.h"
#include "view/animation_win.h"

void ReplaceCurrentImage(ImageBuffer* staged) {
  DiscardSavePreview();
  StopAnimation();
  CommitImage(staged, &App().current);
}

void ClearCurrentImage() {
  ImageBuffer empty{};
  ResetImageBuffer(&empty);
  ReplaceCurrentImage(&empty);
}
