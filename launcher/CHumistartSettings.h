// What Humistart remembers for its user between runs, under
// HKCU\Software\Humichart\Humistart: the window's place (WindowPlacement, a
// WINDOWPLACEMENT) and the recent documents (Recent1 to Recent4). Settings are
// a convenience: one that cannot be read or written is simply not there.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

class CHumistartSettings {
public:
    static const wchar_t* const DefaultKey;

    // keyPath under HKEY_CURRENT_USER.
    explicit CHumistartSettings(std::wstring keyPath = DefaultKey) : keyPath_(std::move(keyPath)) {}

    // The placement last saved, when it is one and its caption would stand on
    // a monitor of this system.
    std::optional<WINDOWPLACEMENT> LoadPlacement() const;
    void SavePlacement(const WINDOWPLACEMENT& placement) const;

    std::vector<std::wstring> LoadRecent() const;
    void SaveRecent(const std::vector<std::wstring>& paths) const;

private:
    std::wstring keyPath_;
};
