#include "BestScores.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <system_error>

#include "BestScoresFile.h"
#include "Cp1252.h"

namespace quimba {

namespace {

// Next code point of UTF-8 text; a malformed byte stands for itself, so
// every text still compares in a fixed order.
char32_t NextCodePoint(std::string_view s, std::size_t& i) {
    const auto b = static_cast<unsigned char>(s[i]);
    const int len = b < 0x80 ? 1 : (b >> 5) == 0x6 ? 2 : (b >> 4) == 0xE ? 3 : (b >> 3) == 0x1E ? 4 : 0;
    if (len > 1 && i + len <= s.size()) {
        char32_t c = len == 2 ? (b & 0x1F) : len == 3 ? (b & 0x0F) : (b & 0x07);
        bool ok = true;
        for (int k = 1; k < len && ok; ++k) {
            const auto cb = static_cast<unsigned char>(s[i + k]);
            ok = (cb & 0xC0) == 0x80;
            c = (c << 6) | (cb & 0x3F);
        }
        if (ok) {
            i += len;
            return c;
        }
    }
    ++i;
    return b;
}

// Lower case of the letters a French name can hold: ASCII, the Latin-1
// accented capitals and the few capitals Windows-1252 adds.
char32_t Fold(char32_t c) {
    if (c >= U'A' && c <= U'Z') return c + 32;
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 32;
    switch (c) {
        case 0x152: return 0x153;  // OE ligature
        case 0x160: return 0x161;  // S caron
        case 0x17D: return 0x17E;  // Z caron
        case 0x178: return 0xFF;   // Y diaeresis
        default: return c;
    }
}

// Text order, ignoring case; scores compare as text, so "105" < "98".
bool LessIgnoringCase(std::string_view a, std::string_view b) {
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < a.size() && j < b.size()) {
        const char32_t ca = Fold(NextCodePoint(a, i));
        const char32_t cb = Fold(NextCodePoint(b, j));
        if (ca != cb) return ca < cb;
    }
    return i == a.size() && j < b.size();
}

bool Unshowable(unsigned char b) {
    return b < 0x20 || b == 0x7F || b == 0x81 || b == 0x8D || b == 0x8F || b == 0x90 || b == 0x9D;
}

std::string Reason(int error) { return std::strerror(error); }

using File = std::unique_ptr<std::FILE, int (*)(std::FILE*)>;

std::string OpenError(const std::string& path, const std::string& reason) {
    return "Cannot open file \"" + path + "\". " + reason;
}

std::string SaveError(const std::string& path, const std::string& reason) {
    return "Cannot save file \"" + path + "\". " + reason;
}

// A descriptor closed on every way out.
struct Fd {
    int fd = -1;
    explicit Fd(int f) : fd(f) {}
    ~Fd() {
        if (fd >= 0) ::close(fd);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int Release() {
        const int f = fd;
        fd = -1;
        return f;
    }
};

// The file a path finally names: symbolic links followed (a bounded number of
// times, so a loop of links is an error rather than a hang).
bool FollowLinks(const std::string& path, std::string& target, std::string& reason) {
    namespace fs = std::filesystem;
    fs::path p(path);
    for (int hops = 0; hops < 40; ++hops) {
        std::error_code ec;
        if (!fs::is_symlink(fs::symlink_status(p, ec))) {
            target = p.string();
            return true;
        }
        const fs::path to = fs::read_symlink(p, ec);
        if (ec) {
            reason = ec.message();
            return false;
        }
        p = to.is_absolute() ? to : p.parent_path() / to;
    }
    reason = Reason(ELOOP);
    return false;
}

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

}  // namespace

std::string ShownEntryText(std::string_view line) {
    std::string shown;
    std::size_t run = 0;
    for (std::size_t i = 0; i <= line.size(); ++i) {
        if (i < line.size() && !Unshowable(static_cast<unsigned char>(line[i]))) continue;
        shown += Cp1252ToUtf8(line.substr(run, i - run));
        if (i < line.size()) shown += "\xEF\xBF\xBD";
        run = i + 1;
    }
    return shown;
}

void BestScores::Add(const std::string& entry) {
    std::string line = entry;
    // One entry, one line.
    std::erase_if(line, [](char c) { return c == '\r' || c == '\n' || c == '\0'; });
    line = Utf8ToCp1252(line);
    // Shown as it will read back from the file.
    std::string text = ShownEntryText(line);
    const auto at = std::upper_bound(texts_.begin(), texts_.end(), text,
                                     [](const std::string& a, const std::string& b) {
                                         return LessIgnoringCase(a, b);
                                     });
    const auto index = at - texts_.begin();
    texts_.insert(at, std::move(text));
    lines_.insert(lines_.begin() + index, std::move(line));
    ++version_;
}

void BestScores::AddLines(std::vector<std::string> lines) {
    std::vector<std::string> texts;
    texts.reserve(texts_.size() + lines.size());
    for (const std::string& line : lines) texts.push_back(ShownEntryText(line));
    // Held entries first, so a stable sort puts new ones after their equals;
    // one sort keeps a long file's load from going quadratic.
    std::vector<std::size_t> order(texts_.size() + lines.size());
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
    auto textOf = [&](std::size_t i) -> const std::string& {
        return i < texts_.size() ? texts_[i] : texts[i - texts_.size()];
    };
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return LessIgnoringCase(textOf(a), textOf(b)); });
    std::vector<std::string> sortedTexts, sortedLines;
    sortedTexts.reserve(order.size());
    sortedLines.reserve(order.size());
    for (std::size_t i : order) {
        if (i < texts_.size()) {
            sortedTexts.push_back(std::move(texts_[i]));
            sortedLines.push_back(std::move(lines_[i]));
        } else {
            sortedTexts.push_back(std::move(texts[i - texts_.size()]));
            sortedLines.push_back(std::move(lines[i - texts_.size()]));
        }
    }
    texts_ = std::move(sortedTexts);
    lines_ = std::move(sortedLines);
    ++version_;
}

void BestScores::Clear() {
    texts_.clear();
    lines_.clear();
    ++version_;
}

std::vector<std::string> ParseBestScores(std::string_view bytes) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    std::size_t i = 0;
    while (i < bytes.size()) {
        const char c = bytes[i];
        if (c == '\r' || c == '\n') {
            lines.emplace_back(bytes.substr(start, i - start));
            i += (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ? 2 : 1;
            start = i;
        } else {
            ++i;
        }
    }
    if (start < bytes.size()) lines.emplace_back(bytes.substr(start));
    return lines;
}

std::string FormatBestScores(const std::vector<std::string>& lines) {
    std::size_t size = 0;
    for (const std::string& line : lines) size += line.size() + 2;
    std::string bytes;
    bytes.reserve(size);
    for (const std::string& line : lines) {
        bytes += line;
        bytes += "\r\n";
    }
    return bytes;
}

std::string LoadBestScores(BestScores& list, const std::string& path) {
    if (!list.Empty()) return {};
    errno = 0;
    File f(std::fopen(path.c_str(), "rb"), &std::fclose);
    if (!f) {
        const int error = errno ? errno : EIO;
        if (error == ENOENT) return {};  // no list yet
        return OpenError(path, Reason(error));
    }
    std::string bytes;
    char buffer[65536];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f.get())) > 0) {
        if (bytes.size() + n > kBestScoresMaxBytes)
            return OpenError(path, "File too large for a best-scores list (more than " +
                                       std::to_string(kBestScoresMaxBytes / (1024 * 1024)) + " MiB)");
        bytes.append(buffer, n);
    }
    // A folder of that name opens but cannot be read.
    if (std::ferror(f.get())) return OpenError(path, Reason(errno ? errno : EIO));
    std::vector<std::string> lines = ParseBestScores(bytes);
    if (lines.size() > kBestScoresMaxEntries)
        return OpenError(path, "Too many lines for a best-scores list (more than " +
                                   std::to_string(kBestScoresMaxEntries) + ")");
    list.AddLines(std::move(lines));
    return {};
}

std::string SaveBestScores(const BestScores& list, const std::string& path) {
    namespace fs = std::filesystem;
    std::string target;
    std::string reason;
    if (!FollowLinks(path, target, reason)) return SaveError(path, reason);

    // A file marked read-only stays as it is, whoever runs the game.
    mode_t mode = 0;
    struct stat st {};
    if (::stat(target.c_str(), &st) == 0) {
        if (S_ISDIR(st.st_mode)) return SaveError(path, Reason(EISDIR));
        if (!S_ISREG(st.st_mode)) return SaveError(path, "Not a regular file");
        if ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0 || ::access(target.c_str(), W_OK) != 0)
            return SaveError(path, Reason(EACCES) + " (the file is read-only)");
        mode = st.st_mode & 07777;
    } else if (errno != ENOENT) {
        return SaveError(path, Reason(errno));
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }

    const fs::path folder = fs::path(target).parent_path();
    std::string temporary = ((folder.empty() ? fs::path(".") : folder) /
                             (fs::path(target).filename().string() + ".XXXXXX"))
                                .string();
    Fd fd(::mkstemp(temporary.data()));
    if (fd.fd < 0) return SaveError(path, Reason(errno));
    auto failed = [&](int error) {
        ::unlink(temporary.c_str());
        return SaveError(path, Reason(error));
    };
    const std::string bytes = FormatBestScores(list.Lines());
    if (!WriteAll(fd.fd, bytes)) return failed(errno);
    if (::fchmod(fd.fd, mode) != 0) return failed(errno);
    if (::fsync(fd.fd) != 0) return failed(errno);
    if (::close(fd.Release()) != 0) return failed(errno);
    if (::rename(temporary.c_str(), target.c_str()) != 0) return failed(errno);
    // The rename itself reaches the disk with the folder.
    Fd dir(::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY));
    if (dir.fd >= 0) ::fsync(dir.fd);
    return {};
}

}  // namespace quimba
