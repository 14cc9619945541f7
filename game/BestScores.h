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
};

// How a stored line is shown: Windows-1252 decoded to UTF-8, with every byte
// that has no printable character (controls, NUL, the five undefined bytes)
// shown as U+FFFD so that nothing in the line goes unseen.
std::string ShownEntryText(std::string_view line);

}  // namespace quimba
