// A second process on the clipboard, as another program would be:
//   clipboard_probe read FILE   writes the clipboard's bitmap to FILE: width,
//                               height (32-bit each), then 0x00RRGGBB rows
//                               top-down; exit 0, 2 without a bitmap, 3 when
//                               the clipboard cannot be opened
//   clipboard_probe emf FILE WIDTH HEIGHT
//                               plays the clipboard's enhanced metafile onto a
//                               white bitmap of WIDTH x HEIGHT and writes it
//                               to FILE as read does; exit 2 without one
//   clipboard_probe hold READY RELEASE
//                               opens the clipboard with a window of its own,
//                               signals the event READY and keeps it open
//                               until the event RELEASE (30 s at most)
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cwchar>
#include <vector>

#include "GdiHandles.h"

namespace {

bool Write(const wchar_t* path, int width, int height, std::vector<std::uint32_t>& pixels);

bool OpenWithRetry(HWND owner) {
    for (int i = 0; i < 100; ++i) {
        if (OpenClipboard(owner)) return true;
        Sleep(50);
    }
    return false;
}

int Read(const wchar_t* path) {
    if (!OpenWithRetry(nullptr)) return 3;
    // Ask for the device-independent form too, as a word processor would:
    // the system makes it from the bitmap.
    const bool dib = IsClipboardFormatAvailable(CF_DIB) != FALSE;
    HBITMAP bitmap = static_cast<HBITMAP>(GetClipboardData(CF_BITMAP));
    BITMAP info{};
    if (!bitmap || !GetObjectW(bitmap, sizeof info, &info) || !dib) {
        CloseClipboard();
        return 2;
    }
    BITMAPINFO header{};
    header.bmiHeader = TopDownDibHeader(info.bmWidth, info.bmHeight, 32);
    std::vector<std::uint32_t> pixels(static_cast<size_t>(info.bmWidth) * info.bmHeight);
    HDC screen = GetDC(nullptr);
    const int rows = GetDIBits(screen, bitmap, 0, info.bmHeight, pixels.data(), &header, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    CloseClipboard();
    if (rows != info.bmHeight) return 2;

    return Write(path, info.bmWidth, info.bmHeight, pixels) ? 0 : 4;
}

bool Write(const wchar_t* path, int width, int height, std::vector<std::uint32_t>& pixels) {
    FILE* file = _wfopen(path, L"wb");
    if (!file) return false;
    const std::int32_t size[2] = {width, height};
    for (std::uint32_t& pixel : pixels) pixel &= 0x00FFFFFFu;
    const bool written = fwrite(size, sizeof size, 1, file) == 1 &&
                         fwrite(pixels.data(), sizeof(std::uint32_t), pixels.size(), file) == pixels.size();
    return fclose(file) == 0 && written;
}

int PlayMetafile(const wchar_t* path, int width, int height) {
    if (width <= 0 || height <= 0 || !OpenWithRetry(nullptr)) return 3;
    HENHMETAFILE picture = static_cast<HENHMETAFILE>(GetClipboardData(CF_ENHMETAFILE));
    // A copy of our own: the clipboard's handle is valid only while it is open.
    HENHMETAFILE copy = picture ? CopyEnhMetaFileW(picture, nullptr) : nullptr;
    CloseClipboard();
    if (!copy) return 2;
    BITMAPINFO header{};
    header.bmiHeader = TopDownDibHeader(width, height, 32);
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateDIBSection(dc, &header, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!dc || !bitmap) return 4;
    HGDIOBJ old = SelectObject(dc, bitmap);
    PatBlt(dc, 0, 0, width, height, WHITENESS);
    const RECT target{0, 0, width, height};
    const bool played = PlayEnhMetaFile(dc, copy, &target) != FALSE;
    GdiFlush();
    std::vector<std::uint32_t> pixels(static_cast<const std::uint32_t*>(bits),
                                      static_cast<const std::uint32_t*>(bits) + static_cast<size_t>(width) * height);
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    DeleteEnhMetaFile(copy);
    if (!played) return 5;
    return Write(path, width, height, pixels) ? 0 : 4;
}

int Hold(const wchar_t* ready, const wchar_t* release) {
    HWND window = CreateWindowExW(0, L"STATIC", L"clipboard holder", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    HANDLE readyEvent = OpenEventW(EVENT_MODIFY_STATE, FALSE, ready);
    HANDLE releaseEvent = OpenEventW(SYNCHRONIZE, FALSE, release);
    if (!window || !readyEvent || !releaseEvent || !OpenWithRetry(window)) return 3;
    SetEvent(readyEvent);
    WaitForSingleObject(releaseEvent, 30000);
    CloseClipboard();
    DestroyWindow(window);
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc == 3 && std::wcscmp(argv[1], L"read") == 0) return Read(argv[2]);
    if (argc == 4 && std::wcscmp(argv[1], L"hold") == 0) return Hold(argv[2], argv[3]);
    if (argc == 5 && std::wcscmp(argv[1], L"emf") == 0) return PlayMetafile(argv[2], _wtoi(argv[3]), _wtoi(argv[4]));
    std::fputs("usage: clipboard_probe read FILE | emf FILE WIDTH HEIGHT | hold READY RELEASE\n", stderr);
    return 1;
}
