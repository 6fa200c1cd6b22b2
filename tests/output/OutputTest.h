// What the clipboard and printing tests share: a chart window that records
// its notices instead of showing them and prints on a page the test
// describes, other processes started and awaited with a bound, and pictures
// read back as 0x00RRGGBB rows.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <new>
#include <optional>
#include <string>
#include <vector>

#include "ChartWindowTest.h"

namespace humichart::test {

struct Notice {
    std::wstring text;
    std::wstring caption;
    UINT type = 0;
};

class RecordingChart : public CIDWnd {
public:
    std::vector<Notice> notices;
    // When set, the page every printer DC reports.
    std::optional<PrinterPage> page;
    // When set, memory runs out as the page is drawn.
    bool pageRunsOutOfMemory = false;

    PrinterPage QueryPrinterPage(HDC printer) const override {
        if (pageRunsOutOfMemory) throw std::bad_alloc();
        return page ? *page : CIDWnd::QueryPrinterPage(printer);
    }

protected:
    int AskUser(const wchar_t* text, const wchar_t* caption, UINT type) override {
        notices.push_back({text, caption, type});
        return IDOK;
    }
};

// A picture as rows of 0x00RRGGBB, top-down.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
    std::uint32_t At(int x, int y) const {
        return x < 0 || y < 0 || x >= width || y >= height ? 0xFF000000u : pixels[static_cast<size_t>(y) * width + x];
    }
};

// The rows between top and bottom on which more of the columns left to right
// are within a few levels of rgb than on either neighbouring row, by more
// than jump: a line of that colour drawn across whatever is there.
std::vector<int> RowsCrossedBy(const Picture& picture, int left, int top, int right, int bottom, std::uint32_t rgb,
                               int jump);

// The bitmap's pixels as 32-bit colours.
Picture ReadBitmap(HBITMAP bitmap);
// What the window shows on the screen now.
Picture CaptureWindow(HWND window);
// The surface's pixels.
Picture ReadSurface(const DibSurface& surface);

// z:\ path of a file in the build tree (a Unix path).
std::wstring WindowsPath(const std::string& unixPath);
// A fresh file name in the temporary folder.
std::wstring TempFile(const wchar_t* prefix);

// Runs command and waits for it, at most timeoutMs; the exit code, or -1 when
// it could not start or did not end in time (then it is ended).
int RunProcess(std::wstring command, DWORD timeoutMs);

}  // namespace humichart::test
