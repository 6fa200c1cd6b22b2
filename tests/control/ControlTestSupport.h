// What the control tests share: an apartment, objects of the test's own
// made and owned, and the control hosted in the test's container window.
#pragma once

#include <windows.h>
#include <ole2.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "ComPtr.h"
#include "EventSink.h"
#include "Humicalc_h.h"
#include "Humichart_h.h"
#include "TestSite.h"
#include "UniqueBstr.h"

// A COM object of the test's own: owner keeps it alive, the pointer reaches
// its members.
template <class T>
T* MakeObject(ComPtr<IUnknown>& owner) {
    T* object = new T(nullptr);
    owner = ComPtr<IUnknown>::Attach(object->InnerUnknown());
    return object;
}

inline ComPtr<IHumichartCtl> CreateChart() {
    ComPtr<IHumichartCtl> chart;
    CoCreateInstance(CLSID_HumichartCtl, nullptr, CLSCTX_INPROC_SERVER, IID_IHumichartCtl, chart.PutVoid());
    return chart;
}

// The saturation humidity ratio at enthalpy I, from the calculator itself.
inline double SaturationAt(double I, double pressure = 101325.0) {
    ComPtr<ICalID> calc;
    if (FAILED(CoCreateInstance(CLSID_CalID, nullptr, CLSCTX_INPROC_SERVER, IID_ICalID, calc.PutVoid()))) return 0;
    double d = 0;
    calc->SetInit(pressure);
    calc->ID_D_I_F(I, 1.0, &d);
    return d;
}

// The control keeps its slots under the user's application-data folder.
// While one of these lives, that folder is one of the tests' own, beside the
// test program, so that no test leaves slots where the user's are; the
// folder's real setting comes back at the end.
class TestAppData {
public:
    // name: the folder beside the test program; tests that clean up after
    // themselves while others' slots must stay take one of their own.
    explicit TestAppData(const wchar_t* name = L"test-appdata") {
        wchar_t program[MAX_PATH] = {};
        GetModuleFileNameW(nullptr, program, MAX_PATH);
        folder_ = std::filesystem::path(program).parent_path() / name;
        std::error_code error;
        std::filesystem::create_directories(folder_, error);
        if (RegOpenKeyExW(HKEY_CURRENT_USER, kKey, 0, KEY_READ | KEY_SET_VALUE, &key_) != ERROR_SUCCESS) {
            key_ = nullptr;
            return;
        }
        DWORD size = sizeof saved_;
        had_ = RegQueryValueExW(key_, L"AppData", nullptr, &type_, reinterpret_cast<BYTE*>(saved_), &size) ==
               ERROR_SUCCESS;
        savedSize_ = size;
        const std::wstring path = folder_.wstring();
        RegSetValueExW(key_, L"AppData", 0, REG_SZ, reinterpret_cast<const BYTE*>(path.c_str()),
                       static_cast<DWORD>((path.size() + 1) * sizeof(wchar_t)));
    }
    ~TestAppData() {
        if (!key_) return;
        if (had_) RegSetValueExW(key_, L"AppData", 0, type_, reinterpret_cast<const BYTE*>(saved_), savedSize_);
        else RegDeleteValueW(key_, L"AppData");
        RegCloseKey(key_);
    }
    TestAppData(const TestAppData&) = delete;
    TestAppData& operator=(const TestAppData&) = delete;

    const std::filesystem::path& Folder() const { return folder_; }
    // Everything the tests kept there, gone.
    void Clean() const {
        std::error_code error;
        std::filesystem::remove_all(folder_ / L"Humichart", error);
    }

private:
    static constexpr const wchar_t* kKey = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";
    std::filesystem::path folder_;
    HKEY key_ = nullptr;
    bool had_ = false;
    DWORD type_ = REG_EXPAND_SZ;
    wchar_t saved_[MAX_PATH * 2] = {};
    DWORD savedSize_ = 0;
};

class ControlTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_HRESULT_SUCCEEDED(OleInitialize(nullptr)); }
    void TearDown() override { OleUninitialize(); }

    TestAppData appData_;
};

// The control in the test's container: created, optionally loaded and
// listened to, then activated in place in a 640 x 480 window.
class HostedControlTest : public ControlTest {
protected:
    void SetUp() override {
        ControlTest::SetUp();
        window_ = CreateWindowExW(0, L"STATIC", L"host", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, 0, 700, 560,
                                  nullptr, nullptr, nullptr, nullptr);
        ASSERT_TRUE(window_);
        site_ = MakeObject<CTestSite>(siteOwner_);
        site_->window = window_;
        sink_ = MakeObject<CEventSink>(sinkOwner_);
        chart_ = CreateChart();
        ASSERT_TRUE(chart_);
        ASSERT_HRESULT_SUCCEEDED(chart_.As(object_));
        ASSERT_HRESULT_SUCCEEDED(object_->SetClientSite(site_));
        ComPtr<IConnectionPointContainer> points;
        ASSERT_HRESULT_SUCCEEDED(chart_.As(points));
        ASSERT_HRESULT_SUCCEEDED(points->FindConnectionPoint(DIID__IHumichartCtlEvents, events_.Put()));
        ASSERT_HRESULT_SUCCEEDED(events_->Advise(static_cast<IDispatch*>(sink_), &cookie_));
    }

    HRESULT Activate() {
        return object_->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, site_, 0, window_, &site_->rect);
    }

    void TearDown() override {
        if (object_) {
            object_->Close(OLECLOSE_NOSAVE);
            object_->SetClientSite(nullptr);
        }
        if (events_) events_->Unadvise(cookie_);
        events_.Reset();
        object_.Reset();
        chart_.Reset();
        if (window_) DestroyWindow(window_);
        ControlTest::TearDown();
    }

    // The control's window, once active.
    HWND ControlWindow() {
        ComPtr<IOleInPlaceObject> inPlace;
        HWND window = nullptr;
        if (SUCCEEDED(object_.As(inPlace))) inPlace->GetWindow(&window);
        return window;
    }

    HWND window_ = nullptr;
    ComPtr<IUnknown> siteOwner_, sinkOwner_;
    CTestSite* site_ = nullptr;
    CEventSink* sink_ = nullptr;
    ComPtr<IHumichartCtl> chart_;
    ComPtr<IOleObject> object_;
    ComPtr<IConnectionPoint> events_;
    DWORD cookie_ = 0;
};

// An active chart, ready for data methods.
class ActiveChartTest : public HostedControlTest {
protected:
    void SetUp() override {
        HostedControlTest::SetUp();
        ASSERT_HRESULT_SUCCEEDED(Activate());
    }
    ULONG Points() {
        ULONG n = 0;
        EXPECT_HRESULT_SUCCEEDED(chart_->PointCount(&n));
        return n;
    }
    std::wstring PointName(ULONG index) {
        double i = 0, d = 0;
        UniqueBstr name;
        EXPECT_HRESULT_SUCCEEDED(chart_->GetPoint(index, &i, &d, name.Put()));
        return std::wstring(name.View());
    }
};

// A BSTR argument for the duration of one call.
inline UniqueBstr Bstr(const wchar_t* text) { return UniqueBstr(text); }
