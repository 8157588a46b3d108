#include "image/logical_compare.h"

#include "image/natural_compare.h"

int LogicalCompare(const std::u16string& a, const std::u16string& b) {
  return NaturalCompare(a, b);
}
