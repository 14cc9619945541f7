// The kept sets of dice, built once for both solvers.
#include "KeepSets.h"

#include "ScoringRule.h"

namespace quimba::keep {

int Gain(int row, const Counts& counts) {
    const int points = RowPoints(row, counts);
    return row == lignemoins ? -points : points;
}

int Code(const Counts& c) {
    int code = 0;
    for (int f = kFaces; f >= 1; --f) code = code * 6 + c[f];
    return code;
}

KeepSets::KeepSets() : byCode(6 * 6 * 6 * 6 * 6 * 6, -1) {
    int next = 0;
    for (int n = kDice; n >= 0; --n) {
        Counts c{};
        // All counts with n dice, in a fixed order.
        auto place = [&](auto&& self, int face, int left) -> void {
            if (face == kFaces) {
                c[face] = static_cast<std::uint8_t>(left);
                counts[next] = c;
                byCode[Code(c)] = static_cast<std::int16_t>(next);
                ++next;
                return;
            }
            for (int k = left; k >= 0; --k) {
                c[face] = static_cast<std::uint8_t>(k);
                self(self, face + 1, left - k);
            }
        };
        place(place, 1, n);
    }
    for (int k = 0; k < kKeeps; ++k) {
        int size = 0;
        for (int f = 1; f <= kFaces; ++f) size += counts[k][f];
        for (int f = 1; f <= kFaces; ++f) {
            Counts c = counts[k];
            more[k][f] = -1;
            if (size < kDice) {
                ++c[f];
                more[k][f] = byCode[Code(c)];
            }
            c = counts[k];
            less[k][f] = -1;
            if (c[f] > 0) {
                --c[f];
                less[k][f] = byCode[Code(c)];
            }
        }
    }
    for (int o = 0; o < kOutcomes; ++o) {
        // 5! / prod(count!) orders of 6^5 throws give this outcome.
        double orders = 120.0;
        for (int f = 1; f <= kFaces; ++f)
            for (int k = 2; k <= counts[o][f]; ++k) orders /= k;
        chance[o] = orders / 7776.0;
    }
    for (int o = 0; o < kOutcomes; ++o)
        for (int i = 0; i < kLowerRows; ++i)
            lowerPoints[o][i] = static_cast<std::int16_t>(Gain(kChosenRows[kUpperRows + i], counts[o]));
}

const KeepSets& Sets() {
    static const KeepSets sets;
    return sets;
}

}  // namespace quimba::keep
