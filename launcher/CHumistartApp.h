// The application object of Humistart: prepares the process for hosting
// embedded controls, shows the main window and runs the program's message
// loop until the window goes.
#pragma once

#include <windows.h>

#include <string>

class CHumistartApp {
public:
    // The settings key name of the wizard's making; the program stores
    // nothing under it (its settings live under CHumistartSettings' key).
    static const wchar_t* const RegistryKey;

    // Runs the program with the document of its command line, if any, and
    // answers its exit code. The program ends when the main window closes, or
    // at once when the window cannot be created.
    int Run(const std::wstring& document = {});

    const std::wstring& SettingsKey() const { return settingsKey_; }

    // The document named on a command line (its first argument), or empty.
    static std::wstring DocumentOf(const wchar_t* commandLine);

private:
    void InitInstance(const std::wstring& document);

    std::wstring settingsKey_;
};
