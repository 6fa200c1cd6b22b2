// Humistart's main window: the chart control from the template, kept filling
// the client area, with a menu bar over it, the document it shows (title,
// save question, recent files, dropped files), the window's place kept
// between runs, an About entry in the system menu and the application icon,
// drawn by hand while the window is minimised.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "CChartAutomation.h"
#include "CChartEventSink.h"
#include "CHumichartctl1.h"
#include "CHumistartDocument.h"
#include "CHumistartSettings.h"
#include "ControlDialog.h"
#include "IDocumentHost.h"

class CHumistartDlg : public CControlDialog, private IDocumentHost {
public:
    explicit CHumistartDlg(std::wstring settingsKey = CHumistartSettings::DefaultKey);
    ~CHumistartDlg() override;

    HICON Icon() const { return icon_; }
    CHumichartctl1& Chart() { return chart_; }
    CHumistartDocument& Document() { return document_; }

    // The program ends when this window goes.
    void EndRunWithWindow() { quitWithWindow_ = true; }
    // Once the window exists: brings back a maximised window as it was left,
    // and opens path when there is one (the command line's document).
    void Start(const std::wstring& path);
    // Offers a message of the program's loop to the menu bar's keys, the
    // chart and the dialog's keyboard navigation; true when one took it.
    bool PreTranslate(MSG& message);

protected:
    BOOL OnInitDialog() override;
    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    // IDocumentHost
    SaveAnswer AskToSave(const std::wstring& name) override;
    std::optional<std::wstring> AskSavePath(const std::wstring& suggested) override;
    std::optional<std::wstring> AskOpenPath() override;
    std::wstring SaveChart(const std::wstring& path) override;
    std::wstring OpenChart(const std::wstring& path) override;
    std::wstring ClearChart() override;
    void ShowError(const std::wstring& message) override;

    void OnCommand(UINT id);
    void OnDataChanged();
    void OnDropFiles(HDROP drop);
    void UpdateMenuStates();
    void ShowDocument();
    void CloseWindow();
    void ToggleFlag(const wchar_t* property);
    void RunChartCommand(long command);
    void SavePicture();
    void PaintMinimised();

    HICON icon_;  // a shared resource icon: the system frees it with the module
    HACCEL accelerators_ = nullptr;
    CHumichartctl1 chart_;
    CChartAutomation automation_;
    ComPtr<CChartEventSink> events_;
    CHumistartSettings settings_;
    CHumistartDocument document_;
    std::optional<WINDOWPLACEMENT> placement_;
    std::vector<std::wstring> savedRecent_;
    bool quitWithWindow_ = false;
};
