// Printing as a user does it, for the real-printer test and the print
// benchmark: the print dialog found on the screen and its button pressed,
// and the PDF that the cups-pdf queue writes found and turned into pixels by
// poppler's tools (Unix programs, which Wine starts like its own).
#pragma once

#include <windows.h>

#include <atomic>
#include <chrono>
#include <set>
#include <string>
#include <thread>

namespace humichart::test {

// The default printer's name; empty when Wine lists none (no CUPS queue).
std::wstring DefaultPrinter();

// The folder cups-pdf writes this user's PDFs to, as a Unix path: its "Out"
// setting with ${HOME} the user's home.
std::string PdfFolder();

// PDF file names (no folder) in a Unix folder.
std::set<std::string> PdfFiles(const std::string& folder);

// Waits up to timeoutMs for a PDF not in before whose name has needle and
// that is complete (ends its file and stops growing); its name, or empty.
std::string WaitForNewPdf(const std::string& folder, const std::set<std::string>& before, const char* needle,
                          int timeoutMs);

// Runs a Unix shell command line and waits at most timeoutMs: its exit code,
// -1 when it did not run or end.
int RunUnixShell(const std::string& command, int timeoutMs);

// Presses a button of the print dialog when it appears on the screen (within
// timeoutMs), from a thread of its own while the chart's thread sits in the
// dialog. pressed() tells whether it found the dialog and pressed.
class DialogButtonPresser {
public:
    DialogButtonPresser(int buttonId, int timeoutMs);
    DialogButtonPresser(const DialogButtonPresser&) = delete;
    DialogButtonPresser& operator=(const DialogButtonPresser&) = delete;
    ~DialogButtonPresser();
    // Waits for the thread; whether the button was pressed.
    bool Pressed();
    // When it was pressed.
    std::chrono::steady_clock::time_point PressedAt() const { return m_pressedAt; }
    // The dialog's owner window, and whether the user could still click it
    // while the dialog showed (after Pressed).
    HWND Owner() const { return m_owner; }
    bool OwnerEnabled() const { return m_ownerEnabled; }

private:
    void Run(int buttonId, int timeoutMs);
    std::atomic<bool> m_pressed{false};
    std::chrono::steady_clock::time_point m_pressedAt{};
    HWND m_owner = nullptr;
    bool m_ownerEnabled = false;
    std::thread m_thread;
};

}  // namespace humichart::test
