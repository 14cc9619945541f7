#pragma once
// The best-scores list on disk: one entry per line, Windows-1252, every line
// ended by CR LF.

#include <string>
#include <string_view>
#include <vector>

#include "BestScores.h"

namespace quimba {

// A file beyond these bounds is no list the game wrote; it is refused as a
// whole (and so never saved over) rather than cut.
inline constexpr std::size_t kBestScoresMaxBytes = 16 * 1024 * 1024;
inline constexpr std::size_t kBestScoresMaxEntries = 1000000;

// The lines held in the bytes of a best-scores file, byte for byte: a line
// ends at CR LF, a lone LF or a lone CR, the last needs no terminator. Every
// other byte, NUL included, belongs to its line.
std::vector<std::string> ParseBestScores(std::string_view bytes);
// The bytes of the file for these lines.
std::string FormatBestScores(const std::vector<std::string>& lines);

// Fills the list from the file, but only when the list is empty. A missing
// file is no error. Returns "" when all went well, else
// "Cannot open file "<path>". <reason>"; the list is then left empty.
std::string LoadBestScores(BestScores& list, const std::string& path);

// Replaces the file with the list. The new bytes go to a fresh file beside
// the target, are flushed and synced to disk, and only then renamed over it,
// so a failure leaves the old file as it was. A symbolic link is followed and
// its target replaced; a read-only file is refused, not replaced. Returns ""
// when all went well, else a message naming the file and the reason.
std::string SaveBestScores(const BestScores& list, const std::string& path);

}  // namespace quimba
