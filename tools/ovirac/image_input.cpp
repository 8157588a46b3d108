#include "tools/ovirac/image_input.h"

#include <cstdio>
#include <utility>

#include "codecs/image_decoders.h"
#include "codecs/zip_archive.h"
#include "image/animation_frames.h"
#include "image/utf8_text.h"
#include "tools/ovirac/cli_text.h"
#include "tools/ovirac/plugin_input.h"

namespace {

std::u16string MemberPathText(const PathString& text) {
#ifdef _WIN32
  return std::u16string(text.begin(), text.end());
#else
  return Utf16FromUtf8(text);
#endif
}

void NoteTruncatedAnimation(const ImageBuffer& image) {
  if (!image.animation || !image.animation->truncated) return;
  std::fprintf(stderr,
               "ovirac: note: only the first %d frames were read; more would take more memory "
               "than an animation may\n",
               image.animation->frame_count());
}

}  // namespace

bool SplitMemberInput(const PathChar* input, PathString* archive, std::u16string* member) {
  const PathString text(input);
  const size_t mark = text.find(OVIRA_PATH("::"));
  if (mark == PathString::npos) return false;
  *archive = text.substr(0, mark);
  *member = MemberPathText(text.substr(mark + 2));
  return true;
}

bool ExtractMemberInput(const PathChar* input, ZipExtracted* out) {
  PathString path;
  std::u16string member_path;
  if (!SplitMemberInput(input, &path, &member_path)) return false;
  ZipArchive archive;
  ZipStatus status = archive.Open(path.c_str());
  const FileListEntry* member = status == ZipStatus::kOk ? archive.FindMember(member_path) : nullptr;
  if (status == ZipStatus::kOk && !member) status = ZipStatus::kNoMember;
  if (member) status = archive.Extract(member->key, out);
  if (status == ZipStatus::kOk) return true;
  std::fprintf(stderr, "ovirac: cannot extract '%s': %s\n", PathToUtf8(input).c_str(), ZipStatusName(status));
  return false;
}

ImageInput ReadImageFile(const PathChar* path, const DecodeSettings& settings, ImageBuffer* image) {
  ImageInput input;
  PathString archive;
  std::u16string member_path;
  if (SplitMemberInput(path, &archive, &member_path)) {
    ZipExtracted member;
    if (!ExtractMemberInput(path, &member)) {
      input.format = kFormatCannotOpen;
      input.status = Status::kReadFailed;
      return input;
    }
    input.status = DecodeImageMember(&member.block, member.size, image, &input.format, settings,
                                     &input.results, &input.error_text);
    if (input.status != Status::kOk &&
        ReadBytesWithPlugins(path, member.block.data(), member.size, image))
      input.status = Status::kOk;
  } else {
    input.status = DecodeImageFile(path, image, &input.format, settings, &input.results, &input.error_text);
    if (input.status != Status::kOk && ReadFileWithPlugins(path, image)) input.status = Status::kOk;
  }
  input.from_plugin = input.status == Status::kOk && image->source_format == kSourcePlugin;
  input.decoder_available = HasBuiltInDecoder(input.format) || input.from_plugin;
  NoteTruncatedAnimation(*image);
  return input;
}
