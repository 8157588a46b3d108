#include "adjust/file_associations.h"

#include "image/ascii_case.h"

namespace {

constexpr std::u16string_view kApplicationKey =
    u"Software\\Classes\\Applications\\Ovira.exe";
constexpr std::u16string_view kOpenCommandKey = u"\\shell\\open\\command";
constexpr std::u16string_view kExtensionKeyBase =
    u"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FileExts\\";
constexpr std::u16string_view kApplicationValue = u"Application";
constexpr std::u16string_view kClassesBase = u"Software\\Classes\\";
constexpr std::u16string_view kCapabilitiesKey = u"Software\\Ovira\\Capabilities";
constexpr std::u16string_view kVendorKey = u"Software\\Ovira";
constexpr std::u16string_view kRegisteredApplicationsKey = u"Software\\RegisteredApplications";
constexpr std::u16string_view kRegisteredName = u"Ovira";

// The class each format is offered under.
constexpr std::u16string_view kProgIds[kAssociationFormats] = {
    u"Ovira.bmp", u"Ovira.png", u"Ovira.jpeg", u"Ovira.gif", u"Ovira.tiff"};

std::u16string Join(std::u16string_view a, std::u16string_view b) {
  std::u16string joined(a);
  joined += b;
  return joined;
}

std::u16string ApplicationCommandKey() { return Join(kApplicationKey, kOpenCommandKey); }
std::u16string ExtensionKey(std::u16string_view extension) {
  return Join(kExtensionKeyBase, extension);
}
std::u16string ClassKey(std::u16string_view name) { return Join(kClassesBase, name); }

bool SameName(const std::optional<std::u16string>& a, std::u16string_view b) {
  return a && EqualIgnoringAsciiCase(*a, b);
}

// Whether the key's command opens the program at `module_path`.
bool OpensProgram(UserRegistry& registry, std::u16string_view command_key,
                  std::u16string_view module_path) {
  std::optional<std::u16string> command = registry.ReadString(command_key, u"");
  return command && EqualIgnoringAsciiCase(CommandProgram(*command), module_path);
}

AssociationFormat FormatAt(int i) { return static_cast<AssociationFormat>(i); }

void Associate(UserRegistry& registry, AssociationFormat format) {
  for (std::u16string_view extension : AssociationExtensions(format)) {
    std::u16string key = ExtensionKey(extension);
    if (!SameName(registry.ReadString(key, kApplicationValue), kApplicationName)) {
      registry.WriteString(key, kApplicationValue, kApplicationName);
    }
  }
}

void Dissociate(UserRegistry& registry, AssociationFormat format,
                std::u16string_view module_path) {
  for (std::u16string_view extension : AssociationExtensions(format)) {
    std::u16string key = ExtensionKey(extension);
    std::optional<std::u16string> named = registry.ReadString(key, kApplicationValue);
    if (SameName(named, kApplicationName) || SameName(named, module_path)) {
      registry.DeleteValue(key, kApplicationValue);
    }
  }
}

void WriteApplicationKey(UserRegistry& registry, std::u16string_view module_path) {
  std::u16string key = ApplicationCommandKey();
  if (!OpensProgram(registry, key, module_path)) {
    registry.WriteString(key, u"", OpenCommand(module_path));
  }
}

void OfferFormat(UserRegistry& registry, std::u16string_view module_path,
                 AssociationFormat format, const std::u16string& name) {
  std::u16string prog_id_key = ClassKey(kProgIds[format]);
  registry.WriteString(prog_id_key, u"", name);
  std::u16string icon = u"\"";
  icon += module_path;
  icon += u"\",0";
  registry.WriteString(Join(prog_id_key, u"\\DefaultIcon"), u"", icon);
  registry.WriteString(Join(prog_id_key, kOpenCommandKey), u"", OpenCommand(module_path));
  for (std::u16string_view extension : AssociationExtensions(format)) {
    registry.WriteString(Join(ClassKey(extension), u"\\OpenWithProgids"), kProgIds[format], u"");
    registry.WriteString(Join(kApplicationKey, u"\\SupportedTypes"), extension, u"");
    registry.WriteString(Join(kCapabilitiesKey, u"\\FileAssociations"), extension,
                         kProgIds[format]);
  }
}

void WithdrawFormat(UserRegistry& registry, AssociationFormat format) {
  registry.DeleteTree(ClassKey(kProgIds[format]));
  for (std::u16string_view extension : AssociationExtensions(format)) {
    std::u16string list = Join(ClassKey(extension), u"\\OpenWithProgids");
    registry.DeleteValue(list, kProgIds[format]);
    // Keys that only held our class go; an extension's own key stays
    // unless nothing at all is left in it.
    registry.DeleteIfEmpty(list);
    registry.DeleteIfEmpty(ClassKey(extension));
  }
}

}  // namespace

const std::vector<std::u16string_view>& AssociationExtensions(AssociationFormat format) {
  static const std::vector<std::u16string_view> kExtensions[kAssociationFormats] = {
      {u".bmp"}, {u".png"}, {u".jpg", u".jpe", u".jpeg"}, {u".gif"}, {u".tif", u".tiff"}};
  return kExtensions[format];
}

std::u16string OpenCommand(std::u16string_view module_path) {
  std::u16string command = u"\"";
  command += module_path;
  command += u"\" \"%1\"";
  return command;
}

std::u16string CommandProgram(std::u16string_view command) {
  size_t start = 0;
  while (start < command.size() && command[start] == u' ') ++start;
  command.remove_prefix(start);
  if (!command.empty() && command.front() == u'"') {
    size_t close = command.find(u'"', 1);
    return std::u16string(command.substr(1, close == std::u16string_view::npos
                                                ? std::u16string_view::npos
                                                : close - 1));
  }
  return std::u16string(command.substr(0, command.find(u' ')));
}

AssociationBoxes ReadAssociations(UserRegistry& registry, std::u16string_view module_path) {
  AssociationBoxes boxes{};
  if (!OpensProgram(registry, ApplicationCommandKey(), module_path)) return boxes;
  for (int i = 0; i < kAssociationFormats; ++i) {
    std::u16string_view first = AssociationExtensions(FormatAt(i)).front();
    boxes[i] = SameName(registry.ReadString(ExtensionKey(first), kApplicationValue),
                        kApplicationName);
  }
  return boxes;
}

void ApplyAssociations(UserRegistry& registry, std::u16string_view module_path,
                       AssociationBoxes* read, const AssociationBoxes& wanted) {
  bool any_on = false;
  for (int i = 0; i < kAssociationFormats; ++i) {
    if ((*read)[i] == wanted[i]) continue;
    if (wanted[i]) {
      Associate(registry, FormatAt(i));
      any_on = true;
    } else {
      Dissociate(registry, FormatAt(i), module_path);
    }
    (*read)[i] = wanted[i];
  }
  if (any_on) WriteApplicationKey(registry, module_path);
}

bool IsOfferedAsHandler(UserRegistry& registry, std::u16string_view module_path) {
  if (!SameName(registry.ReadString(kRegisteredApplicationsKey, kRegisteredName),
                kCapabilitiesKey)) {
    return false;
  }
  for (std::u16string_view prog_id : kProgIds) {
    if (!OpensProgram(registry, Join(ClassKey(prog_id), kOpenCommandKey), module_path)) {
      return false;
    }
  }
  return true;
}

void OfferAsHandler(UserRegistry& registry, std::u16string_view module_path,
                    const RegistrationTexts& texts) {
  for (int i = 0; i < kAssociationFormats; ++i) {
    OfferFormat(registry, module_path, FormatAt(i), texts.format_names[i]);
  }
  registry.WriteString(ApplicationCommandKey(), u"", OpenCommand(module_path));
  registry.WriteString(kCapabilitiesKey, u"ApplicationName", kRegisteredName);
  registry.WriteString(kCapabilitiesKey, u"ApplicationDescription",
                       texts.application_description);
  registry.WriteString(kRegisteredApplicationsKey, kRegisteredName, kCapabilitiesKey);
}

void WithdrawAsHandler(UserRegistry& registry, std::u16string_view module_path) {
  for (int i = 0; i < kAssociationFormats; ++i) WithdrawFormat(registry, FormatAt(i));
  if (SameName(registry.ReadString(kRegisteredApplicationsKey, kRegisteredName),
               kCapabilitiesKey)) {
    registry.DeleteValue(kRegisteredApplicationsKey, kRegisteredName);
    registry.DeleteIfEmpty(kRegisteredApplicationsKey);
  }
  registry.DeleteTree(kCapabilitiesKey);
  registry.DeleteIfEmpty(kVendorKey);
  // Another copy of the program may own the application key.
  if (OpensProgram(registry, ApplicationCommandKey(), module_path)) {
    registry.DeleteTree(kApplicationKey);
    registry.DeleteIfEmpty(u"Software\\Classes\\Applications");
  }
}
