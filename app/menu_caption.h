// A menu caption as plain text, for the places that show a command's name
// outside a menu: the about box's title and the tool bars' tips.
#pragma once

#include <string>

// The caption less its mnemonic marks ("&&" keeps one ampersand).
inline std::wstring WithoutMnemonic(const std::wstring& caption) {
  std::wstring text;
  for (size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == L'&' && i + 1 < caption.size()) ++i;
    text += caption[i];
  }
  return text;
}

// A tool tip names the command without the marks and without the "..."
// that promises a dialog.
inline std::wstring TipFromCaption(const std::wstring& caption) {
  std::wstring text = WithoutMnemonic(caption);
  while (!text.empty() && text.back() == L'.') text.pop_back();
  return text;
}
