// The best-scores list: parse, format and add. Whatever the file holds
// formats back to bytes that parse to the same lines; an added entry, whatever
// its text, stays one line, and what the list shows is valid UTF-8.
#include <cstddef>
#include <cstdint>
#include <string>

#include "BestScores.h"
#include "BestScoresFile.h"
#include "FuzzCheck.h"

using namespace quimba;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const std::vector<std::string> lines = ParseBestScores(bytes);
    BestScores list;
    list.AddLines(lines);
    FUZZ_CHECK(list.Size() == lines.size());
    for (const std::string_view ending : {std::string_view("\r\n"), std::string_view("\n")}) {
        const std::string saved = FormatBestScores(list.Lines(), ending);
        FUZZ_CHECK(ParseBestScores(saved) == list.Lines());
        FUZZ_CHECK(LineEndingOf(saved) == (list.Empty() ? std::string_view("\r\n") : ending));
    }
    // The same bytes typed as a player's name, as UTF-8.
    list.Add(bytes);
    FUZZ_CHECK(list.Size() == lines.size() + 1);
    FUZZ_CHECK(ParseBestScores(FormatBestScores(list.Lines())) == list.Lines());
    for (const std::string& shown : list.Items()) FUZZ_CHECK(fuzz::ValidUtf8(shown));
    return 0;
}
