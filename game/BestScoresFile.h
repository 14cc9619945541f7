#pragma once
// The best-scores list on disk: one entry per line, Windows-1252, every line
// ended by CR LF.

#include <string>
#include <string_view>
#include <vector>

#include "BestScores.h"

namespace quimba {

// Limits on what is taken from the file, so that a damaged or hostile file
// can neither exhaust memory nor flood the dialog: only the first MiB is
// read, at most this many entries are kept, each cut at this many characters.
inline constexpr std::size_t kBestScoresMaxBytes = 1024 * 1024;
inline constexpr std::size_t kBestScoresMaxEntries = 10000;
inline constexpr std::size_t kBestScoresMaxEntryChars = 200;

// The entries held in the bytes of a best-scores file, as UTF-8, within the
// limits above. Control characters (C0, DEL and the bytes Windows-1252 leaves
// undefined) cannot be shown in the list and are dropped; a NUL ends the text.
std::vector<std::string> ParseBestScores(std::string_view bytes);
// The bytes of the file for these entries. Line breaks inside an entry are
// dropped so that every entry stays one line.
std::string FormatBestScores(const std::vector<std::string>& entries);

// Fills the list from the file, but only when the list is empty. A missing
// file is no error. Returns "" when all went well, else
// "Cannot open file "<path>". <reason>".
std::string LoadBestScores(BestScores& list, const std::string& path);

// Replaces the file with the list. The new text goes to a file beside the
// target that replaces it only once complete, so a failure leaves the old
// file as it was. Returns "" when all went well, else a message naming the
// file and the reason.
std::string SaveBestScores(const BestScores& list, const std::string& path);

}  // namespace quimba
