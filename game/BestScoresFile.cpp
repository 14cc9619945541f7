#include "BestScoresFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

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

}  // namespace

std::vector<std::string> ParseBestScores(std::string_view bytes) { return SplitAtLineEnds(bytes); }

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

Status LoadBestScores(BestScores& list, const std::string& path) {
    if (!list.Empty()) return Done{};
    std::error_code ec;
    if (!std::filesystem::exists(path, ec) && !ec) return Done{};  // no list yet
    // One byte past the limit tells a file that is too large.
    const Result<std::string> bytes = ReadFileBytes(path, kBestScoresMaxBytes + 1);
    if (!bytes.Ok()) return Status::Failure(OpenError(path, bytes.Error()));
    if (bytes.Value().size() > kBestScoresMaxBytes)
        return Status::Failure(OpenError(path, "File too large for a best-scores list (more than " +
                                                   std::to_string(kBestScoresMaxBytes / (1024 * 1024)) + " MiB)"));
    std::vector<std::string> lines = ParseBestScores(bytes.Value());
    if (lines.size() > kBestScoresMaxEntries)
        return Status::Failure(OpenError(
            path, "Too many lines for a best-scores list (more than " + std::to_string(kBestScoresMaxEntries) + ")"));
    list.AddLines(std::move(lines));
    return Done{};
}

Status SaveBestScores(const BestScores& list, const std::string& path) {
    namespace fs = std::filesystem;
    std::string target;
    std::string reason;
    if (!FollowLinks(path, target, reason)) return Status::Failure(SaveError(path, reason));

    // A file marked read-only stays as it is, whoever runs the game.
    mode_t mode = 0;
    struct stat st {};
    if (::stat(target.c_str(), &st) == 0) {
        if (S_ISDIR(st.st_mode)) return Status::Failure(SaveError(path, Reason(EISDIR)));
        if (!S_ISREG(st.st_mode)) return Status::Failure(SaveError(path, "Not a regular file"));
        if ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0 || ::access(target.c_str(), W_OK) != 0)
            return Status::Failure(SaveError(path, Reason(EACCES) + " (the file is read-only)"));
        mode = st.st_mode & 07777;
    } else if (errno != ENOENT) {
        return Status::Failure(SaveError(path, Reason(errno)));
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }

    const fs::path folder = fs::path(target).parent_path();
    std::string temporary =
        ((folder.empty() ? fs::path(".") : folder) / (fs::path(target).filename().string() + ".XXXXXX")).string();
    Fd fd(::mkstemp(temporary.data()));
    if (fd.fd < 0) return Status::Failure(SaveError(path, Reason(errno)));
    auto failed = [&](int error) {
        ::unlink(temporary.c_str());
        return Status::Failure(SaveError(path, Reason(error)));
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
    return Done{};
}

}  // namespace quimba
