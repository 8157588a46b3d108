#include "tools/ovirac/image_input.h"

#include "codecs/image_decoders.h"

ImageInput ReadImageFile(const PathChar* path, const DecodeSettings& settings, ImageBuffer* image) {
  ImageInput input;
  input.status = DecodeImageFile(path, image, &input.format, settings, &input.results, &input.error_text);
  input.decoder_available = HasBuiltInDecoder(input.format);
  return input;
}
