// Waits for a top-level window of the given title to show, reports its
// client size, closes it and waits for its process to end:
//   wait_window <title> <seconds>
// Exit code 0 when the window came up and went away on WM_CLOSE.
#include <windows.h>

#include <cstdio>
#include <cwchar>

int wmain(int argc, wchar_t** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: wait_window <title> <seconds>\n");
        return 2;
    }
    const DWORD limit = GetTickCount() + 1000u * static_cast<DWORD>(_wtoi(argv[2]));
    HWND window = nullptr;
    while (!(window = FindWindowW(nullptr, argv[1])) || !IsWindowVisible(window)) {
        if (static_cast<LONG>(GetTickCount() - limit) > 0) {
            std::printf("no window \"%ls\"\n", argv[1]);
            return 1;
        }
        Sleep(100);
    }
    RECT client{};
    GetClientRect(window, &client);
    std::printf("window \"%ls\" up, client %ld x %ld\n", argv[1], client.right, client.bottom);
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, processId);
    PostMessageW(window, WM_CLOSE, 0, 0);
    const bool ended = process && WaitForSingleObject(process, 20000) == WAIT_OBJECT_0;
    if (process) CloseHandle(process);
    std::printf(ended ? "closed\n" : "did not close\n");
    return ended ? 0 : 1;
}
