#pragma once
// The best-scores list: one whole-text entry per finished game, kept in
// ascending case-insensitive text order, saved as "s.frd" beside the program.

#include <string>
#include <vector>

namespace quimba {

inline constexpr const char* kBestScoresFileName = "s.frd";

class BestScores {
public:
    // Inserts in sorted place (after equal entries).
    void Add(const std::string& entry);
    void Clear() { items_.clear(); }
    bool Empty() const { return items_.empty(); }
    const std::vector<std::string>& Items() const { return items_; }

private:
    std::vector<std::string> items_;
};

}  // namespace quimba
