// The chart control under Wine, hosted the way the launcher hosts it: the
// time from creation to a live chart window (OnInit has fired by the time the
// container's in-place activation returns), AddPoint with its calculator
// binding per call, GetPoint, and the documents and pictures of that chart
// (SaveDocument, OpenDocument, SavePicture). Needs both DLLs registered and a
// display.
#include <windows.h>
#include <ole2.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "ComPtr.h"
#include "ControlContainer.h"
#include "Humichart_h.h"
#include "UniqueBstr.h"

namespace {

using Clock = std::chrono::steady_clock;

double Milliseconds(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

}  // namespace

int main() {
    if (FAILED(OleInitialize(nullptr))) return 1;
    HWND host = CreateWindowExW(0, L"STATIC", L"bench", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, 0, 840, 660,
                                nullptr, nullptr, nullptr, nullptr);
    ShowWindow(host, SW_SHOW);
    const RECT rect{0, 0, 800, 600};

    std::vector<double> create;
    for (int run = 0; run < 7; ++run) {
        CControlContainer container;
        const auto start = Clock::now();
        const HRESULT hr = container.CreateControl(host, CLSID_HumichartCtl, 1000, WS_CHILD | WS_VISIBLE, rect);
        create.push_back(Milliseconds(Clock::now() - start));
        if (FAILED(hr)) {
            std::printf("the chart control could not be created: 0x%08lx\n", static_cast<unsigned long>(hr));
            return 1;
        }
    }
    std::printf("create to live chart window, 800 x 600: median %.1f ms (best %.1f)\n", Median(create),
                *std::min_element(create.begin(), create.end()));

    CControlContainer container;
    container.CreateControl(host, CLSID_HumichartCtl, 1000, WS_CHILD | WS_VISIBLE, rect);
    ComPtr<IHumichartCtl> chart;
    ComPtr<IUnknown>::Share(container.Find(1000)->Control()).As(chart);
    if (!chart) return 1;

    constexpr int kPoints = 10000;
    std::vector<UniqueBstr> names;
    for (int i = 0; i < kPoints; ++i) names.emplace_back(L"P" + std::to_wstring(i));
    const auto addStart = Clock::now();
    for (int i = 0; i < kPoints; ++i) chart->AddPoint(20.0 + i % 40, 2.0 + (i % 9) * 0.5, names[i].Get());
    const double addMs = Milliseconds(Clock::now() - addStart);
    unsigned long count = 0;
    chart->PointCount(&count);
    std::printf("AddPoint, %d named points: %.0f calls/s (%.1f us each), %lu points held\n", kPoints,
                kPoints / addMs * 1000, addMs * 1000 / kPoints, count);

    constexpr int kRounds = 20;
    double i = 0, d = 0;
    const auto getStart = Clock::now();
    for (int round = 0; round < kRounds; ++round) {
        for (unsigned long k = 0; k < count; ++k) {
            UniqueBstr name;
            chart->GetPoint(k, &i, &d, name.Put());
        }
    }
    const double getMs = Milliseconds(Clock::now() - getStart);
    std::printf("GetPoint over %lu points: %.0f calls/s\n", count, count * kRounds / getMs * 1000);

    // Documents and pictures of that chart, in the temporary folder.
    wchar_t folder[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, folder);
    const std::wstring document = std::wstring(folder) + L"humichart-bench.xls";
    const auto timed = [](auto&& call) {
        std::vector<double> times;
        HRESULT failed = S_OK;
        for (int run = 0; run < 5; ++run) {
            const auto start = Clock::now();
            const HRESULT hr = call();
            times.push_back(Milliseconds(Clock::now() - start));
            if (FAILED(hr)) failed = hr;
        }
        return std::make_pair(Median(times), failed);
    };
    UniqueBstr path(document.c_str());
    const auto save = timed([&] { return chart->SaveDocument(path.Get()); });
    const auto open = timed([&] { return chart->OpenDocument(path.Get()); });
    WIN32_FILE_ATTRIBUTE_DATA file{};
    GetFileAttributesExW(document.c_str(), GetFileExInfoStandard, &file);
    std::printf("SaveDocument, %lu points (%lu KB): median %.1f ms; OpenDocument: median %.1f ms%s\n", count,
                file.nFileSizeLow / 1024, save.first, open.first,
                FAILED(save.second) || FAILED(open.second) ? " (FAILED)" : "");
    DeleteFileW(document.c_str());
    VARIANT none, width, height;
    VariantInit(&none);
    VariantInit(&width);
    VariantInit(&height);
    width.vt = height.vt = VT_I4;
    for (const auto& [name, w, h] : {std::tuple{L"humichart-bench.png", 0, 0}, std::tuple{L"humichart-bench.png", 1600, 1200},
                                     std::tuple{L"humichart-bench.emf", 0, 0}}) {
        const std::wstring picture = std::wstring(folder) + name;
        UniqueBstr picturePath(picture.c_str());
        width.lVal = w, height.lVal = h;
        const auto saved = timed([&] { return chart->SavePicture(picturePath.Get(), w ? width : none, h ? height : none); });
        std::printf("SavePicture %ls at %s: median %.1f ms%s\n", name, w ? "1600 x 1200" : "the window's 800 x 600",
                    saved.first, FAILED(saved.second) ? " (FAILED)" : "");
        DeleteFileW(picture.c_str());
    }

    chart.Reset();
    container.CloseAll();
    DestroyWindow(host);
    OleUninitialize();
    return 0;
}
