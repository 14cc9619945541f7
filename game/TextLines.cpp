#include "TextLines.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

namespace quimba {

std::vector<std::string> SplitLines(std::string_view bytes) {
    const auto nul = bytes.find('\0');
    if (nul != std::string_view::npos) bytes = bytes.substr(0, nul);
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

bool ReadFileBytes(const std::string& path, std::string& bytes, std::string& reason) {
    errno = 0;
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> f(std::fopen(path.c_str(), "rb"), &std::fclose);
    if (!f) {
        reason = std::strerror(errno ? errno : ENOENT);
        return false;
    }
    bytes.clear();
    char buffer[65536];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f.get())) > 0) bytes.append(buffer, n);
    if (std::ferror(f.get())) {
        reason = std::strerror(errno ? errno : EIO);
        return false;
    }
    return true;
}

}  // namespace quimba
