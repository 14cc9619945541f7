#pragma once
// Splitting the bytes of a text file into lines: a line ends at CR LF, a lone
// LF or a lone CR, the last line needs no terminator, and a NUL byte ends the
// text. Lines keep their blanks.

#include <string>
#include <string_view>
#include <vector>

namespace quimba {

std::vector<std::string> SplitLines(std::string_view bytes);

// Reads a whole file. On failure returns false and puts the system's reason
// into `reason`.
bool ReadFileBytes(const std::string& path, std::string& bytes, std::string& reason);

}  // namespace quimba
