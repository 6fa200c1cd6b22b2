// The chart window: a child dialog that holds the chart data (it derives from
// CHumichartDataObj), its view, the cached chart image and the chart region.
// A paint rebuilds the image only when renderPending is set and draws the
// user's data over it every time.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "CAncestorMoves.h"
#include "CChartInteraction.h"
#include "CChartView.h"
#include "CDlgInput.h"
#include "CDlgParamQuery.h"
#include "CHumichartDataObj.h"
#include "ChartScene.h"
#include "DataLayer.h"
#include "ChartInteractionFlags.h"
#include "CScenePainter.h"
#include "DialogBase.h"
#include "GdiHandles.h"
#include "GdiplusSession.h"
#include "ICalcBinding.h"
#include "IChartDialogs.h"
#include "IChartDocument.h"
#include "IChartFocusObserver.h"
#include "NameEditorRules.h"

namespace humichart {

// Input reaches the chart through CChartInteraction, which decides; the
// window only feeds it messages and carries out the actions it answers with.
class CIDWnd : public CDialogBase,
               public CHumichartDataObj,
               public ChartInteractionFlags,
               public IChartDocument,
               private IChartInputPort,
               private INameEditorOwner {
public:
    // The calculator binding is the window's own; by default CalID objects
    // are created through COM.
    CIDWnd();
    explicit CIDWnd(std::unique_ptr<ICalcBinding> calc);
    ~CIDWnd() override;

    // Child window of parent from the chart window's dialog template.
    HWND Create(HWND parent) { return CDialogBase::Create(parent); }

    // The calculator binding every computation of the chart and its dialogs
    // opens its sessions from.
    ICalcBinding& Calc() override { return *m_calc; }
    // The dialogs the context menu opens (not owned; none: the commands do
    // nothing).
    void SetDialogs(IChartDialogs* dialogs) { m_dialogs = dialogs; }
    IChartDialogs* Dialogs() const { return m_dialogs; }

    CChartView& View() override { return m_view; }
    const CChartView& View() const { return m_view; }
    std::int32_t& renderPending() { return m_view.renderPending; }
    std::int32_t& viewResetPending() { return m_view.viewResetPending; }

    // Data commands.
    // Removes every point without a name, keeping the order of the others.
    void ClearNoNamePoints();
    // Asks first; answers whether the data was cleared.
    bool ClearAll();
    // View state back to its start, defaults restored, with clear the data
    // emptied too.
    void ResetChart(bool clear);

    // Repaints the whole window without erasing.
    void RequestRepaint() override;
    // The same, rebuilding the chart image first.
    void RequestRender() override;

    // Who hears of each change the user makes to the chart's data (a click
    // that places or names a point, a data key, a data command of the menu,
    // a dialog's OK or Apply that changed something); none: nobody. Changes
    // made through the window's public members (a host's) are not told.
    void SetUserChangeObserver(std::function<void()> observer) { m_userChangeObserver = std::move(observer); }
    void DataChangedByUser() override;

    // The context menu's commands, for hosts that offer them elsewhere: run
    // as if chosen from the menu (a modal dialog returns when it closes).
    // False for an id that is no command of the menu.
    bool RunCommand(unsigned id);
    // kCommandCanRun when a command could run now (the chart is not in a
    // dialog, menu or print of its own), kCommandChecked for "Move and zoom"
    // and "Show parameters" while on; -1 for an id that is no command.
    static constexpr int kCommandCanRun = 1;
    static constexpr int kCommandChecked = 2;
    int CommandState(unsigned id) const;
    // Whether the chart runs a modal dialog, menu or print of its own now:
    // the host's calls that would replace its data wait until it is done.
    bool Busy() const { return m_busy > 0; }

    // The paint pipeline onto any DC: rebuilds the image when renderPending,
    // copies update from it and draws the data over it. WM_PAINT uses it with
    // the window's paint DC; tests and pictures with a bitmap.
    void PaintInto(HDC dc, const RECT& update);
    // Rebuilds the cached image for dc; answers the calculator's status.
    Status RenderChartImage(HDC dc);
    // Border, CSSR region, points, processes and mix lines onto dc.
    Status DrawChartData(HDC dc);

    // The chart out of the window: a bitmap of the client area on the
    // clipboard, and one printed page through the system print dialog.
    void CopyToClipboard();
    void PrintChart();
    // Where on a printed page the chart goes, in hundredths of an inch from
    // the printable area's corner: the room it is fitted into (the whole
    // printable area when width and height are below 0).
    struct PrintFrame {
        double left = 0.0, top = 0.0;
        int width = -1, height = -1;
    };
    // Draws the chart on a printer DC between its start and end of page;
    // false when memory ran out and the page is not whole.
    bool RenderForPrint(HDC printer, const PrintFrame& frame);
    bool RenderForPrint(HDC printer);  // onto the whole printable area
    // The report (ReportLayout.h) printed straight to the printer named, or
    // through the print dialog owned by the host's window when printer is
    // empty. The spooler's document is named title (the report's default
    // title when empty). Failed with message a user can act on.
    enum class ReportOutcome { Printed, Cancelled, Failed };
    ReportOutcome PrintReport(const std::wstring& title, const std::wstring& printer, std::wstring& message);
    // The chart as the bytes of a picture file: a PNG rendered at width x
    // height pixels, or an enhanced metafile recorded as the clipboard's
    // copy of that size. Both 0: the window's size, and then what the window
    // shows (the PNG has its very pixels). Empty when it cannot be drawn.
    enum class PictureFormat { Png, Emf };
    std::vector<std::uint8_t> PictureFile(PictureFormat format, int width, int height);
    // The data layer onto a graphics whose page may be scaled (a printer
    // page), clipped to chartRegion as drawn on that graphics.
    Status DrawChartData(Gdiplus::Graphics& graphics, HRGN chartRegion);
    // What a printer DC tells of its page: the printable area in device
    // pixels, pixels per inch and colours (-1: more than a palette holds).
    // Virtual so that tests can print on pages of their own.
    // canBlend: it draws translucent colour over what is there already.
    struct PrinterPage {
        int width = 0, height = 0, dpiX = 0, dpiY = 0, colours = -1;
        bool canBlend = false;
    };
    virtual PrinterPage QueryPrinterPage(HDC printer) const;

    // Who hears of the chart's keyboard focus (not owned; none: nobody).
    void SetFocusObserver(IChartFocusObserver* observer) { m_focusObserver = observer; }
    // A key message for the chart or one of its popups, offered by the
    // control's container before its own dialog navigation. Answers whether
    // it was delivered here (translated and dispatched).
    bool TranslateKey(MSG& message);
    // "Show parameters": closes a visible parameter window, or opens it in
    // the chart's bottom-right corner, where it stays while the chart moves
    // and changes size.
    void ToggleParamWindow();

    CDlgParamQuery& ParamWindow() { return m_params; }
    CDlgInput& NameEditor() { return m_editor; }
    const CChartInteraction& Input() const { return m_input; }
    // The context menu (the menu resource's first sub-menu).
    HMENU ContextMenu() const;

    // The drawn chart area for hit tests; null before the first rebuild.
    HRGN ChartRegion() const { return m_chartRegion.Get(); }
    // The cached image (not selected anywhere between paints).
    HBITMAP ChartImage() const { return m_imageLayer.bitmap.Get(); }

    std::uint32_t dataIndex = 0;
    // Set while printing: WM_PAINT then leaves the window alone.
    std::int32_t paintSuppressed = 0;

    // What happened, for diagnostics and tests.
    long imageRebuilds = 0;
    long dataDraws = 0;
    Status lastRenderStatus = kStatusOk;
    Status lastDataStatus = kStatusOk;
    int fontFallbacks = 0;

protected:
    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    // A message box owned by the chart window; tests answer it themselves.
    virtual int AskUser(const wchar_t* text, const wchar_t* caption, UINT type);
    // Shows menu at the screen point and answers the chosen command (0 for
    // none); tests choose themselves.
    virtual UINT TrackMenu(HMENU menu, POINT screen);

private:
    void OnInit();
    void OnPaint();
    void ReleaseImage();
    // The chart of the last copy recorded as an enhanced metafile of the
    // window's size; null when there is none or it cannot be made.
    HENHMETAFILE RecordChartMetafile() const;
    // scene, and layer over it when given, recorded as an enhanced metafile
    // whose frame is the scene's size on this screen.
    HENHMETAFILE RecordMetafile(const ChartScene& scene, const DataLayer* layer) const;
    // Hands it to the clipboard when a program asks for it (the clipboard
    // open), or before the window goes while it still owns the clipboard.
    void RenderClipboardPicture();
    void RenderPendingClipboard();
    // RenderForPrint's page, with the window's view borrowed for it; false
    // when a band could not be drawn.
    bool DrawPrintedPage(HDC printer, const PrintFrame& frame);
    // The report's pages on a printer DC whose document has started; false
    // with message when it could not be drawn whole.
    bool PrintReportPages(HDC printer, const std::wstring& title, std::wstring& message);

    // The chart in a modal dialog, menu or print of its own for as long as
    // one of these lives.
    class BusyScope {
    public:
        explicit BusyScope(int& busy) : m_busy(busy) { ++m_busy; }
        BusyScope(const BusyScope&) = delete;
        BusyScope& operator=(const BusyScope&) = delete;
        ~BusyScope() { --m_busy; }

    private:
        int& m_busy;
    };
    // The input messages (answers whether message was one) and the end of
    // input when the window goes.
    bool HandleInput(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    void CloseInput();
    void Perform(const ChartActions& actions);
    // Runs change, then tells the observer when the data or the caption's
    // visibility differ from what they were.
    template <class Change>
    void AsUserChange(Change&& change);
    void ShowContextMenu(const ChartAction& menu);
    // The open parameter window into the chart's bottom-right corner.
    void PlaceParamWindow();
    MousePoint Position(LPARAM lParam) const;

    // IChartInputPort
    bool InChartRegion(int x, int y) const override;
    bool HasParamWindow() const override { return m_params.Hwnd() != nullptr; }
    bool IsCaptured() const override;
    ChartState OntoChart(ChartState state) override;
    // INameEditorOwner
    void OnNameEditorClosed(const std::wstring& text) override;

    std::unique_ptr<ICalcBinding> m_calc;
    IChartDialogs* m_dialogs = nullptr;
    CChartView m_view;
    std::unique_ptr<GdiplusSession> m_gdiplus;
    // A bitmap of the client's size and a memory DC to draw it with; the
    // bitmap is selected into the DC only while it is drawn or copied.
    struct ImageLayer {
        UniqueMemoryDC dc;
        UniqueBitmap bitmap;
        int width = 0, height = 0, depth = 0;
    };
    // What the backdrop layer shows: the background and the caption.
    struct BackdropKey {
        int width = 0, height = 0;
        bool fill = false;
        ArgbColor background = 0;
        bool hasCaption = false;
        SceneText caption;
        bool operator==(const BackdropKey&) const = default;
    };
    static BackdropKey Backdrop(const ChartScene& scene) {
        return {scene.clientWidth, scene.clientHeight, scene.fillBackground, scene.background,
                scene.hasCaption, scene.caption};
    }
    // The foreground tint for PaintChart, made again when the colour changes
    // or the client outgrows it.
    const TintLayer* TintFor(const ChartScene& scene, int width, int height);
    ImageLayer m_imageLayer;
    ImageLayer m_backdrop;
    ImageLayer m_tint;
    TintLayer m_tintLayer;
    BackdropKey m_backdropScene;
    int m_backdropFallbacks = 0;
    UniqueRegion m_chartRegion;
    // What the cached image was drawn from, for the copy as a metafile.
    ChartScene m_imageScene;
    // The chart of the last copy, while the clipboard still offers it as a
    // metafile not yet made.
    struct ClipboardPicture {
        ChartScene scene;
        DataLayer layer;
        bool hasData = false;
    };
    std::unique_ptr<ClipboardPicture> m_clipboardPicture;
    CChartInteraction m_input;
    CDlgParamQuery m_params;
    CAncestorMoves m_paramFollow;  // while the parameter window is open
    CDlgInput m_editor;
    PlacedPoint m_placed;  // the point the open name editor names
    struct MenuOwner {
        void operator()(HMENU menu) const { DestroyMenu(menu); }
    };
    std::unique_ptr<std::remove_pointer_t<HMENU>, MenuOwner> m_menu;
    IChartFocusObserver* m_focusObserver = nullptr;
    std::function<void()> m_userChangeObserver;
    int m_busy = 0;
};

}  // namespace humichart
