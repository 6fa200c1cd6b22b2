#include "RegistryEntries.h"

namespace {

// {B686ADD0-AEE6-45A4-83D1-6BB021FD4046}
const GUID kHumicalcLib = {0xB686ADD0, 0xAEE6, 0x45A4, {0x83, 0xD1, 0x6B, 0xB0, 0x21, 0xFD, 0x40, 0x46}};

#define CALID_KEY L"CLSID\\{EA330464-07F3-4220-AA52-63EE1FAFEF5D}"

const RegistryEntry kAppId[] = {
    {L"AppID\\%APPID%", nullptr, L"Humicalc", false},
    {L"AppID\\Humicalc.DLL", L"AppID", L"%APPID%", false},
};

const RegistryEntry kClass[] = {
    {L"Humicalc.CalID.1", nullptr, L"%FriendlyName%", false},
    {L"Humicalc.CalID.1\\CLSID", nullptr, L"{EA330464-07F3-4220-AA52-63EE1FAFEF5D}", false},
    {L"Humicalc.CalID", nullptr, L"%FriendlyName%", false},
    {L"Humicalc.CalID\\CLSID", nullptr, L"{EA330464-07F3-4220-AA52-63EE1FAFEF5D}", false},
    {L"Humicalc.CalID\\CurVer", nullptr, L"Humicalc.CalID.1", false},
    {CALID_KEY, nullptr, L"%FriendlyName%", true},
    {CALID_KEY L"\\ProgID", nullptr, L"Humicalc.CalID.1", false},
    {CALID_KEY L"\\VersionIndependentProgID", nullptr, L"Humicalc.CalID", false},
    {CALID_KEY L"\\Programmable", nullptr, nullptr, true},
    {CALID_KEY L"\\%MODULETYPE%", nullptr, L"%MODULE%", false},
    {CALID_KEY L"\\%MODULETYPE%", L"ThreadingModel", L"apartment", false},
    {CALID_KEY, L"AppID", L"%APPID%", false},
    {CALID_KEY L"\\TypeLib", nullptr, L"%MODULEGUID%", false},
};

}  // namespace

const ServerRegistration& HumicalcRegistration() {
    static const ServerRegistration registration{L"CCalID Object", &kHumicalcLib, kAppId, kClass};
    return registration;
}
