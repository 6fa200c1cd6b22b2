// Self-registration from data: each library describes its registry entries as
// a table, and one mechanism writes and removes them.
#pragma once

#include <windows.h>

#include <span>

// One entry under HKEY_CLASSES_ROOT.  Key and data may hold the placeholders
// %FriendlyName%, %MODULE%, %MODULETYPE%, %MODULEGUID% and %APPID%.
struct RegistryEntry {
    const wchar_t* key;
    const wchar_t* valueName;  // null: the key's default value
    const wchar_t* data;       // null: the key alone, no value
    bool replace;              // delete the key with everything under it first
};

struct ServerRegistration {
    const wchar_t* friendlyName;
    const GUID* typeLibId;  // also the module's AppID
    std::span<const RegistryEntry> appIdEntries;
    std::span<const RegistryEntry> classEntries;
};

// The module is the one the calling code was linked into (com_module).
HRESULT RegisterServer(const ServerRegistration& server);
HRESULT UnregisterServer(const ServerRegistration& server);

// Registration data of each library.
const ServerRegistration& HumicalcRegistration();
const ServerRegistration& HumichartRegistration();
