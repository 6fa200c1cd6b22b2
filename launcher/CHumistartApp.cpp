#include "CHumistartApp.h"

#include <commctrl.h>
#include <ole2.h>
#include <shellapi.h>

#include "CHumistartDlg.h"

const wchar_t* const CHumistartApp::RegistryKey = L"应用程序向导生成的本地应用程序";

namespace {

// OLE for the life of the program: the container needs it for in-place
// activation, and it must outlive every control.
class OleSession {
public:
    OleSession() : ok_(SUCCEEDED(OleInitialize(nullptr))) {}
    OleSession(const OleSession&) = delete;
    OleSession& operator=(const OleSession&) = delete;
    ~OleSession() {
        if (ok_) OleUninitialize();
    }
    bool Ok() const { return ok_; }

private:
    bool ok_;
};

}  // namespace

std::wstring CHumistartApp::DocumentOf(const wchar_t* commandLine) {
    int count = 0;
    LPWSTR* arguments = commandLine && *commandLine ? CommandLineToArgvW(commandLine, &count) : nullptr;
    std::wstring document = arguments && count > 1 ? arguments[1] : L"";
    if (arguments) LocalFree(arguments);
    return document;
}

int CHumistartApp::Run(const std::wstring& document) {
    const OleSession ole;
    if (!ole.Ok()) return 0;
    InitInstance(document);
    return 0;
}

void CHumistartApp::InitInstance(const std::wstring& document) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);

    settingsKey_ = RegistryKey;

    CHumistartDlg window;
    // Whatever the reason, including a chart control that is not registered,
    // a window that cannot be made ends the program here without a message
    // of its own.
    if (!window.Create(nullptr)) return;
    window.EndRunWithWindow();
    window.Start(document);
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (window.PreTranslate(message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}
