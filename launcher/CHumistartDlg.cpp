#include "CHumistartDlg.h"

#include <shellapi.h>
#include <shlwapi.h>

#include <algorithm>
#include <iterator>
#include <string>

#include "CAboutDlg.h"
#include "FileDialog.h"
#include "HumistartResource.h"
#include "ModuleInstance.h"
#include "ResourceString.h"
#include "UniqueBstr.h"

namespace {

// The View menu's display flags and the chart properties behind them.
struct FlagItem {
    UINT id;
    const wchar_t* property;
};
constexpr FlagItem kFlagItems[] = {
    {ID_VIEW_TLINE, L"HasTLine"},
    {ID_VIEW_DLINE, L"HasDLine"},
    {ID_VIEW_ILINE, L"HasILine"},
    {ID_VIEW_FLINE, L"HasFLine"},
    {ID_VIEW_PROCESS_NAMES, L"HasProcessLineName"},
    {ID_VIEW_FRAME, L"HasBorder"},
    {ID_VIEW_BACKGROUND, L"HasBackground"},
    {ID_VIEW_FOREGROUND, L"HasForeground"},
};

// Items that run one of the chart's context-menu commands, by its own id.
constexpr UINT kChartCommandItems[] = {ID_CHART_COPY,       ID_CHART_MOVE_AND_ZOOM, ID_CHART_SHOW_PARAMETERS,
                                       ID_CHART_SUPPLY_AIR, ID_CHART_FRESH_AIR,     ID_CHART_DEW_POINT_SUPPLY};

constexpr UINT kRecentSeparator = ID_FILE_RECENT_FIRST + ID_FILE_RECENT_COUNT;
constexpr wchar_t kCaption[] = L"Humistart";

bool IsChartCommand(UINT id) {
    return std::find(std::begin(kChartCommandItems), std::end(kChartCommandItems), id) != std::end(kChartCommandItems);
}

std::wstring FullPath(const std::wstring& path) {
    std::wstring full(32768, L'\0');
    const DWORD length = GetFullPathNameW(path.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    if (length == 0 || length >= full.size()) return path;
    full.resize(length);
    return full;
}

// A recent document's menu text: its number as the access key, the path
// shortened to a menu's width, ampersands shown as such.
std::wstring RecentItemText(size_t index, const std::wstring& path) {
    wchar_t shortened[MAX_PATH] = {};
    if (!PathCompactPathExW(shortened, path.c_str(), 60, 0)) lstrcpynW(shortened, path.c_str(), MAX_PATH);
    std::wstring text = L"&" + std::to_wstring(index + 1) + L" ";
    for (const wchar_t* c = shortened; *c; ++c) {
        if (*c == L'&') text.push_back(L'&');
        text.push_back(*c);
    }
    return text;
}

std::wstring WithoutExtension(const std::wstring& name) {
    const size_t dot = name.find_last_of(L'.');
    return dot == std::wstring::npos || dot == 0 ? name : name.substr(0, dot);
}

}  // namespace

CHumistartDlg::CHumistartDlg(std::wstring settingsKey)
    : CControlDialog(ThisModuleInstance(), IDD_HUMISTART_DIALOG),
      icon_(LoadIconW(ThisModuleInstance(), MAKEINTRESOURCEW(IDR_MAINFRAME))),
      settings_(std::move(settingsKey)),
      document_(*this, humichart::LoadResourceString(IDS_UNTITLED), CRecentFiles(settings_.LoadRecent())),
      savedRecent_(document_.Recent().Paths()) {}

CHumistartDlg::~CHumistartDlg() {
    if (events_) events_->Disconnect();
}

BOOL CHumistartDlg::OnInitDialog() {
    chart_.Bind(Hwnd(), IDC_HUMICHARTCTL1, Controls());
    if (CControlSite* site = Controls().Find(IDC_HUMICHARTCTL1); site && site->Control()) {
        ComPtr<IDispatch> chart;
        if (SUCCEEDED(site->Control()->QueryInterface(IID_IDispatch, chart.PutVoid()))) automation_.Attach(chart.Get());
        events_ = CChartEventSink::Create([this] { OnDataChanged(); });
        if (events_) events_->Connect(site->Control());
    }
    accelerators_ = LoadAcceleratorsW(Instance(), MAKEINTRESOURCEW(IDR_HUMISTART_ACCELERATORS));

    // LoadString with a zero length hands out a read-only pointer into the
    // string table, with no copy to free.
    const wchar_t* text = nullptr;
    const int length = LoadStringW(Instance(), IDS_ABOUTBOX, reinterpret_cast<LPWSTR>(&text), 0);
    HMENU systemMenu = GetSystemMenu(Hwnd(), FALSE);
    if (systemMenu && text && length > 0) {
        const std::wstring about(text, static_cast<size_t>(length));
        AppendMenuW(systemMenu, MF_SEPARATOR, 0, nullptr);
        AppendMenuW(systemMenu, MF_STRING, IDM_ABOUTBOX, about.c_str());
    }
    SendMessageW(Hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
    SendMessageW(Hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon_));

    // Where the user left the window, while it is still hidden; a maximised
    // window is maximised once shown (Start).
    placement_ = settings_.LoadPlacement();
    if (placement_) {
        WINDOWPLACEMENT hidden = *placement_;
        hidden.showCmd = SW_HIDE;
        hidden.flags = 0;
        SetWindowPlacement(Hwnd(), &hidden);
    }
    ShowDocument();
    return TRUE;
}

void CHumistartDlg::Start(const std::wstring& path) {
    if (!Hwnd()) return;
    if (placement_ && (placement_->showCmd == SW_SHOWMAXIMIZED ||
                       (placement_->showCmd == SW_SHOWMINIMIZED && (placement_->flags & WPF_RESTORETOMAXIMIZED))))
        ShowWindow(Hwnd(), SW_SHOWMAXIMIZED);
    if (!path.empty()) {
        document_.OpenPath(FullPath(path), false);
        ShowDocument();
    }
}

bool CHumistartDlg::PreTranslate(MSG& message) {
    if (!Hwnd()) return false;
    // The menu bar's keys for the window and its children only: the chart's
    // popups (the name editor, "Point status") keep their keys.
    if (accelerators_ && (message.hwnd == Hwnd() || IsChild(Hwnd(), message.hwnd)) &&
        TranslateAcceleratorW(Hwnd(), accelerators_, &message))
        return true;
    if (Controls().TranslateAccelerator(message)) return true;
    return IsDialogMessageW(Hwnd(), &message) != FALSE;
}

// ---------------------------------------------------------------------------
// The document's questions and the chart's work.

SaveAnswer CHumistartDlg::AskToSave(const std::wstring& name) {
    std::wstring question = humichart::LoadResourceString(IDS_SAVE_CHANGES);
    const size_t at = question.find(L"%s");
    if (at != std::wstring::npos) question.replace(at, 2, name);
    switch (MessageBoxW(Hwnd(), question.c_str(), kCaption, MB_YESNOCANCEL | MB_ICONWARNING | MB_DEFBUTTON1)) {
        case IDYES:
            return SaveAnswer::Yes;
        case IDNO:
            return SaveAnswer::No;
        default:
            return SaveAnswer::Cancel;
    }
}

std::optional<std::wstring> CHumistartDlg::AskSavePath(const std::wstring& suggested) {
    return AskForPath(Hwnd(), FileDialogKind::Save, IDS_DOCUMENT_FILTER, L"xls", suggested);
}

std::optional<std::wstring> CHumistartDlg::AskOpenPath() {
    return AskForPath(Hwnd(), FileDialogKind::Open, IDS_DOCUMENT_FILTER, L"xls", document_.Path());
}

std::wstring CHumistartDlg::SaveChart(const std::wstring& path) {
    const UniqueBstr text(path);
    return SUCCEEDED(automation_.Call(L"SaveDocument", {CChartAutomation::Text(text.Get())})) ? L""
                                                                                              : automation_.Error();
}

std::wstring CHumistartDlg::OpenChart(const std::wstring& path) {
    const UniqueBstr text(path);
    return SUCCEEDED(automation_.Call(L"OpenDocument", {CChartAutomation::Text(text.Get())})) ? L""
                                                                                              : automation_.Error();
}

std::wstring CHumistartDlg::ClearChart() {
    // The chart as a fresh start shows it: default flags, pressure, range and
    // caption, no data, the view reset.
    return SUCCEEDED(automation_.Call(L"Reset", {})) ? L"" : automation_.Error();
}

void CHumistartDlg::ShowError(const std::wstring& message) {
    MessageBoxW(Hwnd(), message.c_str(), kCaption, MB_OK | MB_ICONERROR);
}

// ---------------------------------------------------------------------------

void CHumistartDlg::OnDataChanged() {
    if (document_.Changed()) return;
    document_.MarkChanged();
    ShowDocument();
}

// The title, and the recent documents in the File menu (and the registry).
void CHumistartDlg::ShowDocument() {
    SetWindowTextW(Hwnd(), document_.Title().c_str());
    const auto& recent = document_.Recent().Paths();
    if (recent != savedRecent_) {
        settings_.SaveRecent(recent);
        savedRecent_ = recent;
    }
    HMENU bar = GetMenu(Hwnd());
    HMENU file = bar ? GetSubMenu(bar, 0) : nullptr;
    if (!file) return;
    for (UINT id = ID_FILE_RECENT_FIRST; id <= kRecentSeparator; ++id) DeleteMenu(file, id, MF_BYCOMMAND);
    if (recent.empty()) return;
    // Between the last group and Exit.
    int exit = GetMenuItemCount(file) - 1;
    while (exit > 0 && GetMenuItemID(file, exit) != ID_FILE_EXIT) --exit;
    for (size_t index = 0; index < recent.size(); ++index)
        InsertMenuW(file, static_cast<UINT>(exit + index), MF_BYPOSITION | MF_STRING, ID_FILE_RECENT_FIRST + index,
                    RecentItemText(index, recent[index]).c_str());
    InsertMenuW(file, static_cast<UINT>(exit + recent.size()), MF_BYPOSITION | MF_SEPARATOR, kRecentSeparator, nullptr);
}

void CHumistartDlg::UpdateMenuStates() {
    HMENU bar = GetMenu(Hwnd());
    if (!bar) return;
    for (const FlagItem& item : kFlagItems)
        CheckMenuItem(bar, item.id, MF_BYCOMMAND | (automation_.Flag(item.property) ? MF_CHECKED : MF_UNCHECKED));
    for (UINT id : kChartCommandItems) {
        const long state = automation_.CommandState(static_cast<long>(id));
        EnableMenuItem(bar, id, MF_BYCOMMAND | ((state & 1) ? MF_ENABLED : MF_GRAYED));
        CheckMenuItem(bar, id, MF_BYCOMMAND | ((state & 2) ? MF_CHECKED : MF_UNCHECKED));
    }
}

void CHumistartDlg::ToggleFlag(const wchar_t* property) {
    const bool now = automation_.Flag(property);
    if (FAILED(automation_.Put(property, CChartAutomation::Bool(!now)))) {
        ShowError(automation_.Error());
        return;
    }
    // A host's change fires no event: the document marks it itself.
    OnDataChanged();
}

void CHumistartDlg::RunChartCommand(long command) {
    if (FAILED(automation_.Call(L"ExecuteCommand", {CChartAutomation::Long(command)}))) ShowError(automation_.Error());
}

void CHumistartDlg::SavePicture() {
    const std::wstring& path = document_.Path();
    const size_t slash = path.find_last_of(L"\\/");
    const std::wstring suggested = (slash == std::wstring::npos ? std::wstring() : path.substr(0, slash + 1)) +
                                   WithoutExtension(document_.Name()) + L".png";
    const auto chosen = AskForPath(Hwnd(), FileDialogKind::Save, IDS_PICTURE_FILTER, L"png", suggested);
    if (!chosen) return;
    const UniqueBstr text(*chosen);
    if (FAILED(automation_.Call(L"SavePicture", {CChartAutomation::Text(text.Get())}))) ShowError(automation_.Error());
}

void CHumistartDlg::OnCommand(UINT id) {
    if (id >= ID_FILE_RECENT_FIRST && id < ID_FILE_RECENT_FIRST + ID_FILE_RECENT_COUNT) {
        const auto& recent = document_.Recent().Paths();
        const size_t index = id - ID_FILE_RECENT_FIRST;
        if (index < recent.size()) {
            document_.OpenPath(recent[index], true);
            ShowDocument();
        }
        return;
    }
    for (const FlagItem& item : kFlagItems) {
        if (item.id == id) return ToggleFlag(item.property);
    }
    if (IsChartCommand(id)) return RunChartCommand(static_cast<long>(id));
    switch (id) {
        case ID_FILE_NEW:
            document_.New();
            break;
        case ID_FILE_OPEN:
            document_.Open();
            break;
        case ID_FILE_SAVE:
            document_.Save();
            break;
        case ID_FILE_SAVE_AS:
            document_.SaveAs();
            break;
        case ID_FILE_SAVE_PICTURE:
            SavePicture();
            return;
        case ID_FILE_PRINT_REPORT: {
            const UniqueBstr title(document_.Name());
            if (FAILED(automation_.Call(L"PrintReport", {CChartAutomation::Text(title.Get())})))
                ShowError(automation_.Error());
            return;
        }
        case ID_HELP_ABOUT:
            CAboutDlg().DoModal(Hwnd());
            return;
        case ID_FILE_EXIT:
        case IDOK:
        case IDCANCEL:
            // Enter and Esc reach the window itself only when the chart does not
            // hold the focus; they end it, as they always have, but not past the
            // save question.
            CloseWindow();
            return;
        default:
            return;
    }
    ShowDocument();
}

void CHumistartDlg::CloseWindow() {
    if (!document_.QueryClose()) return;
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    if (GetWindowPlacement(Hwnd(), &placement)) settings_.SavePlacement(placement);
    EndDialog(IDCANCEL);
}

void CHumistartDlg::OnDropFiles(HDROP drop) {
    std::wstring path;
    if (DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0) > 0) {
        const UINT length = DragQueryFileW(drop, 0, nullptr, 0);
        path.resize(length + 1);
        DragQueryFileW(drop, 0, path.data(), length + 1);
        path.resize(length);
    }
    DragFinish(drop);
    if (path.empty()) return;
    SetForegroundWindow(Hwnd());
    document_.OpenPath(FullPath(path), true);
    ShowDocument();
}

void CHumistartDlg::PaintMinimised() {
    PAINTSTRUCT paint{};
    HDC dc = BeginPaint(Hwnd(), &paint);
    SendMessageW(Hwnd(), WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    RECT client{};
    GetClientRect(Hwnd(), &client);
    const int x = (client.right - client.left - GetSystemMetrics(SM_CXICON) + 1) / 2;
    const int y = (client.bottom - client.top - GetSystemMetrics(SM_CYICON) + 1) / 2;
    DrawIcon(dc, x, y, icon_);
    EndPaint(Hwnd(), &paint);
}

bool CHumistartDlg::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
        case WM_COMMAND:
            OnCommand(LOWORD(wParam));
            result = 0;
            return true;
        case WM_CLOSE:
            CloseWindow();
            result = 0;
            return true;
        case WM_QUERYENDSESSION:
            result = document_.QueryClose() ? TRUE : FALSE;
            return true;
        case WM_INITMENUPOPUP:
            if (HIWORD(lParam)) return false;  // the system menu
            UpdateMenuStates();
            result = 0;
            return true;
        case WM_DROPFILES:
            OnDropFiles(reinterpret_cast<HDROP>(wParam));
            result = 0;
            return true;
        case WM_DESTROY:
            // Before the chart goes with the dialog's controls.
            if (events_) events_->Disconnect();
            automation_.Detach();
            if (quitWithWindow_) PostQuitMessage(0);
            return false;
        case WM_SYSCOMMAND:
            if ((wParam & 0xFFF0) != IDM_ABOUTBOX) return false;
            CAboutDlg().DoModal(Hwnd());
            result = 0;
            return true;
        case WM_PAINT:
            if (!IsIconic(Hwnd())) return false;
            PaintMinimised();
            result = 0;
            return true;
        case WM_QUERYDRAGICON:
            result = reinterpret_cast<LRESULT>(icon_);
            return true;
        case 0x02E0: {  // WM_DPICHANGED, hidden by older headers
            // Moved to a monitor of another scale: the rectangle Windows suggests
            // keeps the window's physical size and its place under the cursor.
            // Not handled, so that the dialog manager goes on to rescale the
            // controls and their fonts.
            const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
            SetWindowPos(Hwnd(), nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                         suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
            return false;
        }
        case WM_SIZE:
            // Not handled, so the dialog manager's own treatment follows.
            chart_.MoveWindow(0, 0, LOWORD(lParam), HIWORD(lParam), false);
            return false;
        default:
            return CControlDialog::HandleMessage(message, wParam, lParam, result);
    }
}
