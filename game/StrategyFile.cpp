// The strategy table's file: a header naming the game type and the format
// version, the values, a checksum.
#include <algorithm>
#include <bit>
#include <cmath>

#include "Strategy.h"

namespace quimba {

namespace {

// File format.
constexpr std::array<std::uint8_t, 8> kMagic{'Q', 'M', 'B', 'S', 'T', 'R', 'A', 'T'};
constexpr std::uint32_t kFormatVersion = 1;
constexpr std::size_t kHeaderBytes = kMagic.size() + 3 * 4;
constexpr std::size_t kChecksumBytes = 8;

std::uint64_t Fnv1a(const std::uint8_t* data, std::size_t n) {
    std::uint64_t h = 1469598103934665603ull;
    for (std::size_t i = 0; i < n; ++i) {
        h ^= data[i];
        h *= 1099511628211ull;
    }
    return h;
}

void PutLittle(std::vector<std::uint8_t>& out, std::uint64_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

std::uint64_t GetLittle(const std::uint8_t* p, int bytes) {
    std::uint64_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | p[i];
    return v;
}

}  // namespace

std::vector<std::uint8_t> StrategyTable::Save() const {
    std::vector<std::uint8_t> out(kMagic.begin(), kMagic.end());
    PutLittle(out, kFormatVersion, 4);
    PutLittle(out, static_cast<std::uint32_t>(type_), 4);
    PutLittle(out, values_.size(), 4);
    out.reserve(out.size() + values_.size() * 8 + kChecksumBytes);
    for (double v : values_) PutLittle(out, std::bit_cast<std::uint64_t>(v), 8);
    PutLittle(out, Fnv1a(out.data(), out.size()), 8);
    return out;
}

std::size_t StrategyTable::FileBytes(int typejeu) {
    return IsGameType(typejeu) ? kHeaderBytes + ValueCount(typejeu) * 8 + kChecksumBytes : 0;
}

std::optional<StrategyTable> StrategyTable::Load(const std::vector<std::uint8_t>& bytes, int typejeu) {
    if (!IsGameType(typejeu)) return std::nullopt;
    const std::size_t count = ValueCount(typejeu);
    if (bytes.size() != FileBytes(typejeu)) return std::nullopt;
    if (!std::equal(kMagic.begin(), kMagic.end(), bytes.begin())) return std::nullopt;
    const std::uint8_t* p = bytes.data() + kMagic.size();
    if (GetLittle(p, 4) != kFormatVersion) return std::nullopt;
    if (GetLittle(p + 4, 4) != static_cast<std::uint32_t>(typejeu)) return std::nullopt;
    if (GetLittle(p + 8, 4) != count) return std::nullopt;
    const std::size_t body = bytes.size() - kChecksumBytes;
    if (GetLittle(bytes.data() + body, 8) != Fnv1a(bytes.data(), body)) return std::nullopt;
    StrategyTable table;
    table.type_ = typejeu;
    table.values_.resize(count);
    const std::uint8_t* v = bytes.data() + kHeaderBytes;
    for (std::size_t i = 0; i < count; ++i) {
        const double value = std::bit_cast<double>(GetLittle(v + 8 * i, 8));
        if (!std::isfinite(value)) return std::nullopt;
        table.values_[i] = value;
    }
    return table;
}

}  // namespace quimba
