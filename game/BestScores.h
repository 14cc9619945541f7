#pragma once
// The best-scores list: one whole-text entry per finished game, kept in
// ascending case-insensitive text order, saved as "s.frd" beside the program.
// Each entry keeps the bytes of its file line, so whatever the file held
// (bytes the list cannot show included) is written back exactly as read.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quimba {

inline constexpr const char* kBestScoresFileName = "s.frd";

class BestScores {
public:
    // A finished game's entry, as UTF-8 text; inserted in sorted place
    // (after equal entries).
    void Add(const std::string& entry);
    // Lines of the file, as its Windows-1252 bytes: every line becomes an
    // entry, sorted in after the entries already held.
    void AddLines(std::vector<std::string> lines);
    void Clear();
    // What this list changed since it was loaded or last merged with its
    // file, as file lines: a save merges only these into the file as it is
    // then, so a second copy of the game loses nothing.
    const std::vector<std::string>& AddedLines() const { return added_; }
    const std::vector<std::string>& RemovedLines() const { return removed_; }
    // Lines of another copy of the list (the one beside the program, or the
    // player's own): each line this list lacks, counted with repeats, joins
    // it as carried over, so one list holds both and the next save keeps
    // them; a line the file already holds is never written twice.
    void AddMissingLines(const std::vector<std::string>& lines);
    const std::vector<std::string>& CarriedLines() const { return carried_; }
    // Takes the entries of a list merged with its file; the list now agrees
    // with the file.
    void Adopt(BestScores&& merged);
    bool Empty() const { return texts_.empty(); }
    std::size_t Size() const { return texts_.size(); }
    // The entries as the list shows them (UTF-8), in list order.
    const std::vector<std::string>& Items() const { return texts_; }
    // The entries as the file holds them (Windows-1252), in list order.
    const std::vector<std::string>& Lines() const { return lines_; }
    // Grows with every change, so a view can tell it is out of date.
    std::uint64_t Version() const { return version_; }

private:
    std::uint64_t version_ = 0;
    std::vector<std::string> texts_;
    std::vector<std::string> lines_;
    std::vector<std::string> added_;
    std::vector<std::string> removed_;
    std::vector<std::string> carried_;
};

// How a stored line is shown: Windows-1252 decoded to UTF-8, with every byte
// that has no printable character (controls, NUL, the five undefined bytes)
// shown as U+FFFD so that nothing in the line goes unseen.
std::string ShownEntryText(std::string_view line);

}  // namespace quimba
