// The document Humistart shows: which workbook the chart came from, whether
// it has changed since, and the documents used last. New, Open, Save, Save As
// and closing follow the rules users know: a question before changes would be
// lost, nothing changed when a step fails or is cancelled.
#pragma once

#include <string>

#include "CRecentFiles.h"
#include "IDocumentHost.h"

class CHumistartDocument {
public:
    // untitled: the name of a document never saved.
    CHumistartDocument(IDocumentHost& host, std::wstring untitled, CRecentFiles recent = CRecentFiles());

    // Each answers whether it was done.
    bool New();
    bool Open();
    // Opens path; with ask, the save question comes first.
    bool OpenPath(std::wstring path, bool ask);
    bool Save();
    bool SaveAs();
    // Whether the document may go: unchanged, saved, or the user let it go.
    bool QueryClose();

    void MarkChanged() { changed_ = true; }
    bool Changed() const { return changed_; }
    // The full path; empty for a document never saved.
    const std::wstring& Path() const { return path_; }
    // The file's name without its folder, or the untitled name.
    std::wstring Name() const;
    // "<name> - Humistart", marked with "*" while there are unsaved changes.
    std::wstring Title() const;
    const CRecentFiles& Recent() const { return recent_; }

private:
    bool SaveTo(const std::wstring& path);

    IDocumentHost& host_;
    std::wstring untitled_;
    CRecentFiles recent_;
    std::wstring path_;
    bool changed_ = false;
};
