#include "CHumistartSettings.h"

#include <string>

const wchar_t* const CHumistartSettings::DefaultKey = L"Software\\Humichart\\Humistart";

namespace {

constexpr DWORD kRecentCount = 4;

std::wstring RecentName(DWORD index) {
    return L"Recent" + std::to_wstring(index + 1);
}

class Key {
public:
    Key(const std::wstring& path, bool write) {
        const LSTATUS status = write ? RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0,
                                                       KEY_READ | KEY_WRITE, nullptr, &key_, nullptr)
                                     : RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key_);
        if (status != ERROR_SUCCESS) key_ = nullptr;
    }
    Key(const Key&) = delete;
    Key& operator=(const Key&) = delete;
    ~Key() {
        if (key_) RegCloseKey(key_);
    }
    HKEY Get() const { return key_; }

private:
    HKEY key_ = nullptr;
};

}  // namespace

std::optional<WINDOWPLACEMENT> CHumistartSettings::LoadPlacement() const {
    const Key key(keyPath_, false);
    WINDOWPLACEMENT placement{};
    DWORD type = 0, size = sizeof placement;
    if (!key.Get() ||
        RegQueryValueExW(key.Get(), L"WindowPlacement", nullptr, &type, reinterpret_cast<BYTE*>(&placement), &size) !=
            ERROR_SUCCESS ||
        type != REG_BINARY || size != sizeof placement || placement.length != sizeof placement)
        return std::nullopt;
    const RECT& normal = placement.rcNormalPosition;
    if (normal.right - normal.left < 100 || normal.bottom - normal.top < 100) return std::nullopt;
    // Its caption, where the user takes hold of a window, must be within
    // reach: the monitor it was on may be gone.
    const RECT caption{normal.left + 40, normal.top, normal.right - 40, normal.top + GetSystemMetrics(SM_CYCAPTION)};
    if (!MonitorFromRect(&caption, MONITOR_DEFAULTTONULL)) return std::nullopt;
    return placement;
}

void CHumistartSettings::SavePlacement(const WINDOWPLACEMENT& placement) const {
    const Key key(keyPath_, true);
    if (key.Get())
        RegSetValueExW(key.Get(), L"WindowPlacement", 0, REG_BINARY, reinterpret_cast<const BYTE*>(&placement),
                       sizeof placement);
}

std::vector<std::wstring> CHumistartSettings::LoadRecent() const {
    std::vector<std::wstring> paths;
    const Key key(keyPath_, false);
    if (!key.Get()) return paths;
    for (DWORD index = 0; index < kRecentCount; ++index) {
        wchar_t path[MAX_PATH * 4] = {};
        DWORD type = 0, size = sizeof path - sizeof(wchar_t);
        if (RegQueryValueExW(key.Get(), RecentName(index).c_str(), nullptr, &type, reinterpret_cast<BYTE*>(path),
                             &size) == ERROR_SUCCESS &&
            type == REG_SZ && path[0])
            paths.emplace_back(path);
    }
    return paths;
}

void CHumistartSettings::SaveRecent(const std::vector<std::wstring>& paths) const {
    const Key key(keyPath_, true);
    if (!key.Get()) return;
    for (DWORD index = 0; index < kRecentCount; ++index) {
        const std::wstring name = RecentName(index);
        if (index < paths.size())
            RegSetValueExW(key.Get(), name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(paths[index].c_str()),
                           static_cast<DWORD>((paths[index].size() + 1) * sizeof(wchar_t)));
        else
            RegDeleteValueW(key.Get(), name.c_str());
    }
}
