// The interface font: made from the settings at start-up, and made again
// when the settings change it, with every window that shows text following.
#pragma once

void CreateInterfaceFont();

// After the settings changed the font's size or weight: the bars are built
// again at the new text height, and every other window takes the new font.
void ChangeInterfaceFont();
