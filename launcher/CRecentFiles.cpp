#include "CRecentFiles.h"

#include <algorithm>
#include <cwctype>

namespace {

bool SameFile(const std::wstring& a, const std::wstring& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](wchar_t x, wchar_t y) {
               return std::towlower(static_cast<wint_t>(x)) == std::towlower(static_cast<wint_t>(y));
           });
}

}  // namespace

CRecentFiles::CRecentFiles(std::vector<std::wstring> paths) {
    // Read back from the registry, where anything may have been written.
    for (auto it = paths.rbegin(); it != paths.rend(); ++it)
        if (!it->empty()) Add(*it);
}

void CRecentFiles::Add(const std::wstring& path) {
    Remove(path);
    paths_.insert(paths_.begin(), path);
    if (paths_.size() > kLimit) paths_.resize(kLimit);
}

void CRecentFiles::Remove(const std::wstring& path) {
    std::erase_if(paths_, [&](const std::wstring& kept) { return SameFile(kept, path); });
}
