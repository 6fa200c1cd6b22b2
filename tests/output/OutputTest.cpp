#include "OutputTest.h"

#include <algorithm>

namespace humichart::test {

std::vector<int> RowsCrossedBy(const Picture& picture, int left, int top, int right, int bottom, std::uint32_t rgb,
                               int jump) {
    std::vector<int> counts;
    for (int y = top; y <= bottom; ++y) {
        int count = 0;
        for (int x = left; x <= right; ++x) count += Near(picture.At(x, y), rgb) ? 1 : 0;
        counts.push_back(count);
    }
    std::vector<int> rows;
    for (size_t i = 1; i + 1 < counts.size(); ++i)
        if (counts[i] - std::max(counts[i - 1], counts[i + 1]) > jump) rows.push_back(top + static_cast<int>(i));
    return rows;
}

Picture ReadBitmap(HBITMAP bitmap) {
    Picture picture;
    BITMAP info{};
    if (!bitmap || !GetObjectW(bitmap, sizeof info, &info)) return picture;
    BITMAPINFO header{};
    header.bmiHeader = TopDownDibHeader(info.bmWidth, info.bmHeight, 32);
    picture.pixels.resize(static_cast<size_t>(info.bmWidth) * info.bmHeight);
    WindowDC screen(nullptr);
    if (GetDIBits(screen.Get(), bitmap, 0, info.bmHeight, picture.pixels.data(), &header, DIB_RGB_COLORS) !=
        info.bmHeight)
        return {};
    for (std::uint32_t& pixel : picture.pixels) pixel &= 0x00FFFFFFu;
    picture.width = info.bmWidth;
    picture.height = info.bmHeight;
    return picture;
}

Picture CaptureWindow(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    DibSurface surface(client.right, client.bottom);
    if (!surface.Ok()) return {};
    WindowDC dc(window);
    BitBlt(surface.DC(), 0, 0, client.right, client.bottom, dc.Get(), 0, 0, SRCCOPY);
    GdiFlush();
    return ReadSurface(surface);
}

Picture ReadSurface(const DibSurface& surface) {
    Picture picture{surface.Width(), surface.Height(), {}};
    picture.pixels.reserve(static_cast<size_t>(picture.width) * picture.height);
    for (int y = 0; y < picture.height; ++y)
        for (int x = 0; x < picture.width; ++x) picture.pixels.push_back(surface.Pixel(x, y));
    return picture;
}

std::wstring WindowsPath(const std::string& unixPath) {
    std::wstring path = L"Z:";
    for (char c : unixPath) path.push_back(c == '/' ? L'\\' : static_cast<wchar_t>(c));
    return path;
}

std::wstring TempFile(const wchar_t* prefix) {
    wchar_t folder[MAX_PATH]{};
    wchar_t file[MAX_PATH]{};
    GetTempPathW(MAX_PATH, folder);
    GetTempFileNameW(folder, prefix, 0, file);
    return file;
}

int RunProcess(std::wstring command, DWORD timeoutMs) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return -1;
    CloseHandle(process.hThread);
    DWORD code = static_cast<DWORD>(-1);
    if (WaitForSingleObject(process.hProcess, timeoutMs) == WAIT_OBJECT_0) {
        GetExitCodeProcess(process.hProcess, &code);
    } else {
        TerminateProcess(process.hProcess, 1);
        WaitForSingleObject(process.hProcess, 5000);
    }
    CloseHandle(process.hProcess);
    return static_cast<int>(code);
}

}  // namespace humichart::test
