// The current user's registration of the program for its five image
// formats. Two schemes: the older one, where an extension's "Application"
// value and the application key decide which program opens a file, and the
// one of today's Windows, where a program only offers itself ("Open with",
// the default-apps settings) and the user's own choice, which no program
// may write, decides. Both work on the user's part of the registry only.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The current user's registry as the registration uses it. Key paths are
// relative to the user's root and separated by backslashes; an empty value
// name is the key's default value. Names compare without regard to the case
// of ASCII letters, as the registry's do.
class UserRegistry {
 public:
  virtual ~UserRegistry() = default;
  // Nothing when the key or the value is missing or is no string.
  virtual std::optional<std::u16string> ReadString(std::u16string_view key,
                                                   std::u16string_view value) = 0;
  // Creates the key as needed.
  virtual bool WriteString(std::u16string_view key, std::u16string_view value,
                           std::u16string_view data) = 0;
  virtual bool DeleteValue(std::u16string_view key, std::u16string_view value) = 0;
  // The key with everything below it.
  virtual bool DeleteTree(std::u16string_view key) = 0;
  // The key only when it holds no values and no subkeys.
  virtual bool DeleteIfEmpty(std::u16string_view key) = 0;
};

// In the order of the page's check boxes.
enum AssociationFormat { kAssociateBmp, kAssociatePng, kAssociateJpeg, kAssociateGif,
                         kAssociateTiff, kAssociationFormats };

using AssociationBoxes = std::array<bool, kAssociationFormats>;

// ".jpg", ".jpe", ".jpeg" for JPEG: the first is the one that is read.
const std::vector<std::u16string_view>& AssociationExtensions(AssociationFormat format);

// The name the program registers itself under, and the command that opens
// a file with the program at `module_path`.
constexpr std::u16string_view kApplicationName = u"Ovira.exe";
std::u16string OpenCommand(std::u16string_view module_path);

// The program named by a command line: the arguments dropped, the quotes
// around the path removed.
std::u16string CommandProgram(std::u16string_view command);

// --- the older scheme -------------------------------------------------------

// Every box off unless the application key opens this very program; then a
// box is on when its first extension names the application.
AssociationBoxes ReadAssociations(UserRegistry& registry, std::u16string_view module_path);

// Writes only what changed from `read` to `wanted`, then remembers `wanted`
// in `read`, so that applying again without changes writes nothing. Values
// that name another program are left alone.
void ApplyAssociations(UserRegistry& registry, std::u16string_view module_path,
                       AssociationBoxes* read, const AssociationBoxes& wanted);

// --- today's scheme ---------------------------------------------------------

// What the registration shows the user: the program's description in the
// default-apps settings and each format's name.
struct RegistrationTexts {
  std::u16string application_description;
  std::array<std::u16string, kAssociationFormats> format_names;
};

// Registered when the program's capabilities are listed and every format's
// class opens this very program.
bool IsOfferedAsHandler(UserRegistry& registry, std::u16string_view module_path);

// Lists the program for every format under "Open with" and in the
// default-apps settings: a class per format, the extension's list of
// classes, the application key and the capabilities.
void OfferAsHandler(UserRegistry& registry, std::u16string_view module_path,
                    const RegistrationTexts& texts);

// Takes all of that away again; the application key only when it opens this
// very program, and never anything another program wrote.
void WithdrawAsHandler(UserRegistry& registry, std::u16string_view module_path);
