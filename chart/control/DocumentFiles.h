// Whole files for the control's documents and pictures: written to a new file
// beside the old one and moved over it only when complete, so that a failed
// save leaves the old file whole; read whole. A failure says why, in the
// words a user can act on.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace humichart {

// Why a file could not be written or read.
struct FileFailure {
    enum class Reason { None, NoFolder, ReadOnly, Locked, Denied, NoFile, DiskFull, IsFolder, TooLarge, Other };
    Reason reason = Reason::None;
    DWORD code = ERROR_SUCCESS;  // the system's, for Other
    explicit operator bool() const { return reason != Reason::None; }
};

FileFailure WriteWholeFile(const std::wstring& path, const std::vector<std::uint8_t>& bytes);
// More than limit bytes is TooLarge.
FileFailure ReadWholeFile(const std::wstring& path, std::vector<std::uint8_t>& bytes, std::uint64_t limit);

// The reason as the end of a sentence, in the interface's language.
std::wstring FailureText(const FileFailure& failure);

}  // namespace humichart
