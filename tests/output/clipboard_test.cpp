// Copy bitmap to clipboard: another process reads back exactly what the
// window shows, the picture outlives the chart, a copy before any paint is
// the first paint, and a clipboard held by another program gives the notice
// and changes nothing.
#include <windows.h>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include <objidl.h>

#include <gdiplus.h>

#include "ChartPalette.h"
#include "ComPtr.h"
#include "OutputTest.h"

namespace humichart::test {
namespace {

using namespace humichart::palette;

class ClipboardTest : public ChartWindowTest {
protected:
    RecordingChart& OpenRecording(int width, int height) {
        auto chart = std::make_unique<RecordingChart>();
        RecordingChart* recording = chart.get();
        Open(width, height, std::move(chart));
        return *recording;
    }

    // A picture a second process wrote (width, height, then the pixels), taken
    // when its size is the one wanted (any size for 0 x 0); the file goes.
    static Picture ReadPictureFile(const std::wstring& file, int width, int height) {
        Picture picture;
        if (FILE* in = _wfopen(file.c_str(), L"rb")) {
            std::int32_t size[2]{};
            if (fread(size, sizeof size, 1, in) == 1 && size[0] > 0 && size[1] > 0 &&
                (width == 0 || (size[0] == width && size[1] == height))) {
                picture.width = size[0];
                picture.height = size[1];
                picture.pixels.resize(static_cast<size_t>(size[0]) * size[1]);
                if (fread(picture.pixels.data(), sizeof(std::uint32_t), picture.pixels.size(), in) !=
                    picture.pixels.size())
                    picture = {};
            }
            fclose(in);
        }
        DeleteFileW(file.c_str());
        return picture;
    }

    // The clipboard's bitmap as a second process reads it.
    static Picture ReadFromOtherProcess() {
        const std::wstring file = TempFile(L"clp");
        const std::wstring command = L"\"" + WindowsPath(CLIPBOARD_PROBE_EXE) + L"\" read \"" + file + L"\"";
        const int code = RunProcess(command, 30000);
        EXPECT_EQ(code, 0) << "clipboard probe: 2 no bitmap, 3 clipboard busy, -1 did not run";
        return ReadPictureFile(file, 0, 0);
    }

    // The clipboard's metafile as a second process plays it onto a white
    // bitmap of width x height.
    static Picture PlayFromOtherProcess(int width, int height) {
        const std::wstring file = TempFile(L"emf");
        const std::wstring command = L"\"" + WindowsPath(CLIPBOARD_PROBE_EXE) + L"\" emf \"" + file + L"\" " +
                                     std::to_wstring(width) + L" " + std::to_wstring(height);
        const int code = RunProcess(command, 30000);
        EXPECT_EQ(code, 0) << "clipboard probe: 2 no metafile, 3 clipboard busy, 5 not played, -1 did not run";
        return ReadPictureFile(file, width, height);
    }

    // Blocks of 8 x 8 window pixels whose mean colour differs from the same
    // place of a picture twice the size by more than 32 in a channel. The
    // grid's one-pixel lines play back one pixel wide at twice the size, not
    // two: a block crossed by three of them shifts by up to about 28. A
    // missing label shifts its blocks by 40 to 60, a tint that did not blend
    // every block of the chart area by over 50.
    static int BlocksApart(const Picture& window, const Picture& twice, int* blocks) {
        int apart = 0;
        *blocks = 0;
        for (int by = 0; by + 8 <= window.height; by += 8)
            for (int bx = 0; bx + 8 <= window.width; bx += 8) {
                double a[3] = {}, b[3] = {};
                for (int y = 0; y < 16; ++y)
                    for (int x = 0; x < 16; ++x) {
                        const std::uint32_t p = twice.At(2 * bx + x, 2 * by + y);
                        const std::uint32_t q = window.At(bx + x / 2, by + y / 2);
                        for (int c = 0; c < 3; ++c) {
                            b[c] += (p >> (8 * c)) & 0xFF;
                            a[c] += (q >> (8 * c)) & 0xFF;
                        }
                    }
                bool alike = true;
                for (int c = 0; c < 3; ++c) alike = alike && std::abs(a[c] - b[c]) / 256.0 <= 32.0;
                apart += alike ? 0 : 1;
                ++*blocks;
            }
        return apart;
    }

    static void WritePpm(const Picture& picture, const std::string& path) {
        if (FILE* out = std::fopen(path.c_str(), "wb")) {
            std::fprintf(out, "P6\n%d %d\n255\n", picture.width, picture.height);
            for (std::uint32_t pixel : picture.pixels) {
                const unsigned char rgb[3] = {static_cast<unsigned char>(pixel >> 16),
                                              static_cast<unsigned char>(pixel >> 8), static_cast<unsigned char>(pixel)};
                std::fwrite(rgb, 1, 3, out);
            }
            std::fclose(out);
        }
    }

    static int Count(const Picture& picture, std::uint32_t rgb) {
        int count = 0;
        for (std::uint32_t pixel : picture.pixels) count += pixel == rgb ? 1 : 0;
        return count;
    }

    static int CountNear(const Picture& picture, std::uint32_t rgb) {
        int count = 0;
        for (std::uint32_t pixel : picture.pixels) count += Near(pixel, rgb, 2) ? 1 : 0;
        return count;
    }

    // The pixels of a PNG file's bytes (GDI+ running).
    static Picture DecodePng(const std::vector<std::uint8_t>& bytes) {
        Picture picture;
        ComPtr<IStream> stream;
        if (bytes.empty() || FAILED(CreateStreamOnHGlobal(nullptr, TRUE, stream.Put())) ||
            FAILED(stream->Write(bytes.data(), static_cast<ULONG>(bytes.size()), nullptr)))
            return picture;
        Gdiplus::Bitmap image(stream.Get());
        Gdiplus::BitmapData data{};
        const Gdiplus::Rect all(0, 0, static_cast<INT>(image.GetWidth()), static_cast<INT>(image.GetHeight()));
        if (image.GetLastStatus() != Gdiplus::Ok ||
            image.LockBits(&all, Gdiplus::ImageLockModeRead, PixelFormat32bppRGB, &data) != Gdiplus::Ok)
            return picture;
        picture.width = all.Width;
        picture.height = all.Height;
        for (int y = 0; y < all.Height; ++y) {
            const auto* row = reinterpret_cast<const std::uint32_t*>(static_cast<const BYTE*>(data.Scan0) + y * data.Stride);
            for (int x = 0; x < all.Width; ++x) picture.pixels.push_back(row[x] & 0x00FFFFFFu);
        }
        image.UnlockBits(&data);
        return picture;
    }

    // An enhanced metafile file's bytes played onto a white bitmap.
    static Picture PlayEmf(const std::vector<std::uint8_t>& bytes, int width, int height) {
        HENHMETAFILE picture = SetEnhMetaFileBits(static_cast<UINT>(bytes.size()), bytes.data());
        DibSurface surface(width, height);
        if (!picture || !surface.Ok()) return {};
        PatBlt(surface.DC(), 0, 0, width, height, WHITENESS);
        const RECT target{0, 0, width, height};
        const bool played = PlayEnhMetaFile(surface.DC(), picture, &target) != FALSE;
        DeleteEnhMetaFile(picture);
        GdiFlush();
        return played ? ReadSurface(surface) : Picture{};
    }

    static int Differences(const Picture& a, const Picture& b) {
        if (a.width != b.width || a.height != b.height) return -1;
        int count = 0;
        for (size_t i = 0; i < a.pixels.size(); ++i) count += a.pixels[i] != b.pixels[i] ? 1 : 0;
        return count;
    }
};

TEST_F(ClipboardTest, AnotherProgramReadsWhatTheWindowShowsEvenAfterTheChartIsGone) {
    struct Case {
        const char* name;
        bool caption;
        bool zoomed;
    };
    for (const Case& c : {Case{"caption, border, data", true, false}, Case{"zoomed and panned", false, true}}) {
        SCOPED_TRACE(c.name);
        RecordingChart& chart = OpenRecording(640, 480);
        render::AddDemoData(chart);
        chart.captionVisible = c.caption ? 1 : 0;
        chart.HasBorder = 1;
        host->Show();
        if (c.zoomed) {
            chart.View().Zoom(1.6, {320.0, 240.0});
            chart.View().Pan(-40.0, 25.0);
            chart.RequestRender();
            host->Update();
        }
        const Picture window = CaptureWindow(chart.Hwnd());

        chart.CopyToClipboard();
        EXPECT_TRUE(chart.notices.empty());
        // The clipboard owns the bitmap: it stays when the chart goes.
        host.reset();
        const Picture copy = ReadFromOtherProcess();
        // The same chart as a metafile, played at twice the window's size.
        const Picture played = PlayFromOtherProcess(1280, 960);

        ASSERT_EQ(copy.width, 640);
        ASSERT_EQ(copy.height, 480);
        EXPECT_EQ(Differences(copy, window), 0);
        // Not two equal blanks: the chart's background, its border, the data
        // and, when visible, the caption over the background.
        EXPECT_GT(Count(copy, Rgb(kBackgroundTinted)), 640 * 480 / 10);
        EXPECT_EQ(copy.At(1, 240), Rgb(kBorder));
        EXPECT_GT(Count(copy, Rgb(kData)), 400);
        const int caption = CountNear(copy, Blend(kCaption, Rgb(kBackgroundTinted)));
        if (c.caption) EXPECT_GT(caption, 500);
        else EXPECT_EQ(caption, 0);

        ASSERT_EQ(played.width, 1280);
        int blocks = 0;
        const int apart = BlocksApart(window, played, &blocks);
        EXPECT_LT(apart, blocks / 100) << apart << " of " << blocks << " blocks differ from the window";
        // To look at it: HUMICHART_KEEP_PLAYED=<folder> keeps both as PPM.
        if (const char* keep = std::getenv("HUMICHART_KEEP_PLAYED")) {
            WritePpm(played, std::string(keep) + (c.zoomed ? "\\played_zoomed.ppm" : "\\played.ppm"));
            WritePpm(window, std::string(keep) + (c.zoomed ? "\\window_zoomed.ppm" : "\\window.ppm"));
        }
    }
}

// The chart's picture files: the PNG of the window's size has the window's
// pixels; one of another size is the chart a window of that size shows, drawn
// at that size and not stretched; the metafile plays back to the window's
// picture as the clipboard's does.
TEST_F(ClipboardTest, PictureFilesAreTheChartTheWindowShows) {
    const auto decorate = [](RecordingChart& chart) {
        render::AddDemoData(chart);
        chart.captionVisible = 1;
        chart.HasBorder = 1;
    };
    RecordingChart& chart = OpenRecording(640, 480);
    decorate(chart);
    host->Show();
    const Picture window = CaptureWindow(chart.Hwnd());
    const Picture png = DecodePng(chart.PictureFile(CIDWnd::PictureFormat::Png, 0, 0));
    ASSERT_EQ(png.width, 640);
    EXPECT_EQ(Differences(png, window), 0);
    EXPECT_GT(Count(png, Rgb(kData)), 400);
    const Picture played = PlayEmf(chart.PictureFile(CIDWnd::PictureFormat::Emf, 0, 0), 1280, 960);
    ASSERT_EQ(played.width, 1280);
    int blocks = 0;
    const int apart = BlocksApart(window, played, &blocks);
    EXPECT_LT(apart, blocks / 100) << apart << " of " << blocks << " blocks differ from the window";
    const Picture larger = DecodePng(chart.PictureFile(CIDWnd::PictureFormat::Png, 900, 700));

    RecordingChart& wide = OpenRecording(900, 700);
    decorate(wide);
    host->Show();
    ASSERT_EQ(larger.width, 900);
    ASSERT_EQ(larger.height, 700);
    EXPECT_EQ(Differences(larger, CaptureWindow(wide.Hwnd())), 0);
}

TEST_F(ClipboardTest, CopyBeforeAnyPaintIsTheChartTheFirstPaintShows) {
    RecordingChart& chart = OpenRecording(480, 360);
    render::AddDemoData(chart);
    ASSERT_EQ(chart.imageRebuilds, 0);
    chart.CopyToClipboard();
    EXPECT_TRUE(chart.notices.empty());
    EXPECT_EQ(chart.imageRebuilds, 1);

    ASSERT_TRUE(OpenClipboard(nullptr));
    const Picture copy = ReadBitmap(static_cast<HBITMAP>(GetClipboardData(CF_BITMAP)));
    CloseClipboard();
    // The paint that follows uses the image the copy rendered.
    Paint();
    EXPECT_EQ(chart.imageRebuilds, 1);
    EXPECT_EQ(Differences(copy, ReadSurface(*surface)), 0);
    EXPECT_GT(Count(copy, Rgb(kData)), 100);
}

TEST_F(ClipboardTest, ClipboardHeldByAnotherProgramGivesTheNoticeAndChangesNothing) {
    RecordingChart& chart = OpenRecording(320, 240);
    render::AddDemoData(chart);
    Paint();

    // Something of the user's own on the clipboard beforehand.
    const wchar_t kept[] = L"kept text";
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    HGLOBAL text = GlobalAlloc(GMEM_MOVEABLE, sizeof kept);
    memcpy(GlobalLock(text), kept, sizeof kept);
    GlobalUnlock(text);
    SetClipboardData(CF_UNICODETEXT, text);
    CloseClipboard();

    const std::wstring suffix = std::to_wstring(GetCurrentProcessId());
    const std::wstring readyName = L"HumichartClipboardReady" + suffix;
    const std::wstring releaseName = L"HumichartClipboardRelease" + suffix;
    HANDLE ready = CreateEventW(nullptr, TRUE, FALSE, readyName.c_str());
    HANDLE release = CreateEventW(nullptr, TRUE, FALSE, releaseName.c_str());
    std::wstring command = L"\"" + WindowsPath(CLIPBOARD_PROBE_EXE) + L"\" hold " + readyName + L" " + releaseName;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION holder{};
    ASSERT_TRUE(CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                               &holder));
    const bool held = WaitForSingleObject(ready, 30000) == WAIT_OBJECT_0;

    if (held) chart.CopyToClipboard();
    SetEvent(release);
    WaitForSingleObject(holder.hProcess, 30000);
    CloseHandle(holder.hThread);
    CloseHandle(holder.hProcess);
    CloseHandle(ready);
    CloseHandle(release);
    ASSERT_TRUE(held) << "the other program never opened the clipboard";

    ASSERT_EQ(chart.notices.size(), 1u);
    EXPECT_EQ(chart.notices[0].text, L"Can not open clipboard.");
    EXPECT_EQ(chart.notices[0].caption, L"Infomation");
    EXPECT_EQ(chart.notices[0].type, static_cast<UINT>(MB_OK | MB_ICONINFORMATION));

    ASSERT_TRUE(OpenClipboard(nullptr));
    EXPECT_FALSE(IsClipboardFormatAvailable(CF_BITMAP));
    const auto* still = static_cast<const wchar_t*>(GlobalLock(GetClipboardData(CF_UNICODETEXT)));
    EXPECT_TRUE(still && std::wstring(still) == kept);
    if (still) GlobalUnlock(GetClipboardData(CF_UNICODETEXT));
    CloseClipboard();
}

}  // namespace
}  // namespace humichart::test
