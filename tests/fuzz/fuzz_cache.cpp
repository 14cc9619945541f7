// The strategy cache's reader: bytes it accepts are exactly the bytes the
// table saves again, of the one valid size; anything else is refused.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "FuzzCheck.h"
#include "Strategy.h"

using namespace quimba;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::uint8_t> bytes(data, data + size);
    for (int type : {kNormal, kAscendant, kDescendant}) {
        const auto table = StrategyTable::Load(bytes, type);
        if (!table) continue;
        FUZZ_CHECK(size == StrategyTable::FileBytes(type));
        FUZZ_CHECK(table->Type() == type);
        FUZZ_CHECK(table->Save() == bytes);
        FUZZ_CHECK(std::isfinite(table->Value(ColumnState{})));
    }
    return 0;
}
