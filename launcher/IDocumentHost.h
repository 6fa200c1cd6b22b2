// What Humistart's document asks of the window around it: the user's answers,
// the chart's work and the messages. Kept apart so that the document's rules
// can be driven without a window.
#pragma once

#include <optional>
#include <string>

enum class SaveAnswer { Yes, No, Cancel };

class IDocumentHost {
public:
    virtual ~IDocumentHost() = default;

    // "Save changes to <name>?"
    virtual SaveAnswer AskToSave(const std::wstring& name) = 0;
    // A path to save to, starting from suggested; none when the user cancels.
    virtual std::optional<std::wstring> AskSavePath(const std::wstring& suggested) = 0;
    // A document to open; none when the user cancels.
    virtual std::optional<std::wstring> AskOpenPath() = 0;

    // The chart's work: an empty text when it was done, else what the user is
    // told about why not (the chart is then as it was).
    virtual std::wstring SaveChart(const std::wstring& path) = 0;
    virtual std::wstring OpenChart(const std::wstring& path) = 0;
    virtual std::wstring ClearChart() = 0;

    virtual void ShowError(const std::wstring& message) = 0;
};
