#pragma once
// An independent count of the score sheet, for the tests that re-score whole
// games: what a row is worth for five dice, and the computed rows of a
// column from its chosen rows.

#include <algorithm>
#include <array>
#include <string>

namespace quimba::scorecheck {

// What chosen row `row` (1..6, 9..15) is worth for five dice; -1 for any
// other row.
inline int RowWorth(int row, const std::array<int, 5>& dice) {
    std::array<int, 7> n{};
    int sum = 0;
    for (int v : dice) {
        ++n[v];
        sum += v;
    }
    const int most = *std::max_element(n.begin() + 1, n.end());
    const bool pairToo = std::count(n.begin() + 1, n.end(), 2) == 1;
    auto run = [&](int from) {
        for (int f = from; f < from + 5; ++f)
            if (!n[f]) return false;
        return true;
    };
    if (row >= 1 && row <= 6) return row * n[row];
    switch (row) {
        case 9:   // plus
        case 10:  // moins
            return sum;
        case 11: return most >= 3 ? sum : 0;            // three of a kind
        case 12: return run(1) || run(2) ? 20 : 0;      // straight
        case 13: return most == 3 && pairToo ? 30 : 0;  // full house
        case 14: return most >= 4 ? 40 : 0;             // four of a kind
        case 15: return most == 5 ? 50 : 0;             // five of a kind
        default: return -1;
    }
}

// The three computed cells of a column, as the sheet shows them.
struct ColumnSums {
    std::string bonus;  // "35" or empty
    std::string upper;  // rows 1..6 plus the bonus
    std::string total;  // empty until both sum rows are written
};

// `cells` holds the column's 17 cells as text; only the chosen rows are read.
inline ColumnSums SumColumn(const std::array<std::string, 17>& cells) {
    auto value = [&](int row) { return cells[row].empty() ? 0 : std::stoi(cells[row]); };
    ColumnSums s;
    int upper = 0;
    for (int r = 1; r <= 6; ++r) upper += value(r);
    if (upper >= 63) {
        s.bonus = "35";
        upper += 35;
    }
    s.upper = std::to_string(upper);
    if (!cells[9].empty() && !cells[10].empty()) {
        int lower = 0;
        for (int r = 11; r <= 15; ++r) lower += value(r);
        s.total = std::to_string(upper + lower + value(9) - value(10));
    }
    return s;
}

}  // namespace quimba::scorecheck
