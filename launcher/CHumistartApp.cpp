#include "CHumistartApp.h"

#include <commctrl.h>
#include <ole2.h>

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

int CHumistartApp::Run() {
    const OleSession ole;
    if (!ole.Ok()) return 0;
    InitInstance();
    return 0;
}

bool CHumistartApp::InitInstance() {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);

    settingsKey_ = RegistryKey;

    CHumistartDlg dialog;
    // Whatever the outcome, including a dialog that could not be created
    // because the chart control is not registered, the program ends here
    // without a message of its own.
    dialog.DoModal(nullptr);
    return false;
}
