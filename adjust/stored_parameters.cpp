#include "adjust/stored_parameters.h"

#include <algorithm>
#include <vector>

#include "app/settings_inline_write.h"
#include "app/settings_reader.h"

namespace {

int32_t Taken(const StoredParameter& p, int32_t stored) {
  switch (p.kind) {
    case ParameterKind::kNumber: return std::clamp(stored, p.least, p.most);
    case ParameterKind::kFlag: return stored & 1;
    case ParameterKind::kColour: return stored;
  }
  return p.fallback;
}

}  // namespace

void ReadStoredParameters(const PathChar* settings_path, std::span<const StoredParameter> parameters,
                          std::span<int32_t> values) {
  SettingsReader reader;
  const bool read = settings_path && reader.Open(settings_path);
  for (size_t i = 0; i < parameters.size() && i < values.size(); ++i) {
    const StoredParameter& p = parameters[i];
    const bool held = read && reader.EntryCount() > p.entry && reader.HasInline(p.entry);
    values[i] = held ? Taken(p, reader.ReadInt(p.entry, p.fallback)) : p.fallback;
  }
}

bool WriteStoredParameters(const PathChar* settings_path,
                           std::span<const StoredParameter> parameters,
                           std::span<const int32_t> values) {
  std::vector<InlineSetting> settings;
  for (size_t i = 0; i < parameters.size() && i < values.size(); ++i) {
    settings.push_back({parameters[i].entry, values[i]});
  }
  return settings_path && WriteInlineSettings(settings_path, settings.data(), settings.size());
}
