// Shows a status or message code in the program's own way: owned by the
// window in use, with the side list held off while the box is up.
#pragma once

#include <cstdint>

void ShowProgramMessage(uint32_t code);
