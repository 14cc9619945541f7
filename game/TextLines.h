#pragma once
// Splitting the bytes of a text file into lines: a line ends at CR LF, a lone
// LF or a lone CR, the last line needs no terminator, and a NUL byte ends the
// text. Lines keep their blanks.

#include <string>
#include <string_view>
#include <vector>

namespace quimba {

std::vector<std::string> SplitLines(std::string_view bytes);
// The same split where a NUL is an ordinary byte of its line.
std::vector<std::string> SplitAtLineEnds(std::string_view bytes);

}  // namespace quimba
