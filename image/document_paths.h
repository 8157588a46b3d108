// The current document's path, name and folder kept together.
#pragma once

#include <string>

void SetDocumentPath(const std::wstring& path);
void ClearDocumentPath();
