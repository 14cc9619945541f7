// The phrases of Words.h, built from the language file's lines.
#include "Words.h"

#include <cstdio>

#include "GameState.h"
#include "Language.h"
#include "ScoreSheet.h"

namespace quimba {

std::string FillPattern(const std::string& pattern, std::initializer_list<std::string> values) {
    std::string out;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char next = i + 1 < pattern.size() ? pattern[i + 1] : '\0';
        const int n = next - '0';
        if (pattern[i] == '%' && n >= 1 && n <= static_cast<int>(values.size())) {
            out += *(values.begin() + (n - 1));
            ++i;
        } else {
            out += pattern[i];
        }
    }
    return out;
}

std::string DecimalWith(double value, const std::string& mark, int digits) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*f", digits, value);
    std::string text = buffer;
    if (text.find_first_not_of("-0.") == std::string::npos && text.front() == '-') text.erase(0, 1);
    const auto point = text.find('.');
    if (point != std::string::npos) text.replace(point, 1, mark);
    return text;
}

const std::string& Words::Line(int n) const { return LanguageLine(lines_, n); }

const std::string& Words::RowHeading(int row) const { return Line(RowHeadingLine(row)); }

std::string Words::RowInSentence(int row) const {
    return row >= 1 && row <= ligne6 ? Line(kLineLigne) + " " + RowHeading(row) : RowHeading(row);
}

std::string Words::Labelled(const std::string& name, const std::string& value) const {
    return FillPattern(Line(kLineLabelled), {name, value});
}

std::string Words::Decimal(double value) const { return DecimalWith(value, Line(kLineDecimalMark)); }

std::string Words::DieName(int die, int face, bool kept) const {
    std::string name = FillPattern(Line(kLineDieName), {std::to_string(die)});
    if (face >= 1 && face <= kFaces) name = Labelled(name, std::to_string(face));
    return kept ? FillPattern(Line(kLineDieKept), {name}) : name;
}

std::string Words::ThrowFaces(const std::vector<int>& faces) const {
    std::string list;
    for (int face : faces) list += (list.empty() ? "" : " ") + std::to_string(face);
    return Labelled(Line(kLineDiceTableName), list);
}

std::string Words::PlayerName(int column, const std::string& nameCell) const {
    return nameCell.empty() ? Line(kLinePlayer) + " " + std::to_string(column + 1) : nameCell;
}

std::string Words::CellName(int column, int row, const std::string& nameCell, const std::string& value) const {
    const std::string player = PlayerName(column, nameCell);
    if (row == lignenoms) return player;
    const std::string cell = player + ", " + RowHeading(row);
    return value.empty() ? cell : Labelled(cell, value);
}

}  // namespace quimba
