#include "CHumistartDocument.h"

#include <utility>

CHumistartDocument::CHumistartDocument(IDocumentHost& host, std::wstring untitled, CRecentFiles recent)
    : host_(host), untitled_(std::move(untitled)), recent_(std::move(recent)) {}

std::wstring CHumistartDocument::Name() const {
    if (path_.empty()) return untitled_;
    const size_t slash = path_.find_last_of(L"\\/:");
    return slash == std::wstring::npos ? path_ : path_.substr(slash + 1);
}

std::wstring CHumistartDocument::Title() const {
    return (changed_ ? L"*" : L"") + Name() + L" - Humistart";
}

bool CHumistartDocument::QueryClose() {
    if (!changed_) return true;
    switch (host_.AskToSave(Name())) {
        case SaveAnswer::Yes:
            return Save();
        case SaveAnswer::No:
            return true;
        case SaveAnswer::Cancel:
            break;
    }
    return false;
}

bool CHumistartDocument::New() {
    if (!QueryClose()) return false;
    const std::wstring error = host_.ClearChart();
    if (!error.empty()) {
        host_.ShowError(error);
        return false;
    }
    path_.clear();
    changed_ = false;
    return true;
}

bool CHumistartDocument::Open() {
    if (!QueryClose()) return false;
    const auto path = host_.AskOpenPath();
    return path && OpenPath(*path, false);
}

bool CHumistartDocument::OpenPath(std::wstring path, bool ask) {
    // path is a copy: it may name an entry of the recent list, which changes here.
    if (ask && !QueryClose()) return false;
    const std::wstring error = host_.OpenChart(path);
    if (!error.empty()) {
        // A document that no longer opens is no use in the list.
        recent_.Remove(path);
        host_.ShowError(error);
        return false;
    }
    path_ = path;
    changed_ = false;
    recent_.Add(path_);
    return true;
}

bool CHumistartDocument::Save() {
    return path_.empty() ? SaveAs() : SaveTo(path_);
}

bool CHumistartDocument::SaveAs() {
    const auto path = host_.AskSavePath(path_.empty() ? Name() : path_);
    return path && SaveTo(*path);
}

bool CHumistartDocument::SaveTo(const std::wstring& path) {
    const std::wstring error = host_.SaveChart(path);
    if (!error.empty()) {
        host_.ShowError(error);
        return false;
    }
    path_ = path;
    changed_ = false;
    recent_.Add(path);
    return true;
}
