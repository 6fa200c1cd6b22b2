// The container with a control of the test's own, created from templates with
// and without initialisation data.
#include <olectl.h>

#include <algorithm>
#include <string>
#include <vector>

#include "LauncherTestSupport.h"
#include "TestResources.h"

namespace {

class ContainerTest : public OleTest {
protected:
    void SetUp() override {
        OleTest::SetUp();
        registration_ = std::make_unique<TestControlRegistration>();
        ASSERT_HRESULT_SUCCEEDED(registration_->Status());
    }
    void TearDown() override {
        registration_.reset();
        OleTest::TearDown();
    }

    static size_t IndexOf(const std::string& call) {
        const auto& calls = ControlLog().calls;
        return static_cast<size_t>(std::find(calls.begin(), calls.end(), call) - calls.begin());
    }

    std::unique_ptr<TestControlRegistration> registration_;
};

std::wstring ClassName(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

TEST_F(ContainerTest, ClassIdItemBecomesAnActiveControlInTemplatePlace) {
    TestDialog dialog(IDD_TEST_EXTENDED);
    HWND window = dialog.Create(nullptr);
    ASSERT_NE(window, nullptr) << std::hex << dialog.CreationStatus();

    HWND control = GetDlgItem(window, IDC_TEST_CONTROL);
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(control, ControlLog().window);
    EXPECT_EQ(ClassName(control), L"HumichartTestControl");
    EXPECT_TRUE(GetWindowLongPtrW(control, GWL_STYLE) & WS_VISIBLE);
    EXPECT_TRUE(GetWindowLongPtrW(control, GWL_STYLE) & WS_TABSTOP);

    // Tab order follows the template: text, control, button.
    EXPECT_EQ(GetWindow(control, GW_HWNDPREV), GetDlgItem(window, IDC_TEST_BEFORE));
    EXPECT_EQ(GetWindow(control, GW_HWNDNEXT), GetDlgItem(window, IDC_TEST_AFTER));

    RECT expected{10, 20, 110, 80};
    MapDialogRect(window, &expected);
    EXPECT_EQ(ChildRect(control), expected);
    EXPECT_GT(ControlLog().extent.cx, 0);
    EXPECT_GT(ControlLog().extent.cy, 0);

    const auto& calls = ControlLog().calls;
    EXPECT_LT(IndexOf("DoVerb -5"), IndexOf("DoVerb -1")) << "in-place activation, then show";
    EXPECT_NE(std::find(calls.begin(), calls.end(), "DoVerb -1"), calls.end());
}

TEST_F(ContainerTest, StreamDataReachesLoadAfterTheLicencePrefix) {
    TestDialog dialog(IDD_TEST_EXTENDED);
    ASSERT_NE(dialog.Create(nullptr), nullptr);
    const std::vector<BYTE> expected{1, 2, 3, 4, 5, 6, 7, 8};
    EXPECT_EQ(ControlLog().loaded, expected);
    EXPECT_EQ(ControlLog().streamStart.QuadPart, 0u);
    EXPECT_EQ(IndexOf("InitNew"), ControlLog().calls.size()) << "loaded controls are not also reset";
}

TEST_F(ContainerTest, ClientSiteComesBeforeLoadOnlyWhenTheControlAsks) {
    {
        TestDialog dialog(IDD_TEST_EXTENDED);
        ASSERT_NE(dialog.Create(nullptr), nullptr);
        EXPECT_LT(IndexOf("Load"), IndexOf("SetClientSite"));
        EXPECT_LT(IndexOf("SetClientSite"), IndexOf("DoVerb -5"));
    }
    ControlLog() = TestControlLog{};
    SetTestControlMiscStatus(OLEMISC_SETCLIENTSITEFIRST | OLEMISC_ACTIVATEWHENVISIBLE);
    {
        TestDialog dialog(IDD_TEST_EXTENDED);
        ASSERT_NE(dialog.Create(nullptr), nullptr);
        EXPECT_LT(IndexOf("SetClientSite"), IndexOf("Load"));
        EXPECT_EQ(std::count(ControlLog().calls.begin(), ControlLog().calls.end(), "SetClientSite"), 1);
    }
}

TEST_F(ContainerTest, AmbientPropertiesReachTheControl) {
    TestDialog dialog(IDD_TEST_EXTENDED);
    ASSERT_NE(dialog.Create(nullptr), nullptr);
    EXPECT_TRUE(ControlLog().sawUserMode);
    EXPECT_TRUE(ControlLog().userMode);
    EXPECT_TRUE(ControlLog().sawFont);
    EXPECT_FALSE(ControlLog().fontName.empty());

    CControlSite* site = dialog.Controls().Find(IDC_TEST_CONTROL);
    ASSERT_NE(site, nullptr);
    ComPtr<IDispatch> ambient;
    ASSERT_HRESULT_SUCCEEDED(site->QueryInterface(IID_IDispatch, ambient.PutVoid()));
    DISPPARAMS none{};
    VARIANT value;
    VariantInit(&value);
    ASSERT_HRESULT_SUCCEEDED(ambient->Invoke(DISPID_AMBIENT_LOCALEID, IID_NULL, 0, DISPATCH_PROPERTYGET, &none,
                                             &value, nullptr, nullptr));
    EXPECT_EQ(V_VT(&value), VT_I4);
    EXPECT_EQ(static_cast<LCID>(V_I4(&value)), GetUserDefaultLCID());
    EXPECT_EQ(ambient->Invoke(DISPID_AMBIENT_USERMODE, IID_NULL, 0, DISPATCH_METHOD, &none, &value, nullptr, nullptr),
              DISP_E_MEMBERNOTFOUND);
    EXPECT_EQ(ambient->Invoke(12345, IID_NULL, 0, DISPATCH_PROPERTYGET, &none, &value, nullptr, nullptr),
              DISP_E_MEMBERNOTFOUND);

    site->SetUserMode(false);
    EXPECT_FALSE(ControlLog().userMode) << "the control is told and reads the new value";
}

TEST_F(ContainerTest, PlainTemplateWithoutDataStartsTheControlFresh) {
    TestDialog dialog(IDD_TEST_PLAIN);
    HWND window = dialog.Create(nullptr);
    ASSERT_NE(window, nullptr) << std::hex << dialog.CreationStatus();
    HWND control = GetDlgItem(window, IDC_TEST_CONTROL);
    ASSERT_NE(control, nullptr);
    EXPECT_LT(IndexOf("InitNew"), ControlLog().calls.size());
    EXPECT_EQ(IndexOf("Load"), ControlLog().calls.size());
    EXPECT_FALSE(IsWindowVisible(control)) << "the item has no WS_VISIBLE";
    EXPECT_EQ(IndexOf("DoVerb -1"), ControlLog().calls.size());
}

TEST_F(ContainerTest, ClosingTheDialogClosesAndReleasesTheControl) {
    {
        TestDialog dialog(IDD_TEST_EXTENDED);
        HWND window = dialog.Create(nullptr);
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(ControlLog().live, 1);
        DestroyWindow(window);
        EXPECT_EQ(dialog.Hwnd(), nullptr);
        EXPECT_EQ(dialog.Controls().Count(), 0u);
    }
    EXPECT_EQ(ControlLog().live, 0);
    EXPECT_EQ(ControlLog().window, nullptr);
    const size_t deactivate = IndexOf("InPlaceDeactivate");
    const size_t close = IndexOf("Close");
    const size_t detach = IndexOf("SetClientSite null");
    ASSERT_LT(detach, ControlLog().calls.size());
    EXPECT_LT(deactivate, close);
    EXPECT_LT(close, detach);
}

TEST_F(ContainerTest, MovedControlKeepsItsWindowExtentAndObjectRectInStep) {
    TestDialog dialog(IDD_TEST_EXTENDED);
    HWND window = dialog.Create(nullptr);
    ASSERT_NE(window, nullptr);
    const SIZEL before = ControlLog().extent;
    const RECT target{5, 7, 305, 207};
    ASSERT_HRESULT_SUCCEEDED(dialog.Controls().MoveControl(IDC_TEST_CONTROL, target, false));
    EXPECT_EQ(ChildRect(GetDlgItem(window, IDC_TEST_CONTROL)), target);
    EXPECT_EQ(ControlLog().objectRect, target);
    EXPECT_NE(ControlLog().extent.cx, before.cx);
    EXPECT_NEAR(static_cast<double>(ControlLog().extent.cx) / ControlLog().extent.cy, 300.0 / 200.0, 0.01);
    EXPECT_EQ(dialog.Controls().MoveControl(4242, target, false), E_INVALIDARG);
}

// Watches this thread's windows while it lives: whether a window of the given
// caption was ever shown, seen as it happens rather than after the fact; one
// that shows is cancelled.
class ShowWatch {
public:
    explicit ShowWatch(const wchar_t* caption) {
        caption_ = caption;
        shown_ = false;
        hook_ = SetWindowsHookExW(WH_CALLWNDPROCRET, Seen, nullptr, GetCurrentThreadId());
    }
    ~ShowWatch() { UnhookWindowsHookEx(hook_); }
    ShowWatch(const ShowWatch&) = delete;
    ShowWatch& operator=(const ShowWatch&) = delete;
    bool Hooked() const { return hook_ != nullptr; }
    bool Shown() const { return shown_; }

private:
    static LRESULT CALLBACK Seen(int code, WPARAM wParam, LPARAM lParam) {
        const auto* call = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
        if (code == HC_ACTION && (call->message == WM_SHOWWINDOW || call->message == WM_WINDOWPOSCHANGED) &&
            IsWindowVisible(call->hwnd)) {
            wchar_t text[64] = {};
            GetWindowTextW(call->hwnd, text, 64);
            if (caption_ == text && !shown_) {
                shown_ = true;
                // A modal one that should never have appeared must not hang the test.
                PostMessageW(call->hwnd, WM_COMMAND, IDCANCEL, 0);
            }
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }
    static inline std::wstring caption_;
    static inline bool shown_ = false;
    HHOOK hook_ = nullptr;
};

TEST_F(ContainerTest, ControlThatCannotBeCreatedLeavesNoDialog) {
    ShowWatch watch(L"Unregistered control test");
    ASSERT_TRUE(watch.Hooked());
    TestDialog modeless(IDD_TEST_UNREGISTERED);
    EXPECT_EQ(modeless.Create(nullptr), nullptr);
    EXPECT_EQ(modeless.CreationStatus(), REGDB_E_CLASSNOTREG);

    // A modal run ends before anything is shown, and the caller is told.
    TestDialog modal(IDD_TEST_UNREGISTERED);
    EXPECT_EQ(modal.DoModal(nullptr), -1);
    EXPECT_EQ(modal.CreationStatus(), REGDB_E_CLASSNOTREG);
    EXPECT_FALSE(watch.Shown());
}

TEST_F(ContainerTest, DamagedInitialisationDataFailsTheDialog) {
    // Not started from its defaults as if the template had no data for it.
    ShowWatch watch(L"Damaged data test");
    TestDialog modeless(IDD_TEST_DAMAGED_INIT);
    EXPECT_EQ(modeless.Create(nullptr), nullptr);
    EXPECT_EQ(modeless.CreationStatus(), E_INVALIDARG);
    TestDialog modal(IDD_TEST_DAMAGED_INIT);
    EXPECT_EQ(modal.DoModal(nullptr), -1);
    EXPECT_EQ(modal.CreationStatus(), E_INVALIDARG);
    EXPECT_FALSE(watch.Shown());
    EXPECT_TRUE(ControlLog().calls.empty());
}

// An in-place active object of the test's own: it keeps Enter and lets every
// other key go, and remembers what it was offered.
class KeyTaker final : public IOleInPlaceActiveObject {
public:
    std::vector<WPARAM> offered;
    STDMETHODIMP QueryInterface(REFIID riid, void** out) override {
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IOleWindow) ||
            IsEqualIID(riid, IID_IOleInPlaceActiveObject)) {
            *out = this;
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP GetWindow(HWND*) override { return E_NOTIMPL; }
    STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP TranslateAccelerator(LPMSG message) override {
        if (message->message != WM_KEYDOWN) return S_FALSE;
        offered.push_back(message->wParam);
        return message->wParam == VK_RETURN ? S_OK : S_FALSE;
    }
    STDMETHODIMP OnFrameWindowActivate(BOOL) override { return S_OK; }
    STDMETHODIMP OnDocWindowActivate(BOOL) override { return S_OK; }
    STDMETHODIMP ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, BOOL) override { return S_OK; }
    STDMETHODIMP EnableModeless(BOOL) override { return S_OK; }
};

struct KeyRun {
    TestDialog* dialog = nullptr;
    KeyTaker taker;
    int tick = 0;
    bool openAfterEnter = false;
};
KeyRun g_keys;

void CALLBACK PressKeys(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND window = g_keys.dialog->Hwnd();
    if (!window) return;
    HWND control = GetDlgItem(window, IDC_TEST_CONTROL);
    switch (g_keys.tick++) {
    case 0:
        g_keys.dialog->Controls().Find(IDC_TEST_CONTROL)->SetActiveObject(&g_keys.taker, nullptr);
        PostMessageW(control, WM_KEYDOWN, VK_RETURN, 1);
        break;
    case 1:
        g_keys.openAfterEnter = IsWindowVisible(window) != FALSE;
        PostMessageW(control, WM_KEYDOWN, VK_ESCAPE, 1);
        break;
    default:
        KillTimer(nullptr, timer);
        PostMessageW(window, WM_CLOSE, 0, 0);  // should Esc have done nothing
        break;
    }
}

TEST_F(ContainerTest, ModalLoopOffersKeysToTheActiveControlBeforeTheDialog) {
    TestDialog dialog(IDD_TEST_PLAIN);
    g_keys = KeyRun{};
    g_keys.dialog = &dialog;
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, PressKeys);
    // Enter is the control's and does not end the dialog; Esc it lets go,
    // and the dialog's navigation ends the dialog with it.
    EXPECT_EQ(dialog.DoModal(nullptr), IDCANCEL);
    KillTimer(nullptr, timer);
    EXPECT_TRUE(g_keys.openAfterEnter);
    EXPECT_EQ(g_keys.taker.offered, (std::vector<WPARAM>{VK_RETURN, VK_ESCAPE}));
    EXPECT_EQ(g_keys.tick, 2) << "Esc ended it";
}

}  // namespace
