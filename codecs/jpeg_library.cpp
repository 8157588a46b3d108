#include "codecs/jpeg_library.h"

#include <algorithm>

namespace {

[[noreturn]] void ExitWithMessage(j_common_ptr info) {
  auto* manager = reinterpret_cast<JpegErrorManager*>(info->err);
  char message[JMSG_LENGTH_MAX] = {};
  info->err->format_message(info, message);
  manager->text.assign(message, std::min(kJpegErrorTextLimit, std::char_traits<char>::length(message)));
  longjmp(manager->jump, 1);
}

// Warnings (corrupt data the library works round) would go to stderr, which
// the viewer has not got; what matters reaches the caller through the exit.
void KeepWarningsQuiet(j_common_ptr) {}

// An end-of-image marker for a source that ran out, so the library finishes
// the picture with what it has and warns instead of reading past the end.
const JOCTET kFakeEndOfImage[2] = {0xFF, JPEG_EOI};

void NoSourceSetup(j_decompress_ptr) {}

boolean FillWithEndOfImage(j_decompress_ptr info) {
  WARNMS(info, JWRN_JPEG_EOF);
  info->src->next_input_byte = kFakeEndOfImage;
  info->src->bytes_in_buffer = sizeof kFakeEndOfImage;
  return TRUE;
}

void SkipWithinData(j_decompress_ptr info, long count) {
  if (count <= 0) return;
  jpeg_source_mgr* source = info->src;
  if (static_cast<size_t>(count) > source->bytes_in_buffer) {
    // Nothing lies beyond the data: the skip ends at the fake end.
    source->fill_input_buffer(info);
    return;
  }
  source->next_input_byte += count;
  source->bytes_in_buffer -= static_cast<size_t>(count);
}

JpegSinkDestination* DestinationOf(j_compress_ptr info) {
  return reinterpret_cast<JpegSinkDestination*>(info->dest);
}

void StartBuffer(j_compress_ptr info) {
  JpegSinkDestination* destination = DestinationOf(info);
  destination->library.next_output_byte = destination->buffer.data();
  destination->library.free_in_buffer = destination->buffer.size();
}

void Deliver(j_compress_ptr info, size_t bytes) {
  JpegSinkDestination* destination = DestinationOf(info);
  if (bytes > 0 && !destination->sink->Write(destination->buffer.data(), bytes)) {
    ERREXIT(info, JERR_FILE_WRITE);
  }
}

boolean DeliverFullBuffer(j_compress_ptr info) {
  Deliver(info, DestinationOf(info)->buffer.size());
  StartBuffer(info);
  return TRUE;
}

void DeliverRest(j_compress_ptr info) {
  JpegSinkDestination* destination = DestinationOf(info);
  Deliver(info, destination->buffer.size() - destination->library.free_in_buffer);
}

}  // namespace

jpeg_error_mgr* UseJpegErrorManager(JpegErrorManager* manager) {
  jpeg_std_error(&manager->library);
  manager->library.error_exit = ExitWithMessage;
  manager->library.output_message = KeepWarningsQuiet;
  manager->text.clear();
  return &manager->library;
}

bool RunJpegGuarded(JpegErrorManager* manager, void (*work)(void* context), void* context) {
  if (setjmp(manager->jump)) return false;
  work(context);
  return true;
}

void UseJpegMemorySource(j_decompress_ptr info, const uint8_t* data, size_t size) {
  if (!info->src) {
    info->src = static_cast<jpeg_source_mgr*>(info->mem->alloc_small(
        reinterpret_cast<j_common_ptr>(info), JPOOL_PERMANENT, sizeof(jpeg_source_mgr)));
  }
  jpeg_source_mgr* source = info->src;
  source->init_source = NoSourceSetup;
  source->fill_input_buffer = FillWithEndOfImage;
  source->skip_input_data = SkipWithinData;
  source->resync_to_restart = jpeg_resync_to_restart;
  source->term_source = NoSourceSetup;
  source->next_input_byte = data;
  source->bytes_in_buffer = size;
}

void PrepareJpegSinkDestination(JpegSinkDestination* destination, ByteSink* sink) {
  destination->sink = sink;
  destination->buffer.resize(kJpegDestinationBufferBytes);
}

void UseJpegSinkDestination(j_compress_ptr info, JpegSinkDestination* destination) {
  destination->library.init_destination = StartBuffer;
  destination->library.empty_output_buffer = DeliverFullBuffer;
  destination->library.term_destination = DeliverRest;
  info->dest = &destination->library;
}
