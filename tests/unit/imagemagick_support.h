// ImageMagick as the independent codec of the interoperability tests, run
// only from its system paths on files the test wrote itself.
#pragma once

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "tests/unit/test_files.h"

inline constexpr const char* kConvert = "/usr/bin/convert";
inline constexpr const char* kIdentify = "/usr/bin/identify";

// Whether the program at `path` can be run.
inline bool HasTool(const char* path) { return access(path, X_OK) == 0; }

inline bool HasImageMagick() { return HasTool(kConvert) && HasTool(kIdentify); }

// The command line of `tool` with its arguments.
inline std::string ToolCommand(const char* tool, const std::string& arguments) {
  return std::string(tool) + " " + arguments;
}

// True when the tool exits 0.
inline bool RunTool(const char* tool, const std::string& arguments) {
  return std::system(ToolCommand(tool, arguments).c_str()) == 0;
}

// Everything a command prints on either stream, whatever its exit status.
inline std::string CommandOutput(const std::string& command) {
  FILE* pipe = popen((command + " 2>&1").c_str(), "r");
  if (!pipe) return {};
  std::string text;
  char buffer[256];
  while (size_t n = std::fread(buffer, 1, sizeof(buffer), pipe)) text.append(buffer, n);
  pclose(pipe);
  return text;
}

// What `identify -format` prints for the file; empty when it fails.
inline std::string Identified(const std::string& format, const std::string& file) {
  const std::string command = ToolCommand(kIdentify, "-format '" + format + "' " + file);
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return {};
  std::string text;
  char buffer[256];
  while (size_t n = std::fread(buffer, 1, sizeof(buffer), pipe)) text.append(buffer, n);
  return pclose(pipe) == 0 ? text : std::string();
}

// The pixels of the file as ImageMagick decodes them: red, green and blue
// bytes, top row first. Empty when it cannot.
inline std::vector<uint8_t> DecodedRgb(const TempDir& dir, const std::string& file) {
  const std::string raw = dir.File("decoded.rgb");
  if (!RunTool(kConvert, file + " -depth 8 rgb:" + raw)) return {};
  return ReadWholeFile(raw);
}
