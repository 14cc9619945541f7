#pragma once
// The best-scores list on disk: one entry per line, Windows-1252, every line
// ended by CR LF (or by LF alone when the file found there uses LF).

#include <string>
#include <string_view>
#include <vector>

#include "BestScores.h"
#include "Result.h"

namespace quimba {

// The most the game shows. One rule for load and save: a file beyond these
// bounds is never read into the list, never cut and never rewritten; the
// game starts without showing it and adds its new entries at its end.
inline constexpr std::size_t kBestScoresMaxBytes = 16 * 1024 * 1024;
inline constexpr std::size_t kBestScoresMaxEntries = 1000000;

// The lines held in the bytes of a best-scores file, byte for byte: a line
// ends at CR LF, a lone LF or a lone CR, the last needs no terminator. Every
// other byte, NUL included, belongs to its line.
std::vector<std::string> ParseBestScores(std::string_view bytes);
// The bytes of the file for these lines.
std::string FormatBestScores(const std::vector<std::string>& lines);

// The line ending a file already uses ("\n" or "\r\n"); CR LF when it has
// none.
std::string_view LineEndingOf(std::string_view bytes);
std::string FormatBestScores(const std::vector<std::string>& lines, std::string_view lineEnd);

// Fills the list from the file, but only when the list is empty. A missing
// file is no error. Fails with "Cannot open file "<path>". <reason>"; the
// list is then left empty. `tooLarge` tells a file beyond the bounds from
// one that cannot be read: the first is kept and the game goes on.
Status LoadBestScores(BestScores& list, const std::string& path, bool* tooLarge = nullptr);

// Replaces the file with the list. The new bytes go to a fresh file beside
// the target, are flushed and synced to disk, and only then renamed over it,
// so a failure leaves the old file as it was. A symbolic link is followed and
// its target replaced; a read-only file is refused, not replaced. Fails with
// a message naming the file and the reason.
// The save runs under a lock shared with other copies of the game, through
// one fixed temporary name ("<file>.tmp"), and removes what killed saves
// left behind. A list beyond the bounds is refused, not written.
Status SaveBestScores(const BestScores& list, const std::string& path);

// The save of a window: under the same lock, the file is read again and
// only what this list added or cleared since it was loaded is applied to
// it, so the entries another copy saved meanwhile survive. The list then
// holds the merged entries. When the file is, or would grow, beyond the
// bounds, the new entries are added at its end instead and the value is
// true (the list on disk is too large to show).
Result<bool> MergeBestScores(BestScores& list, const std::string& path);

}  // namespace quimba
