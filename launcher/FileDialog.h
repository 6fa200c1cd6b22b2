// The common file dialogs as Humistart asks for a path: its filters from the
// string table ("text|pattern|" pairs), the suggested file in its folder.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

enum class FileDialogKind { Open, Save };

// The chosen path; none when the user cancels. A name typed without an
// extension takes the chosen filter's (defaultExtension when it has none).
std::optional<std::wstring> AskForPath(HWND owner, FileDialogKind kind, UINT filterId, const wchar_t* defaultExtension,
                                       const std::wstring& suggested);
