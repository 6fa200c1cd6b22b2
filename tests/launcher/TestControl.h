// A minimal embeddable control, registered for this process only, that
// records what its container does to it: the order of the calls, the bytes it
// was loaded from, the ambient properties it read and where it was placed.
#pragma once

#include <windows.h>
#include <ole2.h>

#include <string>
#include <vector>

struct TestControlLog {
    std::vector<std::string> calls;  // "SetClientSite", "Load", "InitNew", "DoVerb -5", ...
    std::vector<BYTE> loaded;        // what Load read, to the end of its stream
    ULARGE_INTEGER streamStart{};    // the stream position when Load began
    bool sawUserMode = false;
    bool userMode = false;
    bool sawFont = false;
    std::wstring fontName;
    RECT objectRect{};               // the last SetObjectRects position
    SIZEL extent{};                  // the last SetExtent
    HWND window = nullptr;
    int live = 0;                    // controls not yet released
};

// The class registered by TestControlRegistration.
// {6A1B7E2C-5D43-4F8A-9B21-3C0D5E7F9A11}
extern const CLSID CLSID_TestControl;

TestControlLog& ControlLog();
// The MiscStatus the next control reports; 0 unless a test says otherwise.
void SetTestControlMiscStatus(DWORD misc);

// Registers the test control's class object under clsid for this process
// while it lives.
class TestControlRegistration {
public:
    explicit TestControlRegistration(const CLSID& clsid = CLSID_TestControl);
    TestControlRegistration(const TestControlRegistration&) = delete;
    TestControlRegistration& operator=(const TestControlRegistration&) = delete;
    ~TestControlRegistration();
    HRESULT Status() const { return status_; }

private:
    DWORD cookie_ = 0;
    HRESULT status_ = E_FAIL;
};
