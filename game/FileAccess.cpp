// Bounded, type-checked reads of regular files, the lock that serialises
// saves between copies of the game, and folder making with its reason.
#include "FileAccess.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <thread>

namespace quimba {

namespace {

std::string KindOf(mode_t mode) {
    if (S_ISDIR(mode)) return "a folder";
    if (S_ISFIFO(mode)) return "a FIFO";
    if (S_ISCHR(mode) || S_ISBLK(mode)) return "a device";
    if (S_ISSOCK(mode)) return "a socket";
    if (!S_ISREG(mode)) return "not a regular file";
    return {};
}

std::string SizeText(std::size_t bytes) {
    if (bytes >= 1024 * 1024 && bytes % (1024 * 1024) == 0) return std::to_string(bytes / (1024 * 1024)) + " MiB";
    if (bytes >= 1024 && bytes % 1024 == 0) return std::to_string(bytes / 1024) + " KiB";
    return std::to_string(bytes) + " bytes";
}

}  // namespace

std::string SpecialFileKind(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return {};
    return KindOf(st.st_mode);
}

FileBytes ReadRegularFile(const std::string& path, std::size_t maxBytes) {
    FileBytes out;
    // Non-blocking, so that opening a FIFO with no writer returns at once;
    // the type is checked before anything is read.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        out.outcome = errno == ENOENT || errno == ENOTDIR ? FileBytes::Missing : FileBytes::Refused;
        out.reason = std::strerror(errno);
        return out;
    }
    struct Closer {
        int fd;
        ~Closer() { ::close(fd); }
    } closer{fd};
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        out.reason = std::strerror(errno);
        return out;
    }
    if (const std::string kind = KindOf(st.st_mode); !kind.empty()) {
        out.reason = S_ISDIR(st.st_mode) ? std::string(std::strerror(EISDIR)) : "Is " + kind + ", not a file";
        return out;
    }
    const auto tooLarge = [&] {
        out.outcome = FileBytes::TooLarge;
        out.reason = "File too large (more than " + SizeText(maxBytes) + ")";
        return out;
    };
    if (static_cast<unsigned long long>(st.st_size) > maxBytes) return tooLarge();
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    // The size may change while it is read: one byte past the limit is
    // asked for, so a file that grew is still caught.
    out.bytes.resize(static_cast<std::size_t>(st.st_size) + 1);
    std::size_t have = 0;
    for (;;) {
        if (have == out.bytes.size()) {
            if (have > maxBytes) return tooLarge();
            out.bytes.resize(std::min(maxBytes + 1, have * 2 + 4096));
        }
        const ssize_t n = ::read(fd, out.bytes.data() + have, out.bytes.size() - have);
        if (n < 0) {
            if (errno == EINTR) continue;
            out.reason = std::strerror(errno);
            out.bytes.clear();
            return out;
        }
        if (n == 0) break;
        have += static_cast<std::size_t>(n);
    }
    if (have > maxBytes) return tooLarge();
    out.bytes.resize(have);
    out.outcome = FileBytes::Read;
    return out;
}

FileLock::FileLock(const std::string& path, int waitMs) : path_(path) {
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMs);
    for (;;) {
        const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOCTTY | O_NONBLOCK, 0600);
        if (fd < 0) {
            error_ = std::strerror(errno);
            return;
        }
        struct stat held {};
        if (::fstat(fd, &held) != 0 || !S_ISREG(held.st_mode)) {
            error_ = "Is " + KindOf(held.st_mode) + ", not a lock file";
            ::close(fd);
            return;
        }
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
            // The holder before us removes the file as it lets go; a lock
            // won on a file no longer at the path locks nothing.
            struct stat now {};
            if (::stat(path.c_str(), &now) == 0 && now.st_ino == held.st_ino && now.st_dev == held.st_dev) {
                fd_ = fd;
                return;
            }
            ::close(fd);
            continue;
        }
        const int error = errno;
        ::close(fd);
        if (error != EWOULDBLOCK && error != EINTR) {
            error_ = std::strerror(error);
            return;
        }
        if (std::chrono::steady_clock::now() >= until) {
            error_ = "Another copy of the game is saving it";
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

FileLock::~FileLock() {
    if (fd_ < 0) return;
    // Removed while still held, so no lock file is left beside the list.
    ::unlink(path_.c_str());
    ::close(fd_);
}

Status ReplaceWholeFile(const std::string& path, std::string_view bytes) {
    const std::string temporary = path + ".tmp";
    const auto failed = [&](int error) {
        ::unlink(temporary.c_str());
        return Status::Failure("Cannot save file \"" + path + "\". " + std::strerror(error));
    };
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, 0644);
    if (fd < 0) return failed(errno);
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            const int error = n < 0 ? errno : EIO;
            ::close(fd);
            return failed(error);
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    if (::fsync(fd) != 0) {
        const int error = errno;
        ::close(fd);
        return failed(error);
    }
    if (::close(fd) != 0) return failed(errno);
    if (::rename(temporary.c_str(), path.c_str()) != 0) return failed(errno);
    return Done{};
}

Status MakeFolder(const std::string& path) {
    if (path.empty()) return Status::Failure("Cannot make folder \"\". " + std::string(std::strerror(ENOENT)));
    std::string made;
    std::size_t at = 0;
    while (at != std::string::npos) {
        at = path.find('/', at + 1);
        made = path.substr(0, at);
        if (made.empty()) continue;
        if (::mkdir(made.c_str(), 0700) == 0 || errno == EEXIST) {
            struct stat st {};
            if (::stat(made.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) continue;
            errno = ENOTDIR;
        }
        return Status::Failure("Cannot make folder \"" + path + "\". " + std::strerror(errno));
    }
    return Done{};
}

}  // namespace quimba
