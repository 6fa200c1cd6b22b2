#include "PrintDriver.h"

#include <winspool.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

namespace humichart::test {

namespace {

std::wstring ToWindows(const std::string& unixPath) {
    std::wstring path = L"Z:";
    for (char c : unixPath) path.push_back(c == '/' ? L'\\' : static_cast<wchar_t>(static_cast<unsigned char>(c)));
    return path;
}

std::string Narrow(const std::wstring& text) {
    std::string narrow;
    for (wchar_t c : text) narrow.push_back(static_cast<char>(c));
    return narrow;
}

// The user's Unix home: Wine names it in WINEHOMEDIR as \??\Z:\home\user.
std::string UnixHome() {
    wchar_t value[MAX_PATH]{};
    const DWORD length = GetEnvironmentVariableW(L"WINEHOMEDIR", value, MAX_PATH);
    std::wstring home(value, length < MAX_PATH ? length : 0);
    const std::wstring prefix = L"\\??\\Z:";
    if (home.rfind(prefix, 0) == 0) {
        std::string unix = Narrow(home.substr(prefix.size()));
        for (char& c : unix)
            if (c == '\\') c = '/';
        return unix;
    }
    const char* env = std::getenv("HOME");
    return env ? env : "/root";
}

struct ButtonSearch {
    DWORD process;
    int buttonId;
    HWND button = nullptr;
};

// A visible dialog of this process with the print dialog's printer list
// (combo box 0x473) and the button.
BOOL CALLBACK FindPrintDialog(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<ButtonSearch*>(param);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    wchar_t className[16]{};
    GetClassNameW(window, className, 16);
    if (process != search->process || !IsWindowVisible(window) || std::wstring(className) != L"#32770")
        return TRUE;
    HWND button = GetDlgItem(window, search->buttonId);
    if (!GetDlgItem(window, 0x473) || !button || !IsWindowEnabled(button)) return TRUE;
    search->button = button;
    return FALSE;
}

}  // namespace

std::wstring DefaultPrinter() {
    wchar_t name[256]{};
    DWORD size = 256;
    return GetDefaultPrinterW(name, &size) ? name : L"";
}

std::string PdfFolder() {
    std::string out = "${HOME}/PDF";
    std::ifstream conf(std::filesystem::path(ToWindows("/etc/cups/cups-pdf.conf")));
    for (std::string line; std::getline(conf, line);) {
        std::istringstream words(line);
        std::string key, value;
        if (words >> key >> value && key == "Out") out = value;
    }
    const std::string home = "${HOME}";
    if (const size_t at = out.find(home); at != std::string::npos) out.replace(at, home.size(), UnixHome());
    return out;
}

std::set<std::string> PdfFiles(const std::string& folder) {
    std::set<std::string> names;
    WIN32_FIND_DATAW found{};
    HANDLE find = FindFirstFileW((ToWindows(folder) + L"\\*.pdf").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE) return names;
    do names.insert(Narrow(found.cFileName));
    while (FindNextFileW(find, &found));
    FindClose(find);
    return names;
}

std::string WaitForNewPdf(const std::string& folder, const std::set<std::string>& before, const char* needle,
                          int timeoutMs) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    std::string candidate;
    long long lastSize = -1;
    while (std::chrono::steady_clock::now() < end) {
        for (const std::string& name : PdfFiles(folder))
            if (!before.count(name) && name.find(needle) != std::string::npos) candidate = name;
        if (!candidate.empty()) {
            std::ifstream file(std::filesystem::path(ToWindows(folder + "/" + candidate)), std::ios::binary | std::ios::ate);
            const long long size = file ? static_cast<long long>(file.tellg()) : -1;
            std::string tail;
            if (size > 16) {
                file.seekg(size > 64 ? size - 64 : 0);
                tail.assign(std::istreambuf_iterator<char>(file), {});
            }
            if (size > 0 && size == lastSize && tail.find("%%EOF") != std::string::npos) return candidate;
            lastSize = size;
        }
        Sleep(100);
    }
    return {};
}

int RunUnixShell(const std::string& command, int timeoutMs) {
    // Wine hands back no handle to wait on for a Unix process: the command
    // leaves its exit code in a file, which is awaited instead.
    static int runs = 0;
    const std::string done =
        "/tmp/humichart-shell-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++runs);
    const std::wstring donePath = ToWindows(done);
    DeleteFileW(donePath.c_str());
    std::wstring line = L"sh -c \"";
    for (char c : "(" + command + "); echo $? > " + done + ".part && mv " + done + ".part " + done)
        line.push_back(static_cast<wchar_t>(static_cast<unsigned char>(c)));
    line += L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(L"Z:\\bin\\sh", line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process))
        return -1;
    if (process.hThread) CloseHandle(process.hThread);
    if (process.hProcess) CloseHandle(process.hProcess);
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (std::chrono::steady_clock::now() < end) {
        std::ifstream result{std::filesystem::path(donePath)};
        int code = -1;
        if (result >> code) {
            result.close();
            DeleteFileW(donePath.c_str());
            return code;
        }
        Sleep(50);
    }
    return -1;
}

DialogButtonPresser::DialogButtonPresser(int buttonId, int timeoutMs)
    : m_thread([this, buttonId, timeoutMs] { Run(buttonId, timeoutMs); }) {}

DialogButtonPresser::~DialogButtonPresser() {
    if (m_thread.joinable()) m_thread.join();
}

bool DialogButtonPresser::Pressed() {
    if (m_thread.joinable()) m_thread.join();
    return m_pressed;
}

void DialogButtonPresser::Run(int buttonId, int timeoutMs) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    ButtonSearch search{GetCurrentProcessId(), buttonId};
    while (std::chrono::steady_clock::now() < end) {
        search.button = nullptr;
        EnumWindows(FindPrintDialog, reinterpret_cast<LPARAM>(&search));
        if (search.button) {
            // The dialog lays itself out before it shows; let it settle.
            Sleep(200);
            m_owner = GetWindow(GetParent(search.button), GW_OWNER);
            m_ownerEnabled = m_owner && IsWindowEnabled(m_owner);
            m_pressedAt = std::chrono::steady_clock::now();
            DWORD_PTR ignored = 0;
            m_pressed = SendMessageTimeoutW(search.button, BM_CLICK, 0, 0, SMTO_NORMAL, 10000, &ignored) != 0;
            return;
        }
        Sleep(50);
    }
}

}  // namespace humichart::test
