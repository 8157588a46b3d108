// Dialog templates come from the language module, which anyone can replace.
// Patching the point size must stay inside the template, change only the
// point size, and leave a refused template untouched.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "app/dialog_template.h"
#include "fuzz/fuzz_check.h"

namespace {

constexpr uint16_t kMarkerSize = 0xABCD;

// Offsets where the two copies differ.
std::vector<size_t> Differences(const std::vector<uint8_t>& a, const uint8_t* b) {
  std::vector<size_t> offsets;
  for (size_t i = 0; i < a.size(); ++i) {
    if (a[i] != b[i]) offsets.push_back(i);
  }
  return offsets;
}

bool MarkerAt(const std::vector<uint8_t>& bytes, size_t offset) {
  return offset + 1 < bytes.size() && bytes[offset] == (kMarkerSize & 0xFF) &&
         bytes[offset + 1] == (kMarkerSize >> 8);
}

// At most the two bytes of one 16-bit field changed, and they now hold the
// new point size.
bool OnlyPointSizeChanged(const std::vector<size_t>& changed, const std::vector<uint8_t>& bytes) {
  if (changed.empty()) return true;
  const size_t first = changed.front();
  if (changed.back() - first > 1) return false;
  return MarkerAt(bytes, first) || (first > 0 && changed.size() == 1 && MarkerAt(bytes, first - 1));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // An exact-size copy, so a step past the end is caught at once.
  std::vector<uint8_t> bytes(data, data + size);
  const bool patched = SetDialogTemplatePointSize(bytes.data(), bytes.size(), kMarkerSize);
  const std::vector<size_t> changed = Differences(bytes, data);
  if (!patched) {
    Require(changed.empty(), "a refused template is left unchanged");
    return 0;
  }
  Require(OnlyPointSizeChanged(changed, bytes), "only the point size changes");

  const std::vector<uint8_t> once = bytes;
  Require(SetDialogTemplatePointSize(bytes.data(), bytes.size(), kMarkerSize),
          "a patched template is accepted again");
  Require(bytes == once, "patching twice changes nothing more");
  return 0;
}
