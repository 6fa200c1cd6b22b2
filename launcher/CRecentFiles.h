// The documents opened or saved last, most recent first. Paths are told apart
// without regard to letter case, as the file system does.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

class CRecentFiles {
public:
    static constexpr std::size_t kLimit = 4;

    explicit CRecentFiles(std::vector<std::wstring> paths = {});

    // Puts path first; an entry for the same file moves up rather than
    // appearing twice, and the oldest falls off past the limit.
    void Add(const std::wstring& path);
    void Remove(const std::wstring& path);

    const std::vector<std::wstring>& Paths() const { return paths_; }

private:
    std::vector<std::wstring> paths_;
};
