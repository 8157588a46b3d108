#include "tools/ovirac/input_bytes.h"

#include <cstdio>
#include <string>

#include "tools/ovirac/cli_text.h"
#include "tools/ovirac/image_input.h"

bool InputBytes::Open(const PathChar* path) {
  PathString archive;
  std::u16string member_path;
  if (SplitMemberInput(path, &archive, &member_path)) {
    if (!ExtractMemberInput(path, &member_)) return false;
    data_ = member_.block.data();
    size_ = member_.size;
    return true;
  }
  if (!file_.Open(path, MapMode::kReadOnly)) {
    std::fprintf(stderr, "ovirac: cannot read '%s'\n", PathToUtf8(path).c_str());
    return false;
  }
  data_ = file_.data();
  size_ = file_.size();
  return true;
}
