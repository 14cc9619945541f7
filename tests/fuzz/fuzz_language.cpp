// The language file's reader: any bytes give lines of valid UTF-8 without a
// line break inside, or a refusal; never a crash.
#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzCheck.h"
#include "Language.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const auto lines = quimba::ParseLanguage(bytes);
    if (!lines.Ok()) {
        FUZZ_CHECK(!lines.Error().empty());
        return 0;
    }
    FUZZ_CHECK(lines.Value().size() <= size + 1);
    for (const std::string& line : lines.Value()) {
        FUZZ_CHECK(quimba::fuzz::ValidUtf8(line));
        FUZZ_CHECK(line.find_first_of("\r\n") == std::string::npos);
        FUZZ_CHECK(line.find('\0') == std::string::npos);
    }
    return 0;
}
