// The byte work of the dialog-template loader. Every dialog is an extended
// template (DLGTEMPLATEEX) from the language module, copied and given the
// interface font's size before it is shown.
#pragma once

#include <cstddef>
#include <cstdint>

// Sets the font point size of an extended template (dlgVer 1, signature
// 0xFFFF) that carries a font (DS_SETFONT in its style). The whole template
// is checked first, its items included, because the system reads all of it
// when it builds the dialog; anything else (not extended, no font, truncated
// anywhere, an unterminated string) is refused with false and left
// unchanged.
bool SetDialogTemplatePointSize(uint8_t* data, size_t size, uint16_t point_size);

// 11 when the interface font is the large one (height -14), else 9.
uint16_t DialogPointSizeForFontHeight(int32_t font_height);
