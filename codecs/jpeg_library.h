// What every use of the JPEG library shares: an error exit that keeps the
// library's message and jumps back instead of ending the program, a source
// over bytes already in memory and a destination that feeds a ByteSink.
//
// The library reports errors by calling the error exit, which longjmps to
// RunJpegGuarded. Frames between the two are abandoned without running
// destructors, so the work function and everything it calls must keep owned
// objects (vectors, strings) in the context it is given, constructed before
// the guarded call, never in their own locals.
#pragma once

#include <csetjmp>
#include <cstddef>
#include <cstdint>
#include <cstdio>  // the library's header needs FILE and size_t first
#include <string>
#include <vector>

#include <jpeglib.h>
#include <jerror.h>

#include "codecs/byte_sink.h"

constexpr size_t kJpegErrorTextLimit = 200;
constexpr size_t kJpegDestinationBufferBytes = size_t{1} << 20;

struct JpegErrorManager {
  jpeg_error_mgr library;  // first, so the library's pointer is ours too
  jmp_buf jump;
  std::string text;  // the formatted message of the error that ended the work
};

// The library's standard routines and message table, with our error exit.
jpeg_error_mgr* UseJpegErrorManager(JpegErrorManager* manager);

// Calls work(context) and returns true, or false when the library raised an
// error on the way (the manager's text then says which).
bool RunJpegGuarded(JpegErrorManager* manager, void (*work)(void* context), void* context);

// Reads from the bytes, which must outlive the decompression. Running out
// supplies an end-of-image marker, as a truncated file needs.
void UseJpegMemorySource(j_decompress_ptr info, const uint8_t* data, size_t size);

// Collects output in a 1 MiB buffer and hands it to the sink whole; a sink
// that refuses bytes raises the library's file-write error.
struct JpegSinkDestination {
  jpeg_destination_mgr library;  // first, as for the error manager
  ByteSink* sink = nullptr;
  std::vector<uint8_t> buffer;
};

// Sizes the buffer (before the guarded work, so it is owned outside it).
void PrepareJpegSinkDestination(JpegSinkDestination* destination, ByteSink* sink);
void UseJpegSinkDestination(j_compress_ptr info, JpegSinkDestination* destination);
