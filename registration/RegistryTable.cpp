#include "RegistryTable.h"

#include <oleauto.h>
#include <shellapi.h>

#include <cwchar>
#include <string>

#include "ComModule.h"
#include "ComPtr.h"
#include "HResult.h"

namespace {

std::wstring GuidText(const GUID& guid) {
    wchar_t text[40] = {};
    StringFromGUID2(guid, text, 40);
    return text;
}

class Expander {
public:
    explicit Expander(const ServerRegistration& server) : friendlyName_(server.friendlyName) {
        const std::wstring path = com_module::Path();
        // An executable registers as a local server under its quoted path.
        const bool executable = SHGetFileInfoW(path.c_str(), 0, nullptr, 0, SHGFI_EXETYPE) != 0;
        module_ = executable ? L"\"" + path + L"\"" : path;
        moduleType_ = executable ? L"LocalServer32" : L"InprocServer32";
        guid_ = GuidText(*server.typeLibId);
    }

    std::wstring operator()(const wchar_t* text) const {
        std::wstring out;
        for (const wchar_t* p = text; *p;) {
            if (*p == L'%') {
                if (const std::wstring* value = Match(p)) {
                    out += *value;
                    p = wcschr(p + 1, L'%') + 1;
                    continue;
                }
            }
            out += *p++;
        }
        return out;
    }

private:
    const std::wstring* Match(const wchar_t* p) const {
        const struct { const wchar_t* name; const std::wstring* value; } table[] = {
            {L"%FriendlyName%", &friendlyName_}, {L"%MODULETYPE%", &moduleType_}, {L"%MODULEGUID%", &guid_},
            {L"%MODULE%", &module_},             {L"%APPID%", &guid_},
        };
        for (const auto& entry : table)
            if (wcsncmp(p, entry.name, wcslen(entry.name)) == 0) return entry.value;
        return nullptr;
    }

    std::wstring friendlyName_, module_, moduleType_, guid_;
};

HRESULT DeleteTree(const std::wstring& key) {
    const LSTATUS status = RegDeleteTreeW(HKEY_CLASSES_ROOT, key.c_str());
    return status == ERROR_FILE_NOT_FOUND ? S_OK : HResultFromStatus(status);
}

HRESULT Write(const Expander& expand, const RegistryEntry& entry) {
    const std::wstring key = expand(entry.key);
    if (entry.replace) RETURN_IF_FAILED(DeleteTree(key));
    HKEY handle = nullptr;
    RETURN_IF_FAILED(HResultFromStatus(RegCreateKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, nullptr, 0,
                                                       KEY_SET_VALUE, nullptr, &handle, nullptr)));
    LSTATUS status = ERROR_SUCCESS;
    if (entry.data) {
        const std::wstring data = expand(entry.data);
        status = RegSetValueExW(handle, entry.valueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                                static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t)));
    }
    RegCloseKey(handle);
    return HResultFromStatus(status);
}

HRESULT WriteAll(const Expander& expand, std::span<const RegistryEntry> entries) {
    for (const RegistryEntry& entry : entries) RETURN_IF_FAILED(Write(expand, entry));
    return S_OK;
}

// Removing an entry removes its key; the CLSID and AppID parents are never an
// entry of their own, so they stay.
HRESULT RemoveAll(const Expander& expand, std::span<const RegistryEntry> entries) {
    for (auto it = entries.rbegin(); it != entries.rend(); ++it) RETURN_IF_FAILED(DeleteTree(expand(it->key)));
    return S_OK;
}

HRESULT RegisterTypeLibrary() {
    std::wstring path = com_module::Path();
    ComPtr<ITypeLib> library;
    RETURN_IF_FAILED(LoadTypeLibEx(path.c_str(), REGKIND_NONE, library.Put()));
    return RegisterTypeLib(library.Get(), path.data(), nullptr);
}

HRESULT UnregisterTypeLibrary() {
    ComPtr<ITypeLib> library;
    RETURN_IF_FAILED(LoadTypeLibEx(com_module::Path().c_str(), REGKIND_NONE, library.Put()));
    TLIBATTR* attr = nullptr;
    RETURN_IF_FAILED(library->GetLibAttr(&attr));
    // A library that is not registered has nothing to remove.  Only the entry
    // of this build's bitness counts: beside the other build the library
    // stays registered under the other one (win32 or win64), and asking the
    // platform to remove ours would then be refused.
    wchar_t entry[128] = {};
    swprintf(entry, 128, L"TypeLib\\%ls\\%x.%x\\%lx\\%ls", GuidText(attr->guid).c_str(), attr->wMajorVerNum,
             attr->wMinorVerNum, attr->lcid, attr->syskind == SYS_WIN64 ? L"win64" : L"win32");
    HKEY key = nullptr;
    HRESULT hr = S_OK;
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, entry, 0, KEY_READ, &key) == ERROR_SUCCESS) {
        RegCloseKey(key);
        hr = UnRegisterTypeLib(attr->guid, attr->wMajorVerNum, attr->wMinorVerNum, attr->lcid, attr->syskind);
    }
    library->ReleaseTLibAttr(attr);
    return hr;
}

// Registration runs under the system default locale so that what it writes
// does not depend on the caller's thread locale; the caller's comes back after.
class SystemLocale {
public:
    SystemLocale() : saved_(GetThreadLocale()) { SetThreadLocale(LOCALE_SYSTEM_DEFAULT); }
    ~SystemLocale() { SetThreadLocale(saved_); }
    SystemLocale(const SystemLocale&) = delete;
    SystemLocale& operator=(const SystemLocale&) = delete;

private:
    LCID saved_;
};

}  // namespace

HRESULT RegisterServer(const ServerRegistration& server) {
    SystemLocale locale;
    const Expander expand(server);
    RETURN_IF_FAILED(WriteAll(expand, server.appIdEntries));
    RETURN_IF_FAILED(WriteAll(expand, server.classEntries));
    return RegisterTypeLibrary();
}

HRESULT UnregisterServer(const ServerRegistration& server) {
    SystemLocale locale;
    const Expander expand(server);
    RETURN_IF_FAILED(RemoveAll(expand, server.classEntries));
    RETURN_IF_FAILED(UnregisterTypeLibrary());
    return RemoveAll(expand, server.appIdEntries);
}
