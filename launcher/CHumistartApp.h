// The application object of Humistart: prepares the process for hosting
// embedded controls and runs the main dialog once.
#pragma once

#include <windows.h>

#include <string>

class CHumistartApp {
public:
    // The settings key name; the program stores nothing under it.
    static const wchar_t* const RegistryKey;

    // Runs the program and answers its exit code. The program ends when the
    // main dialog closes, or at once when the dialog cannot be created.
    int Run();

    const std::wstring& SettingsKey() const { return settingsKey_; }

private:
    bool InitInstance();

    std::wstring settingsKey_;
};
