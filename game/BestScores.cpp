// The best-scores list in memory: entries kept in order, a finished game's line added, the list cleared.
#include "BestScores.h"

#include <algorithm>
#include <unordered_map>

#include "Cp1252.h"

namespace quimba {

namespace {

// Next code point of UTF-8 text; a malformed byte stands for itself, so
// every text still compares in a fixed order.
char32_t NextCodePoint(std::string_view s, std::size_t& i) {
    const auto b = static_cast<unsigned char>(s[i]);
    const int len = b < 0x80 ? 1 : (b >> 5) == 0x6 ? 2 : (b >> 4) == 0xE ? 3 : (b >> 3) == 0x1E ? 4 : 0;
    if (len > 1 && i + len <= s.size()) {
        char32_t c = len == 2 ? (b & 0x1F) : len == 3 ? (b & 0x0F) : (b & 0x07);
        bool ok = true;
        for (int k = 1; k < len && ok; ++k) {
            const auto cb = static_cast<unsigned char>(s[i + k]);
            ok = (cb & 0xC0) == 0x80;
            c = (c << 6) | (cb & 0x3F);
        }
        if (ok) {
            i += len;
            return c;
        }
    }
    ++i;
    return b;
}

// Lower case of the letters a French name can hold: ASCII, the Latin-1
// accented capitals and the few capitals Windows-1252 adds.
char32_t Fold(char32_t c) {
    if (c >= U'A' && c <= U'Z') return c + 32;
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 32;
    switch (c) {
        case 0x152: return 0x153;  // OE ligature
        case 0x160: return 0x161;  // S caron
        case 0x17D: return 0x17E;  // Z caron
        case 0x178: return 0xFF;   // Y diaeresis
        default: return c;
    }
}

void PutUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// The text's code points in lower case, written as UTF-8: bytewise order of
// two keys is the order of their code points, a prefix first. Scores
// compare as text, so "105" < "98".
std::string SortKey(std::string_view text) {
    std::string key;
    key.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) PutUtf8(key, Fold(NextCodePoint(text, i)));
    return key;
}

bool LessIgnoringCase(std::string_view a, std::string_view b) { return SortKey(a) < SortKey(b); }

bool Unshowable(unsigned char b) {
    return b < 0x20 || b == 0x7F || b == 0x81 || b == 0x8D || b == 0x8F || b == 0x90 || b == 0x9D;
}

}  // namespace

std::string ShownEntryText(std::string_view line) {
    std::string shown;
    std::size_t run = 0;
    for (std::size_t i = 0; i <= line.size(); ++i) {
        if (i < line.size() && !Unshowable(static_cast<unsigned char>(line[i]))) continue;
        shown += Cp1252ToUtf8(line.substr(run, i - run));
        if (i < line.size()) shown += "\xEF\xBF\xBD";
        run = i + 1;
    }
    return shown;
}

void BestScores::Add(const std::string& entry) {
    std::string line = entry;
    // One entry, one line.
    std::erase_if(line, [](char c) { return c == '\r' || c == '\n' || c == '\0'; });
    line = Utf8ToCp1252(line);
    // Shown as it will read back from the file.
    std::string text = ShownEntryText(line);
    const auto at = std::upper_bound(texts_.begin(), texts_.end(), text,
                                     [](const std::string& a, const std::string& b) { return LessIgnoringCase(a, b); });
    const auto index = at - texts_.begin();
    texts_.insert(at, std::move(text));
    added_.push_back(line);
    lines_.insert(lines_.begin() + index, std::move(line));
    ++version_;
}

void BestScores::AddLines(std::vector<std::string> lines) {
    std::vector<std::string> texts;
    texts.reserve(lines.size());
    for (const std::string& line : lines) texts.push_back(ShownEntryText(line));
    // Held entries first, so a stable sort puts new ones after their equals;
    // one sort over keys made once keeps a long file's load from going
    // quadratic or comparing letter by letter.
    std::vector<std::string> keys;
    keys.reserve(texts_.size() + texts.size());
    for (const std::string& text : texts_) keys.push_back(SortKey(text));
    for (const std::string& text : texts) keys.push_back(SortKey(text));
    std::vector<std::size_t> order(keys.size());
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return keys[a] < keys[b]; });
    std::vector<std::string> sortedTexts, sortedLines;
    sortedTexts.reserve(order.size());
    sortedLines.reserve(order.size());
    for (std::size_t i : order) {
        if (i < texts_.size()) {
            sortedTexts.push_back(std::move(texts_[i]));
            sortedLines.push_back(std::move(lines_[i]));
        } else {
            sortedTexts.push_back(std::move(texts[i - texts_.size()]));
            sortedLines.push_back(std::move(lines[i - texts_.size()]));
        }
    }
    texts_ = std::move(sortedTexts);
    lines_ = std::move(sortedLines);
    ++version_;
}

void BestScores::Clear() {
    // What came from the file goes from the file; what this list added
    // never reached it.
    std::unordered_map<std::string_view, std::size_t> mine;
    for (const std::string& line : added_) ++mine[line];
    for (const std::string& line : carried_) ++mine[line];
    for (const std::string& line : lines_) {
        const auto it = mine.find(line);
        if (it != mine.end() && it->second > 0)
            --it->second;
        else
            removed_.push_back(line);
    }
    added_.clear();
    carried_.clear();
    texts_.clear();
    lines_.clear();
    ++version_;
}

void BestScores::AddMissingLines(const std::vector<std::string>& lines) {
    std::unordered_map<std::string_view, std::size_t> held;
    for (const std::string& line : lines_) ++held[line];
    std::vector<std::string> missing;
    for (const std::string& line : lines) {
        const auto it = held.find(line);
        if (it != held.end() && it->second > 0)
            --it->second;
        else
            missing.push_back(line);
    }
    if (missing.empty()) return;
    carried_.insert(carried_.end(), missing.begin(), missing.end());
    AddLines(std::move(missing));
}

void BestScores::Adopt(BestScores&& merged) {
    texts_ = std::move(merged.texts_);
    lines_ = std::move(merged.lines_);
    added_.clear();
    removed_.clear();
    carried_.clear();
    ++version_;
}

}  // namespace quimba
