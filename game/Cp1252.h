#pragma once
// The game's text files (language file, best-scores list) are Windows-1252;
// inside the program all text is UTF-8.

#include <string>
#include <string_view>

namespace quimba {

std::string Cp1252ToUtf8(std::string_view bytes);
// Characters without a Windows-1252 byte become '?'; malformed UTF-8 too.
std::string Utf8ToCp1252(std::string_view utf8);

}  // namespace quimba
