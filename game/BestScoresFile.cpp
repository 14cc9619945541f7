// Reading and saving "s.frd": Windows-1252 lines, a merged save under a lock so two running copies lose nothing.
#include "BestScoresFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

#include <algorithm>
#include <cctype>
#include <unordered_map>

#include "FileAccess.h"
#include "TextLines.h"

namespace quimba {

namespace {

std::string Reason(int error) { return std::strerror(error); }

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

bool Fits(std::size_t bytes, std::size_t lines) {
    return bytes <= kBestScoresMaxBytes && lines <= kBestScoresMaxEntries;
}

std::string TooLargeReason() {
    return "The list would be larger than the game can show (" + std::to_string(kBestScoresMaxEntries) +
           " entries or " + std::to_string(kBestScoresMaxBytes / (1024 * 1024)) + " MiB)";
}

// The file a save replaces, links followed, with the mode it keeps.
struct SaveTarget {
    std::string file;
    mode_t mode = 0;
    bool exists = false;
};

Result<SaveTarget> FindSaveTarget(const std::string& path) {
    SaveTarget t;
    std::string reason;
    if (!FollowLinks(path, t.file, reason)) return Result<SaveTarget>::Failure(SaveError(path, reason));
    // A file marked read-only stays as it is, whoever runs the game.
    struct stat st {};
    if (::stat(t.file.c_str(), &st) == 0) {
        if (S_ISDIR(st.st_mode)) return Result<SaveTarget>::Failure(SaveError(path, Reason(EISDIR)));
        if (!S_ISREG(st.st_mode))
            return Result<SaveTarget>::Failure(SaveError(path, "Is " + SpecialFileKind(t.file) + ", not a file"));
        if ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0 || ::access(t.file.c_str(), W_OK) != 0)
            return Result<SaveTarget>::Failure(SaveError(path, Reason(EACCES) + " (the file is read-only)"));
        t.mode = st.st_mode & 07777;
        t.exists = true;
    } else if (errno != ENOENT) {
        return Result<SaveTarget>::Failure(SaveError(path, Reason(errno)));
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        t.mode = 0666 & ~mask;
    }
    return t;
}

std::string FolderOf(const std::string& file) {
    const std::string folder = std::filesystem::path(file).parent_path().string();
    return folder.empty() ? "." : folder;
}

// Every save goes through this one name, under the lock, so at most one
// temporary file can ever exist.
std::string TemporaryOf(const std::string& file) { return file + ".tmp"; }

// What earlier saves left when they were killed: the fixed temporary name,
// and the six-character unique names that older versions made.
void RemoveStaleTemporaries(const std::string& file) {
    namespace fs = std::filesystem;
    const std::string base = fs::path(file).filename().string() + ".";
    std::error_code ec;
    for (fs::directory_iterator it(FolderOf(file), ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (name.size() <= base.size() || name.compare(0, base.size(), base) != 0) continue;
        const std::string tail = name.substr(base.size());
        // A unique name mixes letters of both cases and digits; a word such
        // as "backup" is the player's own and stays.
        bool lower = false, upper = false, digit = false, other = false;
        for (const char c : tail) {
            lower |= c >= 'a' && c <= 'z';
            upper |= c >= 'A' && c <= 'Z';
            digit |= c >= '0' && c <= '9';
            other |= !std::isalnum(static_cast<unsigned char>(c));
        }
        const bool unique = tail.size() == 6 && !other && int(lower) + int(upper) + int(digit) >= 2;
        if ((tail == "tmp" || unique) && it->is_regular_file(ec)) ::unlink(it->path().c_str());
    }
}

// Writes the bytes to the temporary name, checks every write, syncs, and
// only then renames over the target.
Status ReplaceFile(const SaveTarget& t, const std::string& bytes, const std::string& path) {
    const std::string temporary = TemporaryOf(t.file);
    Fd fd(::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, 0600));
    if (fd.fd < 0) return Status::Failure(SaveError(path, Reason(errno)));
    auto failed = [&](int error) {
        ::unlink(temporary.c_str());
        return Status::Failure(SaveError(path, Reason(error)));
    };
    if (!WriteAll(fd.fd, bytes)) return failed(errno);
    if (::fchmod(fd.fd, t.mode) != 0) return failed(errno);
    if (::fsync(fd.fd) != 0) return failed(errno);
    if (::close(fd.Release()) != 0) return failed(errno);
    if (::rename(temporary.c_str(), t.file.c_str()) != 0) return failed(errno);
    // The rename itself reaches the disk with the folder.
    Fd dir(::open(FolderOf(t.file).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.fd >= 0) ::fsync(dir.fd);
    return Done{};
}

// Adds lines at the end of a file too large to rewrite, in its own line
// ending, starting a new line if its last has none.
Status AppendLines(const SaveTarget& t, const std::vector<std::string>& lines, const std::string& path) {
    if (lines.empty()) return Done{};
    Fd fd(::open(t.file.c_str(), O_RDWR | O_APPEND | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK));
    if (fd.fd < 0) return Status::Failure(SaveError(path, Reason(errno)));
    struct stat st {};
    if (::fstat(fd.fd, &st) != 0 || !S_ISREG(st.st_mode)) return Status::Failure(SaveError(path, "Not a regular file"));
    char head[4096];
    const ssize_t got = ::pread(fd.fd, head, sizeof head, 0);
    const std::string_view lineEnd = LineEndingOf(std::string_view(head, got > 0 ? std::size_t(got) : 0));
    std::string bytes;
    char last = '\n';
    if (st.st_size > 0 && ::pread(fd.fd, &last, 1, st.st_size - 1) != 1)
        return Status::Failure(SaveError(path, Reason(errno)));
    if (last != '\n' && last != '\r') bytes += lineEnd;
    bytes += FormatBestScores(lines, lineEnd);
    if (!WriteAll(fd.fd, bytes) || ::fsync(fd.fd) != 0) return Status::Failure(SaveError(path, Reason(errno)));
    return Done{};
}

// The line ending of the file now at the target, read from its head only.
std::string_view LineEndingOfFile(const std::string& file) {
    Fd fd(::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    struct stat st {};
    if (fd.fd < 0 || ::fstat(fd.fd, &st) != 0 || !S_ISREG(st.st_mode)) return "\r\n";
    char head[4096];
    const ssize_t got = ::pread(fd.fd, head, sizeof head, 0);
    return LineEndingOf(std::string_view(head, got > 0 ? std::size_t(got) : 0));
}

std::string LockOf(const std::string& file) { return file + ".lock"; }

}  // namespace

std::vector<std::string> ParseBestScores(std::string_view bytes) { return SplitAtLineEnds(bytes); }

std::string_view LineEndingOf(std::string_view bytes) {
    const std::size_t at = bytes.find_first_of("\r\n");
    return at != std::string_view::npos && bytes[at] == '\n' ? "\n" : "\r\n";
}

std::string FormatBestScores(const std::vector<std::string>& lines, std::string_view lineEnd) {
    std::size_t size = 0;
    for (const std::string& line : lines) size += line.size() + lineEnd.size();
    std::string bytes;
    bytes.reserve(size);
    for (const std::string& line : lines) {
        bytes += line;
        bytes += lineEnd;
    }
    return bytes;
}

std::string FormatBestScores(const std::vector<std::string>& lines) { return FormatBestScores(lines, "\r\n"); }

Status LoadBestScores(BestScores& list, const std::string& path, bool* tooLarge) {
    if (tooLarge) *tooLarge = false;
    if (!list.Empty()) return Done{};
    const FileBytes file = ReadRegularFile(path, kBestScoresMaxBytes);
    if (file.outcome == FileBytes::Missing) return Done{};  // no list yet
    if (file.outcome == FileBytes::TooLarge && tooLarge) *tooLarge = true;
    if (file.outcome != FileBytes::Read) return Status::Failure(OpenError(path, file.reason));
    std::vector<std::string> lines = ParseBestScores(file.bytes);
    if (lines.size() > kBestScoresMaxEntries) {
        if (tooLarge) *tooLarge = true;
        return Status::Failure(OpenError(
            path, "Too many lines for a best-scores list (more than " + std::to_string(kBestScoresMaxEntries) + ")"));
    }
    list.AddLines(std::move(lines));
    return Done{};
}

Status SaveBestScores(const BestScores& list, const std::string& path) {
    const Result<SaveTarget> target = FindSaveTarget(path);
    if (!target.Ok()) return Status::Failure(target.Error());
    const std::string bytes = FormatBestScores(list.Lines(), LineEndingOfFile(target.Value().file));
    if (!Fits(bytes.size(), list.Size())) return Status::Failure(SaveError(path, TooLargeReason()));
    const FileLock lock(LockOf(target.Value().file));
    if (!lock.Held()) return Status::Failure(SaveError(path, lock.Error()));
    RemoveStaleTemporaries(target.Value().file);
    return ReplaceFile(target.Value(), bytes, path);
}

Result<bool> MergeBestScores(BestScores& list, const std::string& path) {
    using R = Result<bool>;
    const Result<SaveTarget> found = FindSaveTarget(path);
    if (!found.Ok()) return R::Failure(found.Error());
    const SaveTarget& target = found.Value();
    const FileLock lock(LockOf(target.file));
    if (!lock.Held()) return R::Failure(SaveError(path, lock.Error()));
    RemoveStaleTemporaries(target.file);

    const FileBytes disk = ReadRegularFile(target.file, kBestScoresMaxBytes);
    if (disk.outcome == FileBytes::Refused) return R::Failure(SaveError(path, disk.reason));
    std::vector<std::string> kept;
    if (disk.outcome == FileBytes::Read) kept = ParseBestScores(disk.bytes);
    std::size_t bytes = disk.bytes.size();
    const std::string_view lineEnd = LineEndingOf(disk.bytes);
    std::size_t lines = kept.size() + list.AddedLines().size() + list.CarriedLines().size();
    for (const std::string& line : list.AddedLines()) bytes += line.size() + lineEnd.size();
    for (const std::string& line : list.CarriedLines()) bytes += line.size() + lineEnd.size();
    if (disk.outcome == FileBytes::TooLarge || !Fits(bytes, lines)) {
        // Never cut and never rewritten: what this copy added goes at the
        // end, and the player is told that the list is too large to show.
        const Status added = AppendLines(target, list.AddedLines(), path);
        if (!added.Ok()) return R::Failure(added.Error());
        list.Adopt(BestScores(list));
        return true;
    }
    // What this copy cleared goes, once per line cleared; the rest of the
    // file stays, and what this copy added joins it.
    std::unordered_map<std::string_view, std::size_t> cleared;
    for (const std::string& line : list.RemovedLines()) ++cleared[line];
    std::erase_if(kept, [&](const std::string& line) {
        const auto it = cleared.find(line);
        if (it == cleared.end() || it->second == 0) return false;
        --it->second;
        return true;
    });
    BestScores merged;
    merged.AddLines(std::move(kept));
    // Lines carried over from the other copy of the list join only where
    // the file lacks them, so two copies carrying them write them once.
    merged.AddMissingLines(list.CarriedLines());
    merged.AddLines(list.AddedLines());
    const Status saved = ReplaceFile(target, FormatBestScores(merged.Lines(), lineEnd), path);
    if (!saved.Ok()) return R::Failure(saved.Error());
    list.Adopt(std::move(merged));
    return false;
}

}  // namespace quimba
