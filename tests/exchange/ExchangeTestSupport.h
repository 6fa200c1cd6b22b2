// Workbooks to write and read, and the one text form in which the tests
// compare them: ours, xlrd's (xlrd_dump.py) and LibreOffice's.
#pragma once

#include <bit>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "Workbook.h"

namespace humichart::test {

inline Cell Num(double value) { return Cell{Cell::Kind::Number, value, {}}; }
inline Cell Txt(std::wstring text) { return Cell{Cell::Kind::Text, 0.0, std::move(text)}; }
inline Cell Bool(bool value) { return Cell{Cell::Kind::Boolean, value ? 1.0 : 0.0, {}}; }
inline Cell Err(int code) { return Cell{Cell::Kind::Error, static_cast<double>(code), {}}; }

// Cell (row, column) of column letters and row number as in "C3": At("C", 3).
inline std::pair<std::uint32_t, std::uint32_t> At(const char* letters, int row) {
    std::uint32_t column = 0;
    for (; *letters; ++letters) column = column * 26 + (*letters - 'A' + 1);
    return {static_cast<std::uint32_t>(row - 1), column - 1};
}

// Texts as Python's unicode_escape codec writes them.
inline std::string Escaped(const std::wstring& text) {
    std::string out;
    char buffer[16];
    for (const wchar_t c : text) {
        const auto code = static_cast<std::uint32_t>(c);
        if (c == L'\\') out += "\\\\";
        else if (c == L'\t') out += "\\t";
        else if (c == L'\n') out += "\\n";
        else if (c == L'\r') out += "\\r";
        else if (code >= 0x20 && code < 0x7F) out += static_cast<char>(code);
        else {
            std::snprintf(buffer, sizeof buffer, code < 0x100 ? "\\x%02x" : code < 0x10000 ? "\\u%04x" : "\\U%08x", code);
            out += buffer;
        }
    }
    return out;
}

inline std::string NumberBits(double value) {
    const auto bits = std::bit_cast<std::uint64_t>(value);
    std::string out;
    char buffer[4];
    for (int i = 0; i < 8; ++i) {
        std::snprintf(buffer, sizeof buffer, "%02x", static_cast<unsigned>((bits >> (8 * i)) & 0xFF));
        out += buffer;
    }
    return out;
}

// The form of xlrd_dump.py: a line per sheet and per non-empty cell.
inline std::string Dump(const Workbook& workbook) {
    std::string out;
    for (const Sheet& sheet : workbook.sheets) {
        out += "sheet\t" + Escaped(sheet.name) + "\n";
        for (const auto& [at, cell] : sheet.cells) {
            std::string value;
            switch (cell.kind) {
            case Cell::Kind::Empty: continue;
            case Cell::Kind::Text: value = "text\t" + Escaped(cell.text); break;
            case Cell::Kind::Number: value = "number\t" + NumberBits(cell.number); break;
            case Cell::Kind::Boolean: value = "boolean\t" + std::to_string(static_cast<int>(cell.number)); break;
            case Cell::Kind::Error: value = "error\t" + std::to_string(static_cast<int>(cell.number)); break;
            }
            out += std::to_string(at.first) + "\t" + std::to_string(at.second) + "\t" + value + "\n";
        }
    }
    return out;
}

inline std::vector<std::uint8_t> ReadAll(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Standard output of a command, or "" when it could not run.
inline std::string Run(const std::string& command) {
    std::string out;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[4096];
        std::size_t got;
        while ((got = fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, got);
        if (pclose(pipe) != 0) out += "\n(exit status not zero)";
    }
    return out;
}

// A directory of its own for one test's files, removed afterwards.
class ScratchDir {
public:
    ScratchDir() {
        // Test processes run side by side: a name from the random device, not rand().
        path_ = std::filesystem::temp_directory_path() /
                ("humichart-exchange-" + std::to_string(std::random_device{}()) + "-" +
                 std::to_string(std::random_device{}()));
        std::filesystem::create_directories(path_);
    }
    ~ScratchDir() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

}  // namespace humichart::test
