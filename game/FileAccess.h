#pragma once
// Reading and locking the files a player or an install can replace by
// anything: only a regular file (or a link to one) is read, never more than
// a valid file of its kind can hold, and never waiting on a FIFO or device.

#include <cstddef>
#include <string>
#include <string_view>

#include "Result.h"

namespace quimba {

struct FileBytes {
    enum Outcome { Read, Missing, TooLarge, Refused } outcome = Refused;  // Missing: nothing there at all
    std::string bytes;                                                    // Read: the whole file
    std::string reason;  // otherwise: why, without the path ("Is a FIFO, not a file")
};

// The whole file when it is a regular file of at most `maxBytes` bytes. The
// type and size are checked before a byte is read.
FileBytes ReadRegularFile(const std::string& path, std::size_t maxBytes);

// What a path that is not a regular file holds, for messages ("a folder",
// "a FIFO", "a device", "a socket"); empty for a regular file or nothing.
std::string SpecialFileKind(const std::string& path);

// An exclusive lock on the file `path`, made for the purpose and removed
// when let go: an advisory lock that the system drops when its holder dies,
// so a killed copy never blocks the next. Waits up to `waitMs` for another
// holder.
class FileLock {
public:
    explicit FileLock(const std::string& path, int waitMs = 10000);
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    bool Held() const { return fd_ >= 0; }
    // Why it is not held.
    const std::string& Error() const { return error_; }

private:
    std::string path_;
    int fd_ = -1;
    std::string error_;
};

// Replaces the file at `path` (a link there is replaced itself, never what
// it points to) with `bytes`: written whole to "<path>.tmp", synced, then
// renamed over it, so a failure or a kill leaves the old file. The caller
// holds a lock that keeps other writers of the same path away.
Status ReplaceWholeFile(const std::string& path, std::string_view bytes);

// Makes a folder and its parents. Fails with the system's reason, naming the
// folder that could not be made.
Status MakeFolder(const std::string& path);

}  // namespace quimba
