#pragma once
// A written workbook read back by openpyxl (xlsx_dump.py): its cells and chart series.
#include <cstdio>
#include <map>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

namespace workbook_dump {

struct Cell {
    bool number = false;
    double value = 0;
    std::string text; // UTF-8
};

struct Series {
    std::string sheet, kind, title, name, categories, values;
};

struct Workbook {
    std::vector<std::string> sheets;
    std::map<std::tuple<std::string, int, int>, Cell> cells;
    std::vector<Series> series;

    const Cell* at(const std::string& sheet, int row, int column) const {
        auto it = cells.find({sheet, row, column});
        return it == cells.end() ? nullptr : &it->second;
    }
    // The row whose column `column` holds `text`; -1 without one.
    int rowOf(const std::string& sheet, int column, const std::string& text) const {
        for (const auto& [key, cell] : cells)
            if (std::get<0>(key) == sheet && std::get<2>(key) == column && cell.text == text)
                return std::get<1>(key);
        return -1;
    }
};

inline std::vector<std::string> split(const std::string& line) {
    std::vector<std::string> fields;
    std::stringstream in(line);
    std::string field;
    while (std::getline(in, field, '\t'))
        fields.push_back(field);
    return fields;
}

// Empty sheets when the workbook cannot be read.
inline Workbook read(const std::string& path) {
    Workbook book;
    const std::string command =
        std::string(ORVO_OPENPYXL_PYTHON) + " " + ORVO_XLSX_DUMP + " '" + path + "'";
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return book;
    std::string all;
    char buffer[65536];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        all.append(buffer, n);
    pclose(pipe);
    std::stringstream lines(all);
    std::string sheet;
    for (std::string line; std::getline(lines, line);) {
        const std::vector<std::string> f = split(line);
        if (f.size() == 2 && f[0] == "S") {
            sheet = f[1];
            book.sheets.push_back(sheet);
        } else if (f.size() == 5 && f[0] == "C") {
            Cell cell;
            cell.number = f[3] == "n";
            if (cell.number)
                cell.value = std::stod(f[4]);
            else
                cell.text = f[4];
            book.cells[{sheet, std::stoi(f[1]), std::stoi(f[2])}] = cell;
        } else if (f.size() == 7 && f[0] == "K") {
            book.series.push_back({f[1], f[2], f[3], f[4], f[5], f[6]});
        }
    }
    return book;
}

} // namespace workbook_dump
