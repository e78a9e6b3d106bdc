#include "platform/servers/ocr/TableBuilder.h"

#include <algorithm>

#include "platform/servers/ocr/LineText.h"

namespace pimlo::servers {

namespace {

// Words of one cell are a space apart (about a third of the text height);
// cells are further apart than this share of the text height.
constexpr double kCellGapPerHeight = 0.9;

struct Cell {
    std::vector<std::string> words;
    int left = 0;
    int right = 0;
};

using Row = std::vector<RecognisedWord>;

std::vector<Row> GroupRows(std::vector<RecognisedWord> words) {
    std::sort(words.begin(), words.end(), [](const RecognisedWord& a, const RecognisedWord& b) {
        return a.box.top * 2 + a.box.height < b.box.top * 2 + b.box.height;
    });
    std::vector<Row> rows;
    int rowBottom = 0;
    for (RecognisedWord& word : words) {
        const int middle = word.box.top + word.box.height / 2;
        if (rows.empty() || middle > rowBottom) {
            rows.emplace_back();
            rowBottom = word.box.top + word.box.height;
        } else {
            rowBottom = std::max(rowBottom, word.box.top + word.box.height);
        }
        rows.back().push_back(std::move(word));
    }
    for (Row& row : rows) {
        std::sort(row.begin(), row.end(), [](const RecognisedWord& a, const RecognisedWord& b) {
            return a.box.left < b.box.left;
        });
    }
    return rows;
}

int MedianHeight(const std::vector<RecognisedWord>& words) {
    std::vector<int> heights;
    for (const RecognisedWord& word : words) heights.push_back(word.box.height);
    std::nth_element(heights.begin(), heights.begin() + heights.size() / 2, heights.end());
    return heights[heights.size() / 2];
}

std::vector<Cell> SplitCells(const Row& row, int gap) {
    std::vector<Cell> cells;
    for (const RecognisedWord& word : row) {
        const int right = word.box.left + word.box.width;
        if (cells.empty() || word.box.left - cells.back().right > gap) {
            cells.push_back(Cell{{}, word.box.left, right});
        }
        cells.back().words.push_back(word.text);
        cells.back().right = std::max(cells.back().right, right);
    }
    return cells;
}

// Horizontal bands: the union of every cell's extent, left to right.
std::vector<std::pair<int, int>> ColumnBands(const std::vector<std::vector<Cell>>& rows) {
    std::vector<std::pair<int, int>> extents;
    for (const auto& row : rows)
        for (const Cell& cell : row) extents.emplace_back(cell.left, cell.right);
    std::sort(extents.begin(), extents.end());
    std::vector<std::pair<int, int>> bands;
    for (const auto& [left, right] : extents) {
        if (bands.empty() || left > bands.back().second)
            bands.emplace_back(left, right);
        else
            bands.back().second = std::max(bands.back().second, right);
    }
    return bands;
}

}  // namespace

TableGrid BuildTable(const std::vector<RecognisedWord>& words) {
    if (words.empty()) return {};
    const int gap = static_cast<int>(MedianHeight(words) * kCellGapPerHeight);
    std::vector<std::vector<Cell>> rows;
    for (const Row& row : GroupRows(words)) rows.push_back(SplitCells(row, gap));

    const auto bands = ColumnBands(rows);
    TableGrid grid(rows.size(), std::vector<std::string>(bands.size()));
    for (size_t r = 0; r < rows.size(); ++r) {
        for (const Cell& cell : rows[r]) {
            const auto band = std::find_if(bands.begin(), bands.end(), [&](const auto& b) {
                return cell.left >= b.first && cell.left <= b.second;
            });
            std::string& target = grid[r][band - bands.begin()];
            if (!target.empty()) target += ' ';
            target += JoinWords(cell.words);
        }
    }
    return grid;
}

}  // namespace pimlo::servers
