#include "ReplaceExistingFile.h"

namespace humichart {

// POSIX rename replaces the target atomically.
bool ReplaceExistingFile(const std::filesystem::path& from, const std::filesystem::path& to) {
    std::error_code error;
    std::filesystem::rename(from, to, error);
    return !error;
}

}  // namespace humichart
