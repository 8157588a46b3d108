#include "tools/ovirac/tone_options.h"

#include <cstdio>
#include <memory>

#include "adjust/brightness_clamp.h"
#include "adjust/channel_map.h"
#include "adjust/contrast_pivot.h"
#include "adjust/contrast_tables.h"
#include "adjust/gamma_tables.h"
#include "tools/ovirac/cli_text.h"
#include "tools/ovirac/option_values.h"

namespace {

struct NamedTone {
  const PathChar* word;
  const char* name;
  ToneKind kind;
  AmountRange range;
};

constexpr NamedTone kTones[] = {
    {OVIRA_PATH("gamma"), "gamma", ToneKind::kGamma, kGammaAmounts},
    {OVIRA_PATH("brightness"), "brightness", ToneKind::kBrightness, kBrightnessAmounts},
    {OVIRA_PATH("contrast"), "contrast", ToneKind::kContrast, kContrastAmounts},
};

struct ChannelOption {
  const PathChar* word;
  const char* name;
  int32_t ToneValues::*value;
};

// In the order of ToneRequest::channel_given.
constexpr ChannelOption kChannelOptions[] = {
    {OVIRA_PATH("--blue"), "--blue", &ToneValues::blue},
    {OVIRA_PATH("--green"), "--green", &ToneValues::green},
    {OVIRA_PATH("--red"), "--red", &ToneValues::red},
};

bool ParseAmount(const char* option, const ToneRequest& request, int argc, PathChar** argv, int* i,
                 int32_t* amount) {
  const PathChar* text = OptionValue(argc, argv, i);
  return text && ParseInteger(option, text, request.range.least, request.range.most, amount);
}

bool AnyChannelGiven(const ToneRequest& request) {
  for (bool given : request.channel_given) {
    if (given) return true;
  }
  return false;
}

}  // namespace

bool ParseToneKind(const PathChar* word, ToneRequest* request) {
  for (const NamedTone& tone : kTones) {
    if (PathString(word) == tone.word) {
      request->kind = tone.kind;
      request->name = tone.name;
      request->range = tone.range;
      return true;
    }
  }
  std::fprintf(stderr, "ovirac: adjust takes gamma, brightness or contrast, not '%s'\n",
               PathToUtf8(word).c_str());
  return false;
}

OptionParse ParseToneOption(int argc, PathChar** argv, int* i, ToneRequest* request) {
  const PathString arg = argv[*i];
  if (arg == OVIRA_PATH("--value")) {
    if (!ParseAmount("--value", *request, argc, argv, i, &request->values.all)) return OptionParse::kBad;
    request->value_given = request->values.linked = true;
    return OptionParse::kTaken;
  }
  for (int channel = 0; channel < 3; ++channel) {
    const ChannelOption& option = kChannelOptions[channel];
    if (arg != option.word) continue;
    if (!ParseAmount(option.name, *request, argc, argv, i, &(request->values.*option.value)))
      return OptionParse::kBad;
    request->channel_given[channel] = true;
    return OptionParse::kTaken;
  }
  return OptionParse::kNotMine;
}

bool ToneRequestComplete(const ToneRequest& request) {
  if (request.value_given && AnyChannelGiven(request)) {
    std::fputs("ovirac: adjust takes --value or --red, --green and --blue, not both\n", stderr);
    return false;
  }
  if (request.value_given) return true;
  if (!AnyChannelGiven(request)) {
    std::fprintf(stderr, "ovirac: adjust %s needs --value N, or --red R --green G --blue B\n",
                 request.name);
    return false;
  }
  for (int channel = 0; channel < 3; ++channel) {
    if (request.channel_given[channel]) continue;
    std::fprintf(stderr, "ovirac: adjust %s needs %s as well\n", request.name,
                 kChannelOptions[channel].name);
    return false;
  }
  return true;
}

void ApplyTone(const ToneRequest& request, ImageBuffer* image) {
  const ChannelAmounts amounts = AmountsOf(request.values);
  ChannelTables tables{};
  // Gamma and contrast tables are 51 KiB each, too much for a stack.
  std::unique_ptr<GammaTables> gamma;
  std::unique_ptr<ContrastTables> contrast;
  switch (request.kind) {
    case ToneKind::kGamma:
      gamma = std::make_unique<GammaTables>();
      tables = ChannelsFor(*gamma, amounts);
      break;
    case ToneKind::kBrightness:
      tables = ChannelsFor(kBrightnessClamp, amounts);
      break;
    case ToneKind::kContrast:
      contrast = std::make_unique<ContrastTables>(ContrastPivot(*image));
      tables = ChannelsFor(*contrast, amounts);
      break;
  }
  // Mapping in place is safe: each byte is read before it is written.
  MapChannels(*image, tables, StopRequest(), image);
}
