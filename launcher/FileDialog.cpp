#include "FileDialog.h"

#include <commdlg.h>

#include <algorithm>
#include <vector>

#include "ResourceString.h"

std::optional<std::wstring> AskForPath(HWND owner, FileDialogKind kind, UINT filterId, const wchar_t* defaultExtension,
                                       const std::wstring& suggested) {
    // The string table cannot hold the nulls between the filter's parts.
    std::wstring filter = humichart::LoadResourceString(filterId);
    std::replace(filter.begin(), filter.end(), L'|', L'\0');
    filter.push_back(L'\0');

    const size_t slash = suggested.find_last_of(L"\\/");
    const std::wstring folder = slash == std::wstring::npos ? std::wstring() : suggested.substr(0, slash);
    const std::wstring name = slash == std::wstring::npos ? suggested : suggested.substr(slash + 1);
    std::vector<wchar_t> path(32768, L'\0');
    std::copy_n(name.begin(), std::min(name.size(), path.size() - 1), path.begin());

    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filter.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = path.data();
    dialog.nMaxFile = static_cast<DWORD>(path.size());
    dialog.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
    dialog.lpstrDefExt = defaultExtension;
    dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST |
                   (kind == FileDialogKind::Save ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST);
    const BOOL chosen = kind == FileDialogKind::Save ? GetSaveFileNameW(&dialog) : GetOpenFileNameW(&dialog);
    if (!chosen) return std::nullopt;
    return std::wstring(path.data());
}
