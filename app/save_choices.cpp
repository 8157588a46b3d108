#include "app/save_choices.h"

#include <algorithm>
#include <vector>

#include "codecs/image_encoders.h"
#include "codecs/save_options.h"

namespace {

constexpr unsigned kBmp = 1u << kSaveBmp, kPng = 1u << kSavePng, kJpeg = 1u << kSaveJpeg,
                   kTiff = 1u << kSaveTiff, kGif = 1u << kSaveGif,
                   kLossless = 1u << kSaveJpegLossless;

struct ChoiceTypes {
  SaveChoice choice;
  unsigned types;
};
constexpr ChoiceTypes kOffered[] = {
    {SaveChoice::kDepth, kBmp | kPng | kTiff | kGif},
    {SaveChoice::kDither, kBmp | kPng | kTiff | kGif},
    {SaveChoice::kGrey, kPng | kTiff | kJpeg | kLossless},
    {SaveChoice::kInterlace, kPng | kGif},
    {SaveChoice::kLevel, kPng},
    {SaveChoice::kFilter, kPng},
    {SaveChoice::kTransparency, kPng | kGif},
    {SaveChoice::kGamma, kPng},
    {SaveChoice::kQuality, kJpeg},
    {SaveChoice::kSubsampling, kJpeg},
    {SaveChoice::kMarkers, kLossless},
    {SaveChoice::kProgressive, kJpeg | kLossless},
    {SaveChoice::kKeepExif, kJpeg},
    {SaveChoice::kTrim, kLossless},
    {SaveChoice::kSizeLimit, kJpeg},
    {SaveChoice::kComment, kPng | kJpeg},
};

constexpr int32_t kBmpDepths[] = {24, 8, 4, 1};
constexpr int32_t kPngDepths[] = {24, 8, 4, 2, 1};
constexpr int32_t kGifDepths[] = {8, 7, 6, 5, 4, 3, 2, 1};
constexpr int32_t kTiffDepths[] = {24, 8, 4, 1};

// For settings both changeable and read-only.
template <class Settings>
auto DepthField(Settings& s, int32_t save_type) -> decltype(&s.save_bmp_depth) {
  switch (save_type) {
    case kSaveBmp: return &s.save_bmp_depth;
    case kSavePng: return &s.save_png_depth;
    case kSaveTiff: return &s.save_tiff_depth;
    case kSaveGif: return &s.save_gif_depth;
    default: return nullptr;
  }
}

}  // namespace

bool SaveTypeOffers(int32_t save_type, SaveChoice choice) {
  if (save_type < 0 || save_type >= 32) return false;
  for (const ChoiceTypes& c : kOffered) {
    if (c.choice == choice) return (c.types >> save_type & 1u) != 0;
  }
  return false;
}

int32_t SaveTypeFor(int32_t wanted, bool from_jpeg) {
  if (wanted == kSaveJpegLossless && !from_jpeg) wanted = kSaveJpeg;
  const std::vector<int32_t> offered = OfferedSaveTypes(from_jpeg);
  if (offered.empty()) return wanted;
  const bool found = std::find(offered.begin(), offered.end(), wanted) != offered.end();
  return found ? wanted : offered.front();
}

std::span<const int32_t> SaveDepthsOf(int32_t save_type) {
  switch (save_type) {
    case kSaveBmp: return kBmpDepths;
    case kSavePng: return kPngDepths;
    case kSaveTiff: return kTiffDepths;
    case kSaveGif: return kGifDepths;
    default: return {};
  }
}

int32_t* SaveDepthSetting(SettingsValues& s, int32_t save_type) {
  return DepthField(s, save_type);
}

int32_t SaveDepthOf(const SettingsValues& s, int32_t save_type) {
  const int32_t* depth = DepthField(s, save_type);
  return depth ? *depth : 24;
}

uint8_t* SaveGreySetting(SettingsValues& s, int32_t save_type) {
  switch (save_type) {
    case kSavePng: return &s.save_png_grey;
    case kSaveTiff: return &s.save_tiff_grey;
    case kSaveJpeg:
    case kSaveJpegLossless: return &s.save_jpeg_greyscale;
    default: return nullptr;
  }
}

bool SaveGreyOffered(const SettingsValues& s, int32_t save_type) {
  if (!SaveTypeOffers(save_type, SaveChoice::kGrey)) return false;
  if (save_type == kSavePng || save_type == kSaveTiff) return SaveDepthOf(s, save_type) == 8;
  return true;
}
