// Conversion between Windows-1252, the text files' encoding, and the UTF-8 used inside the program.
#include "Cp1252.h"

#include <array>
#include <cstdint>

namespace quimba {

namespace {

// 0x80..0x9F; the five bytes Windows-1252 leaves undefined map to the C1
// control of the same value, as Windows itself does.
constexpr std::array<char32_t, 32> kHigh{0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                         0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                         0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                         0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char32_t Decode(unsigned char b) { return (b >= 0x80 && b < 0xA0) ? kHigh[b - 0x80] : char32_t(b); }

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += char(c);
    } else if (c < 0x800) {
        out += char(0xC0 | (c >> 6));
        out += char(0x80 | (c & 0x3F));
    } else {
        out += char(0xE0 | (c >> 12));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    }
}

int Encode(char32_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return int(c);
    for (int i = 0; i < 32; ++i)
        if (kHigh[i] == c) return 0x80 + i;
    return -1;
}

}  // namespace

std::string Cp1252ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 8);
    for (unsigned char b : bytes) AppendUtf8(out, Decode(b));
    return out;
}

std::string Utf8ToCp1252(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    std::size_t i = 0;
    while (i < utf8.size()) {
        const auto b = static_cast<unsigned char>(utf8[i]);
        int len = b < 0x80 ? 1 : (b >> 5) == 0x6 ? 2 : (b >> 4) == 0xE ? 3 : (b >> 3) == 0x1E ? 4 : 0;
        char32_t c = 0;
        bool ok = len > 0 && i + len <= utf8.size();
        if (ok) {
            c = len == 1 ? b : len == 2 ? (b & 0x1F) : len == 3 ? (b & 0x0F) : (b & 0x07);
            for (int k = 1; k < len; ++k) {
                const auto cb = static_cast<unsigned char>(utf8[i + k]);
                if ((cb & 0xC0) != 0x80) {
                    ok = false;
                    break;
                }
                c = (c << 6) | (cb & 0x3F);
            }
            // An overlong form (C0 8A for a line feed), a surrogate or a
            // value past U+10FFFF is malformed, never the character it spells.
            constexpr char32_t kShortest[] = {0, 0, 0x80, 0x800, 0x10000};
            if (ok && (c < kShortest[len] || (c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF)) ok = false;
        }
        if (!ok) {
            out += '?';
            ++i;
            continue;
        }
        const int e = Encode(c);
        out += e < 0 ? '?' : char(e);
        i += len;
    }
    return out;
}

}  // namespace quimba
