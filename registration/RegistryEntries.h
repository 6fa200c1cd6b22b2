// The registry entries of each library as plain data: what DllRegisterServer
// writes (RegistryTable.cpp) and what the installers write (the installer
// export, which reads the same tables on the build machine).
#pragma once

#include <cstdint>
#include <span>

#ifdef _WIN32
#include <windows.h>
#else
// The layout of the platform's GUID, for the build machine's tools.
struct GUID {
    uint32_t Data1;
    uint16_t Data2;
    uint16_t Data3;
    uint8_t Data4[8];
};
#endif

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

// Registration data of each library.
const ServerRegistration& HumicalcRegistration();
const ServerRegistration& HumichartRegistration();
