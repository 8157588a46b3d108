#include "app/drop_files_win.h"

#include <string>
#include <vector>

#include "app/command_line_win.h"
#include "app/open_path_win.h"

namespace {

std::wstring DroppedFile(HDROP drop, UINT index) {
  UINT length = DragQueryFileW(drop, index, nullptr, 0);
  std::wstring path(length + 1, L'\0');
  DragQueryFileW(drop, index, path.data(), length + 1);
  path.resize(length);
  return path;
}

}  // namespace

void HandleDroppedFiles(HDROP drop) {
  std::vector<std::wstring> paths;
  UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
  for (UINT i = 0; i < count; ++i) paths.push_back(DroppedFile(drop, i));
  // Release the drop before opening: opening may show dialogs for a while.
  DragFinish(drop);
  for (size_t i = 1; i < paths.size(); ++i) LaunchViewerFor(paths[i]);
  if (!paths.empty()) OpenPathFromOutside(paths[0], 0);
}
