// Moves a finished temporary file over the file it replaces in one step, so
// a reader sees either the old file or the new one, never half of either.
#pragma once

#include <filesystem>

namespace humichart {

bool ReplaceExistingFile(const std::filesystem::path& from, const std::filesystem::path& to);

}  // namespace humichart
