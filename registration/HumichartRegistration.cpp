#include "RegistryEntries.h"

namespace {

// {A84C8B65-1DBA-4978-83C1-9C69821E95B9}
const GUID kHumichartLib = {0xA84C8B65, 0x1DBA, 0x4978, {0x83, 0xC1, 0x9C, 0x69, 0x82, 0x1E, 0x95, 0xB9}};

#define CTL_KEY L"CLSID\\{CB3BFDC9-32B5-4E4F-9A2D-21614711E44C}"

const RegistryEntry kAppId[] = {
    {L"AppID\\%APPID%", nullptr, L"Humichart", false},
    {L"AppID\\Humichart.DLL", L"AppID", L"%APPID%", false},
};

// 131473 (0x20191): recompose on resize, cannot link inside, inside-out,
// activate when visible, set client site first. The control reports the same.
const RegistryEntry kClass[] = {
    {L"Humichart.HumichartCtl.1", nullptr, L"%FriendlyName%", false},
    {L"Humichart.HumichartCtl.1\\CLSID", nullptr, L"{CB3BFDC9-32B5-4E4F-9A2D-21614711E44C}", false},
    {L"Humichart.HumichartCtl", nullptr, L"%FriendlyName%", false},
    {L"Humichart.HumichartCtl\\CLSID", nullptr, L"{CB3BFDC9-32B5-4E4F-9A2D-21614711E44C}", false},
    {L"Humichart.HumichartCtl\\CurVer", nullptr, L"Humichart.HumichartCtl.1", false},
    {CTL_KEY, nullptr, L"%FriendlyName%", true},
    {CTL_KEY L"\\ProgID", nullptr, L"Humichart.HumichartCtl.1", false},
    {CTL_KEY L"\\VersionIndependentProgID", nullptr, L"Humichart.HumichartCtl", false},
    {CTL_KEY L"\\%MODULETYPE%", nullptr, L"%MODULE%", false},
    {CTL_KEY L"\\%MODULETYPE%", L"ThreadingModel", L"apartment", false},
    {CTL_KEY L"\\Control", nullptr, nullptr, true},
    {CTL_KEY L"\\ToolboxBitmap32", nullptr, L"%MODULE%, 1", true},
    {CTL_KEY L"\\MiscStatus", nullptr, L"0", false},
    {CTL_KEY L"\\MiscStatus\\1", nullptr, L"131473", false},
    {CTL_KEY, L"AppID", L"%APPID%", false},
    {CTL_KEY L"\\TypeLib", nullptr, L"%MODULEGUID%", false},
    {CTL_KEY L"\\Version", nullptr, L"1.0", false},
};

}  // namespace

const ServerRegistration& HumichartRegistration() {
    static const ServerRegistration registration{L"CHumichartCtl Object", &kHumichartLib, kAppId, kClass};
    return registration;
}
