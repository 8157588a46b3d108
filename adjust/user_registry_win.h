// The current user's registry (or, for tests, any key standing in for its
// root) behind the interface the registration is written against.
#pragma once

#include <windows.h>

#include "adjust/file_associations.h"

class WindowsUserRegistry : public UserRegistry {
 public:
  explicit WindowsUserRegistry(HKEY root = HKEY_CURRENT_USER) : root_(root) {}

  std::optional<std::u16string> ReadString(std::u16string_view key,
                                           std::u16string_view value) override;
  bool WriteString(std::u16string_view key, std::u16string_view value,
                   std::u16string_view data) override;
  bool DeleteValue(std::u16string_view key, std::u16string_view value) override;
  bool DeleteTree(std::u16string_view key) override;
  bool DeleteIfEmpty(std::u16string_view key) override;

 private:
  HKEY root_;
};
