#include "BestScores.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <system_error>

#include "BestScoresFile.h"
#include "Cp1252.h"
#include "TextLines.h"

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

// Text order, ignoring case; scores compare as text, so "105" < "98".
bool LessIgnoringCase(std::string_view a, std::string_view b) {
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < a.size() && j < b.size()) {
        const char32_t ca = Fold(NextCodePoint(a, i));
        const char32_t cb = Fold(NextCodePoint(b, j));
        if (ca != cb) return ca < cb;
    }
    return i == a.size() && j < b.size();
}

bool Unshowable(unsigned char b) {
    return b < 0x20 || b == 0x7F || b == 0x81 || b == 0x8D || b == 0x8F || b == 0x90 || b == 0x9D;
}

std::string Reason(int error) { return std::strerror(error); }

using File = std::unique_ptr<std::FILE, int (*)(std::FILE*)>;

}  // namespace

void BestScores::Add(const std::string& entry) {
    const auto at = std::upper_bound(items_.begin(), items_.end(), entry,
                                     [](const std::string& a, const std::string& b) {
                                         return LessIgnoringCase(a, b);
                                     });
    items_.insert(at, entry);
}

std::vector<std::string> ParseBestScores(std::string_view bytes) {
    if (bytes.size() > kBestScoresMaxBytes) bytes = bytes.substr(0, kBestScoresMaxBytes);
    // Stop after the last line that will be kept, so a file of nothing but
    // line ends does not turn into a million empty lines first.
    std::size_t ends = 0;
    for (std::size_t i = 0; i < bytes.size() && bytes[i] != '\0'; ++i) {
        if (bytes[i] != '\r' && bytes[i] != '\n') continue;
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
        if (++ends == kBestScoresMaxEntries) {
            bytes = bytes.substr(0, i + 1);
            break;
        }
    }
    std::vector<std::string> entries;
    for (const std::string& line : SplitLines(bytes)) {
        if (entries.size() == kBestScoresMaxEntries) break;
        std::string kept;
        for (char c : line) {
            if (kept.size() == kBestScoresMaxEntryChars) break;
            if (!Unshowable(static_cast<unsigned char>(c))) kept += c;
        }
        entries.push_back(Cp1252ToUtf8(kept));
    }
    return entries;
}

std::string FormatBestScores(const std::vector<std::string>& entries) {
    std::string bytes;
    for (const std::string& entry : entries) {
        std::string line = entry;
        std::erase_if(line, [](char c) { return c == '\r' || c == '\n' || c == '\0'; });
        bytes += Utf8ToCp1252(line);
        bytes += "\r\n";
    }
    return bytes;
}

std::string LoadBestScores(BestScores& list, const std::string& path) {
    if (!list.Empty()) return {};
    errno = 0;
    File f(std::fopen(path.c_str(), "rb"), &std::fclose);
    if (!f) {
        const int error = errno ? errno : EIO;
        if (error == ENOENT) return {};  // no list yet
        return "Cannot open file \"" + path + "\". " + Reason(error);
    }
    std::string bytes;
    char buffer[65536];
    while (bytes.size() < kBestScoresMaxBytes) {
        const std::size_t want = std::min(sizeof buffer, kBestScoresMaxBytes - bytes.size());
        const std::size_t n = std::fread(buffer, 1, want, f.get());
        bytes.append(buffer, n);
        if (n < want) break;
    }
    // A folder of that name opens but cannot be read.
    if (std::ferror(f.get())) return "Cannot open file \"" + path + "\". " + Reason(errno ? errno : EIO);
    for (std::string& entry : ParseBestScores(bytes)) list.Add(entry);
    return {};
}

std::string SaveBestScores(const BestScores& list, const std::string& path) {
    const std::string temporary = path + ".new";
    auto failed = [&](const std::string& reason) {
        std::error_code ignored;
        std::filesystem::remove(temporary, ignored);
        return "Cannot save file \"" + path + "\". " + reason;
    };
    const std::string bytes = FormatBestScores(list.Items());
    errno = 0;
    std::FILE* f = std::fopen(temporary.c_str(), "wb");
    if (!f) return "Cannot save file \"" + path + "\". " + Reason(errno ? errno : EIO);
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    const bool flushed = std::fflush(f) == 0;
    const int error = errno ? errno : EIO;
    const bool closed = std::fclose(f) == 0;
    if (!written || !flushed || !closed) return failed(Reason(error));
    std::error_code ec;
    std::filesystem::rename(temporary, path, ec);
    if (ec) return failed(ec.message());
    return {};
}

}  // namespace quimba
