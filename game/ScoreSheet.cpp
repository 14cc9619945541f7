// The score sheet's cells: reading, writing and clearing them, and their values as numbers.
#include "ScoreSheet.h"

#include <charconv>

namespace quimba {

namespace {
bool InRange(int column, int row) { return column >= 0 && column < kColumns && row >= 0 && row < kRows; }
const std::string kEmpty;
}  // namespace

const std::string& ScoreSheet::Cell(int column, int row) const {
    return InRange(column, row) ? cells_[column][row] : kEmpty;
}

void ScoreSheet::SetCell(int column, int row, std::string text) {
    if (InRange(column, row)) cells_[column][row] = std::move(text);
}

int ScoreSheet::Value(int column, int row) const {
    int v = 0;
    return ParseInt32(Cell(column, row), v) ? v : 0;
}

void ScoreSheet::Clear() {
    for (auto& column : cells_)
        for (auto& cell : column) cell.clear();
}

bool ParseInt32(const std::string& text, int& out) {
    const char* first = text.data();
    const char* last = text.data() + text.size();
    if (first != last && *first == '+') {
        ++first;
        if (first != last && *first == '-') return false;
    }
    if (first == last) return false;
    int value = 0;
    auto [ptr, ec] = std::from_chars(first, last, value);
    if (ec != std::errc() || ptr != last) return false;
    out = value;
    return true;
}

}  // namespace quimba
