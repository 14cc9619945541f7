// The simulator's trace: one JSON line per game start, throw, written row, tally and end.
#include "TraceWriter.h"

#include <cstdio>

namespace quimba::sim {

std::string JsonString(std::string_view text) {
    std::string out = "\"";
    for (const char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        switch (c) {
            case '"': out += "\\\""; break;
            case '\\': out += "\\\\"; break;
            case '\b': out += "\\b"; break;
            case '\f': out += "\\f"; break;
            case '\n': out += "\\n"; break;
            case '\r': out += "\\r"; break;
            case '\t': out += "\\t"; break;
            default:
                if (c < 0x20) {
                    char esc[8];
                    std::snprintf(esc, sizeof esc, "\\u%04x", c);
                    out += esc;
                } else {
                    out += ch;  // UTF-8 passes through as it is
                }
        }
    }
    out += '"';
    return out;
}

void TraceWriter::BeginGame(long number, int type, int players) {
    out_ << "{\"ev\":\"game\",\"n\":" << number << ",\"type\":" << type << ",\"players\":" << players << "}\n";
}

void TraceWriter::OnThrow(const Game& g) {
    // The throw leaves alancer as it found it, so it still tells which dice
    // stayed on the table.
    out_ << "{\"ev\":\"throw\",\"player\":" << g.S.joueur << ",\"n\":" << g.S.nblancers << ",\"kept\":[";
    for (int i = 1; i <= kDice; ++i) out_ << (i > 1 ? "," : "") << (g.S.alancer[i] == 0 ? 1 : 0);
    out_ << "],\"dice\":[";
    for (int i = 1; i <= kDice; ++i) out_ << (i > 1 ? "," : "") << int(g.S.valeurde[i]);
    out_ << "]}\n";
}

void TraceWriter::OnWrite(const Game& g, int column, int row) {
    out_ << "{\"ev\":\"write\",\"player\":" << column << ",\"row\":" << row
         << ",\"value\":" << JsonString(g.Grid.Cell(column, row)) << "}\n";
}

void TraceWriter::OnTally(const Game& g, int column) {
    out_ << "{\"ev\":\"tally\",\"player\":" << column << ",\"bonus\":" << JsonString(g.Grid.Cell(column, lignebonus))
         << ",\"upper\":" << JsonString(g.Grid.Cell(column, lignesoustotal))
         << ",\"total\":" << JsonString(g.Grid.Cell(column, lignetotal)) << "}\n";
}

void TraceWriter::OnEnd(const Game& g, const std::string& winner, int score) {
    out_ << "{\"ev\":\"end\",\"winner\":" << JsonString(winner) << ",\"score\":" << score << ",\"totals\":[";
    for (int c = 0; c < g.S.nbjoueurs && c < kColumns; ++c)
        out_ << (c > 0 ? "," : "") << JsonString(g.Grid.Cell(c, lignetotal));
    out_ << "]}\n";
}

}  // namespace quimba::sim
