#include "TextLines.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

namespace quimba {

std::vector<std::string> SplitLines(std::string_view bytes) {
    const auto nul = bytes.find('\0');
    if (nul != std::string_view::npos) bytes = bytes.substr(0, nul);
    return SplitAtLineEnds(bytes);
}

std::vector<std::string> SplitAtLineEnds(std::string_view bytes) {
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

Result<std::string> ReadFileBytes(const std::string& path, std::size_t maxBytes) {
    using R = Result<std::string>;
    errno = 0;
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> f(std::fopen(path.c_str(), "rb"), &std::fclose);
    if (!f) return R::Failure(std::strerror(errno ? errno : ENOENT));
    std::string bytes;
    char buffer[65536];
    while (bytes.size() < maxBytes) {
        const std::size_t want = std::min(sizeof buffer, maxBytes - bytes.size());
        const std::size_t n = std::fread(buffer, 1, want, f.get());
        bytes.append(buffer, n);
        if (n < want) break;
    }
    // A folder of that name opens but cannot be read.
    if (std::ferror(f.get())) return R::Failure(std::strerror(errno ? errno : EIO));
    return bytes;
}

}  // namespace quimba
