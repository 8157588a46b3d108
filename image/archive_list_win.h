// The file list made of an archive's image members: built from the archive
// by its extension, each member unpacked into memory when it is shown, and
// built again when the archive file changes while the viewer is away.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "image/file_list.h"
#include "image/page_memory.h"

// Reads the archive's member table (ZIP by us, RAR through the UnRAR
// library) into the file list, with the member of `key` current when one is
// given. Any previous list goes, and so does the folder watch. False when
// the archive cannot be read or holds no image; the list is empty then.
bool BuildArchiveList(const std::wstring& path, std::optional<uint32_t> key);

// Whether the file list is the current archive's, and `path` names that
// archive.
bool IsCurrentArchive(const std::wstring& path);

// Unpacks a member of the current archive into page memory.
bool ExtractArchiveMember(const FileListEntry& entry, PageBlock* block, uint32_t* size);

// On activation: an archive written since its list was built is listed
// again, keeping the member shown current when it is still there.
void CheckArchiveForChange();
