#include "platform/servers/ocr/SpreadsheetWriter.h"

#include <xlsxwriter.h>

#include <regex>

namespace pimlo::servers {

namespace {

bool IsPlainNumber(const std::string& text) {
    static const std::regex kNumber(R"(-?(?:0|[1-9]\d{0,14})(?:\.\d{1,6})?)");
    return std::regex_match(text, kNumber);
}

// XML 1.0, and so the workbook, can not hold control characters other than
// tab, line feed and carriage return.
std::string WithoutControls(const std::string& text) {
    std::string clean;
    for (char c : text)
        if (static_cast<unsigned char>(c) >= 0x20 || c == '\t' || c == '\n' || c == '\r')
            clean += c;
    return clean;
}

}  // namespace

bool WriteSpreadsheet(const TableGrid& grid, const std::string& path) {
    lxw_workbook* workbook = workbook_new(path.c_str());
    if (!workbook) return false;
    lxw_worksheet* sheet = workbook_add_worksheet(workbook, nullptr);
    bool written = sheet != nullptr;
    for (size_t r = 0; written && r < grid.size(); ++r) {
        for (size_t c = 0; c < grid[r].size(); ++c) {
            const std::string& text = grid[r][c];
            if (text.empty()) continue;
            const auto row = static_cast<lxw_row_t>(r);
            const auto column = static_cast<lxw_col_t>(c);
            const lxw_error error =
                IsPlainNumber(text)
                    ? worksheet_write_number(sheet, row, column, std::stod(text), nullptr)
                    : worksheet_write_string(sheet, row, column, WithoutControls(text).c_str(),
                                             nullptr);
            written = written && error == LXW_NO_ERROR;
        }
    }
    // Closing writes the file; it must happen whatever went before.
    return workbook_close(workbook) == LXW_NO_ERROR && written;
}

}  // namespace pimlo::servers
