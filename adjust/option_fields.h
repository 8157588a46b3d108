// How the options dialog shows and reads its number fields.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The PNG reading gamma is kept in thousandths and shown as a decimal with
// three places ("2.200").
std::u16string GammaFieldText(int32_t thousandths);

// The typed decimal times 1000, truncated; anything that is not a positive
// number gives 1, the least the reader accepts.
int32_t GammaFromField(std::u16string_view text);

// A whole number typed into a field with a range: held within lo ... hi;
// text that is no number gives lo.
int32_t ClampedFieldValue(std::u16string_view text, int32_t lo, int32_t hi);
