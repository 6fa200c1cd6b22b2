#include "ReplaceExistingFile.h"

#include <windows.h>

namespace humichart {

// A plain rename refuses an existing target on Windows; this one replaces it
// and returns only once the move is on the disk.
bool ReplaceExistingFile(const std::filesystem::path& from, const std::filesystem::path& to) {
    return MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
}

}  // namespace humichart
