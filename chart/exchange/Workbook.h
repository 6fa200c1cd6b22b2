// A workbook as the exchange sees it: named sheets of cells, each empty, a
// number, a text, a boolean or an error code. The built-in workbook engine
// keeps one in memory; the BIFF8 codec writes it to and reads it from the
// "Workbook" stream of an Excel 97-2003 file. Standard C++.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace humichart {

struct Cell {
    enum class Kind { Empty, Number, Text, Boolean, Error };
    Kind kind = Kind::Empty;
    double number = 0.0;   // Number; Boolean as 0 or 1; Error as its code
    std::wstring text;     // Text
};

// Rows and columns count from 0 (A1 is row 0, column 0).
struct Sheet {
    std::wstring name;
    std::map<std::pair<std::uint32_t, std::uint32_t>, Cell> cells;  // (row, column)

    const Cell* Find(std::uint32_t row, std::uint32_t column) const {
        const auto found = cells.find({row, column});
        return found == cells.end() ? nullptr : &found->second;
    }
};

struct Workbook {
    std::vector<Sheet> sheets;
};

}  // namespace humichart
