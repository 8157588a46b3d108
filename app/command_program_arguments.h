// The command line an external program is started with: the current file,
// and for our sister program Quorvand the file-list entry as well, so that
// it opens the same member of an archive.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

// Empty without a current file. `entry_key` is the file-list key of the
// current image when it belongs to a list.
std::u16string ExternalProgramParameters(const std::u16string& program_path,
                                         const std::u16string& current_path,
                                         std::optional<int32_t> entry_key);
