// Humistart's document rules against a scripted window: what is asked, what
// the chart is told to do, and what the document is afterwards, for New,
// Open, Save, Save As and closing, with every answer a user can give and every
// step that can fail. The recent list and the settings kept in the registry.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "CHumistartDocument.h"
#include "CHumistartSettings.h"
#include "CRecentFiles.h"

namespace {

// What the user answers and where the chart fails; by default every question
// is cancelled and the chart does all it is asked.
struct Script {
    SaveAnswer answer = SaveAnswer::Cancel;
    std::optional<std::wstring> savePath;
    std::optional<std::wstring> openPath;
    std::wstring saveError, openError, clearError;

    Script& Answer(SaveAnswer a) {
        answer = a;
        return *this;
    }
    Script& SaveAs(const std::wstring& path) {
        savePath = path;
        return *this;
    }
    Script& OpenFile(const std::wstring& path) {
        openPath = path;
        return *this;
    }
    Script& SaveFails(const std::wstring& why) {
        saveError = why;
        return *this;
    }
    Script& OpenFails(const std::wstring& why) {
        openError = why;
        return *this;
    }
    Script& ClearFails(const std::wstring& why) {
        clearError = why;
        return *this;
    }
};

class ScriptedHost : public IDocumentHost {
public:
    explicit ScriptedHost(Script script) : script_(std::move(script)) {}
    // Until then the chart does all it is asked and nothing is written down.
    bool live = false;
    std::wstring log;

    SaveAnswer AskToSave(const std::wstring& name) override {
        Note(L"ask " + name);
        return script_.answer;
    }
    std::optional<std::wstring> AskSavePath(const std::wstring& suggested) override {
        Note(L"save-as " + suggested);
        return script_.savePath;
    }
    std::optional<std::wstring> AskOpenPath() override {
        Note(L"open?");
        return script_.openPath;
    }
    std::wstring SaveChart(const std::wstring& path) override {
        Note(L"save " + path);
        return live ? script_.saveError : L"";
    }
    std::wstring OpenChart(const std::wstring& path) override {
        Note(L"open " + path);
        return live ? script_.openError : L"";
    }
    std::wstring ClearChart() override {
        Note(L"clear");
        return live ? script_.clearError : L"";
    }
    void ShowError(const std::wstring& message) override { Note(L"error " + message); }

private:
    void Note(const std::wstring& call) {
        if (live) log += (log.empty() ? L"" : L"; ") + call;
    }
    Script script_;
};

enum class Step { Close, New, Open, OpenRecent, Save, SaveAs };

struct Case {
    const char* what;
    bool titled;   // the document was opened from A (else it is untitled)
    bool changed;  // and changed since
    Step step;
    Script script;
    bool done;
    const wchar_t* calls;
    const wchar_t* title;  // the title afterwards
    std::vector<std::wstring> recent;
};

const std::wstring A = L"C:\\work\\a.xls";
const std::wstring B = L"D:\\jobs\\b.xls";
const std::wstring Old = L"C:\\work\\old.xls";

// Each row: the start, the step and what the user and the chart do; then
// whether it was done, the calls in order, the title and the recent list.
// clang-format off
const Case kCases[] = {
    {"closing an unchanged document asks nothing",
     true, false, Step::Close, Script(),
     true, L"",
     L"a.xls - Humistart", {A, Old}},
    {"No lets changes go",
     true, true, Step::Close, Script().Answer(SaveAnswer::No),
     true, L"ask a.xls",
     L"*a.xls - Humistart", {A, Old}},
    {"Cancel keeps the window",
     true, true, Step::Close, Script().Answer(SaveAnswer::Cancel),
     false, L"ask a.xls",
     L"*a.xls - Humistart", {A, Old}},
    {"Yes saves to the document's own file",
     true, true, Step::Close, Script().Answer(SaveAnswer::Yes),
     true, L"ask a.xls; save C:\\work\\a.xls",
     L"a.xls - Humistart", {A, Old}},
    {"Yes on a new document asks where, and a cancelled Save As keeps the window",
     false, true, Step::Close, Script().Answer(SaveAnswer::Yes),
     false, L"ask Untitled; save-as Untitled",
     L"*Untitled - Humistart", {Old}},
    {"a save that fails keeps the window and the changes",
     true, true, Step::Close, Script().Answer(SaveAnswer::Yes).SaveFails(L"C:\\work\\a.xls is read-only."),
     false, L"ask a.xls; save C:\\work\\a.xls; error C:\\work\\a.xls is read-only.",
     L"*a.xls - Humistart", {A, Old}},
    {"New after Cancel leaves the chart alone",
     true, true, Step::New, Script().Answer(SaveAnswer::Cancel),
     false, L"ask a.xls",
     L"*a.xls - Humistart", {A, Old}},
    {"New after No clears the chart into an untitled document",
     true, true, Step::New, Script().Answer(SaveAnswer::No),
     true, L"ask a.xls; clear",
     L"Untitled - Humistart", {A, Old}},
    {"a chart that cannot be cleared stays the document it was",
     true, false, Step::New, Script().ClearFails(L"Failed"),
     false, L"clear; error Failed",
     L"a.xls - Humistart", {A, Old}},
    {"Open after Cancel shows no file dialog",
     true, true, Step::Open, Script().Answer(SaveAnswer::Cancel),
     false, L"ask a.xls",
     L"*a.xls - Humistart", {A, Old}},
    {"a cancelled file dialog opens nothing",
     true, false, Step::Open, Script(),
     false, L"open?",
     L"a.xls - Humistart", {A, Old}},
    {"an opened file becomes the document and heads the list",
     true, true, Step::Open, Script().Answer(SaveAnswer::No).OpenFile(B),
     true, L"ask a.xls; open?; open D:\\jobs\\b.xls",
     L"b.xls - Humistart", {B, A, Old}},
    {"a file that does not open leaves the document as it was",
     true, true, Step::Open,
     Script().Answer(SaveAnswer::No).OpenFile(B).OpenFails(L"D:\\jobs\\b.xls is not a workbook."),
     false, L"ask a.xls; open?; open D:\\jobs\\b.xls; error D:\\jobs\\b.xls is not a workbook.",
     L"*a.xls - Humistart", {A, Old}},
    {"a recent file that no longer opens leaves the list",
     true, false, Step::OpenRecent, Script().OpenFails(L"C:\\work\\old.xls cannot be read."),
     false, L"open C:\\work\\old.xls; error C:\\work\\old.xls cannot be read.",
     L"a.xls - Humistart", {A}},
    {"Save on a new document is Save As",
     false, true, Step::Save, Script().SaveAs(B),
     true, L"save-as Untitled; save D:\\jobs\\b.xls",
     L"b.xls - Humistart", {B, Old}},
    {"Save As offers the document's path and moves the document",
     true, true, Step::SaveAs, Script().SaveAs(B),
     true, L"save-as C:\\work\\a.xls; save D:\\jobs\\b.xls",
     L"b.xls - Humistart", {B, A, Old}},
    {"a failed Save As keeps the old file as the document",
     true, true, Step::SaveAs, Script().SaveAs(B).SaveFails(L"D:\\jobs is missing."),
     false, L"save-as C:\\work\\a.xls; save D:\\jobs\\b.xls; error D:\\jobs is missing.",
     L"*a.xls - Humistart", {A, Old}},
};
// clang-format on

TEST(HumistartDocument, EveryStepAsksWhatItMustAndChangesNothingWhenItFails) {
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.what);
        // The document's start: A opened (or a new document), then perhaps a change.
        ScriptedHost host(c.script);
        CHumistartDocument document(host, L"Untitled", CRecentFiles({Old}));
        if (c.titled) {
            ASSERT_TRUE(document.OpenPath(A, false));
        }
        host.live = true;
        if (c.changed) document.MarkChanged();

        bool done = false;
        switch (c.step) {
            case Step::Close:
                done = document.QueryClose();
                break;
            case Step::New:
                done = document.New();
                break;
            case Step::Open:
                done = document.Open();
                break;
            case Step::OpenRecent:
                done = document.OpenPath(document.Recent().Paths().back(), true);
                break;
            case Step::Save:
                done = document.Save();
                break;
            case Step::SaveAs:
                done = document.SaveAs();
                break;
        }
        EXPECT_EQ(done, c.done);
        EXPECT_EQ(host.log, c.calls);
        EXPECT_EQ(document.Title(), c.title);
        EXPECT_EQ(document.Recent().Paths(), c.recent);
    }
}

TEST(HumistartDocument, RecentListKeepsFourFilesOnceEachWhateverTheirLetterCase) {
    // As read back from the registry: blanks and repeats are dropped, the
    // first entry stays first.
    CRecentFiles recent({L"C:\\a.xls", L"", L"c:\\A.XLS", L"C:\\b.xls"});
    EXPECT_EQ(recent.Paths(), (std::vector<std::wstring>{L"C:\\a.xls", L"C:\\b.xls"}));
    for (const wchar_t* path : {L"C:\\c.xls", L"C:\\d.xls", L"C:\\e.xls"}) recent.Add(path);
    EXPECT_EQ(recent.Paths(), (std::vector<std::wstring>{L"C:\\e.xls", L"C:\\d.xls", L"C:\\c.xls", L"C:\\a.xls"}));
    recent.Add(L"c:\\C.XLS");
    EXPECT_EQ(recent.Paths(), (std::vector<std::wstring>{L"c:\\C.XLS", L"C:\\e.xls", L"C:\\d.xls", L"C:\\a.xls"}));
    recent.Remove(L"C:\\E.xls");
    EXPECT_EQ(recent.Paths(), (std::vector<std::wstring>{L"c:\\C.XLS", L"C:\\d.xls", L"C:\\a.xls"}));
}

// A key of the test's own, gone before and after.
class SettingsTest : public ::testing::Test {
protected:
    static constexpr const wchar_t* kKey = L"Software\\Humichart\\HumistartSettingsTest";
    void SetUp() override { RegDeleteTreeW(HKEY_CURRENT_USER, kKey); }
    void TearDown() override { RegDeleteTreeW(HKEY_CURRENT_USER, kKey); }
    CHumistartSettings settings_{kKey};
};

WINDOWPLACEMENT Placement(RECT normal, UINT show) {
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    placement.showCmd = show;
    placement.rcNormalPosition = normal;
    return placement;
}

TEST_F(SettingsTest, PlacementComesBackOnlyWhereTheWindowCanBeTakenHoldOf) {
    EXPECT_FALSE(settings_.LoadPlacement()) << "nothing saved yet";
    const RECT normal{100, 80, 740, 560};
    settings_.SavePlacement(Placement(normal, SW_SHOWMAXIMIZED));
    const auto loaded = settings_.LoadPlacement();
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->showCmd, static_cast<UINT>(SW_SHOWMAXIMIZED));
    EXPECT_TRUE(EqualRect(&loaded->rcNormalPosition, &normal));

    // Left on a monitor that is gone, or with the caption above the screen.
    settings_.SavePlacement(Placement({-9000, -9000, -8000, -8200}, SW_SHOWNORMAL));
    EXPECT_FALSE(settings_.LoadPlacement());
    settings_.SavePlacement(Placement({100, -700, 740, 20}, SW_SHOWNORMAL));
    EXPECT_FALSE(settings_.LoadPlacement());

    // A value that is not a placement of this size.
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, kKey, 0, KEY_SET_VALUE, &key), ERROR_SUCCESS);
    const BYTE shorter[12] = {12};
    RegSetValueExW(key, L"WindowPlacement", 0, REG_BINARY, shorter, sizeof shorter);
    RegCloseKey(key);
    EXPECT_FALSE(settings_.LoadPlacement());
}

TEST_F(SettingsTest, RecentFilesComeBackInOrderAndShortenedListsLeaveNothingBehind) {
    settings_.SaveRecent({L"C:\\a.xls", L"D:\\文件\\b.xls", L"C:\\c.xls"});
    EXPECT_EQ(settings_.LoadRecent(), (std::vector<std::wstring>{L"C:\\a.xls", L"D:\\文件\\b.xls", L"C:\\c.xls"}));
    settings_.SaveRecent({L"C:\\c.xls"});
    EXPECT_EQ(settings_.LoadRecent(), (std::vector<std::wstring>{L"C:\\c.xls"}));
}

}  // namespace
