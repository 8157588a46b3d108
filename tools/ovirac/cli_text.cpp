#include "tools/ovirac/cli_text.h"

#include <cstdint>
#include <cstdio>
#include <cstring>

#ifdef _WIN32
#include <windows.h>

#include "image/ansi_text_win.h"

std::string PathToUtf8(const wchar_t* path) {
  int bytes = WideCharToMultiByte(CP_UTF8, 0, path, -1, nullptr, 0, nullptr, nullptr);
  if (bytes <= 1) return {};
  std::string out(static_cast<size_t>(bytes - 1), '\0');
  WideCharToMultiByte(CP_UTF8, 0, path, -1, out.data(), bytes, nullptr, nullptr);
  return out;
}

std::string ArgumentText(const wchar_t* argument) { return ToAnsiCodePage(argument, SIZE_MAX); }
#else
std::string PathToUtf8(const char* path) { return path; }
std::string ArgumentText(const char* argument) { return argument; }
#endif

void PrintStatus(Status status) {
  std::printf("status: %u %s\n", StatusCode(status), StatusName(status));
}

std::string LowerExtension(const PathChar* path) {
  PathString text(path);
  size_t dot = text.find_last_of(OVIRA_PATH('.'));
  size_t slash = text.find_last_of(OVIRA_PATH("/\\"));
  if (dot == PathString::npos || (slash != PathString::npos && dot < slash)) return {};
  std::string ext;
  for (size_t i = dot + 1; i < text.size(); ++i) {
    PathChar c = text[i];
    if (c >= 'A' && c <= 'Z') c = static_cast<PathChar>(c - 'A' + 'a');
    ext.push_back(static_cast<uint32_t>(c) < 0x80 ? static_cast<char>(c) : '?');
  }
  return ext;
}
