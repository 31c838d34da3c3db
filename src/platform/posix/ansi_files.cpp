// platform/posix: message files in code page 1252, the code page of a default
// Wine prefix (read back also as UTF-8 or UTF-16, as decodeFileText says),
// with "\" read as the folder separator. A write replaces the
// file whole or not at all: a temporary file and rename(). A file without
// any write permission is refused, as Windows refuses a read-only one, and
// so is anything at the path that is not a plain file.
// Uses POSIX calls and platform/utf8.h.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>

#include "platform/ansi_files.h"
#include "platform/utf8.h"

namespace orvenda::platform {

namespace {

// Bytes 0x80 to 0x9F; every other byte stands for the same code point.
constexpr std::array<char32_t, 32> kHigh = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

std::optional<unsigned char> toByte(char32_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<unsigned char>(c);
    auto it = std::find(kHigh.begin(), kHigh.end(), c);
    if (it == kHigh.end()) return std::nullopt;
    return static_cast<unsigned char>(0x80 + (it - kHigh.begin()));
}

char32_t fromByte(unsigned char b) { return b >= 0x80 && b < 0xA0 ? kHigh[b - 0x80] : b; }

std::string hostPath(std::string path) {
    std::replace(path.begin(), path.end(), '\\', '/');
    return path;
}

std::string reason(int error) { return std::strerror(error); }

mode_t currentUmask() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return mask;
}

// What stands at the path, in `at` (all zero where nothing does); refused
// unless it is a plain file, as Windows refuses a folder or a link there.
std::optional<std::string> unusable(const std::string& target, struct stat& at) {
    if (::lstat(target.c_str(), &at) != 0) at = {};
    if (at.st_mode == 0 || S_ISREG(at.st_mode)) return std::nullopt;
    return notAFileReason(S_ISDIR(at.st_mode));
}

class Cp1252Files : public AnsiTextFiles {
public:
    std::optional<char32_t> firstUnrepresentable(std::string_view utf8) const override {
        for (std::size_t pos = 0; pos < utf8.size();) {
            const char32_t c = nextCharacter(utf8, pos);
            if (!toByte(c)) return c;
        }
        return std::nullopt;
    }

    std::optional<std::string> write(const std::string& path, std::string_view utf8) override {
        std::string bytes;
        bytes.reserve(utf8.size());
        for (std::size_t pos = 0; pos < utf8.size();) {
            auto b = toByte(nextCharacter(utf8, pos));
            if (!b) return std::string("The text holds a character that code page 1252 cannot hold.");
            bytes += static_cast<char>(*b);
        }
        // The new text goes to a temporary file beside the old one, which
        // replaces it in one step once all of it is on disk.
        const std::string target = hostPath(path);
        struct stat old {};
        if (auto refused = unusable(target, old)) return refused;
        const bool exists = old.st_mode != 0;
        if (exists && (old.st_mode & 0222) == 0) return reason(EACCES);
        std::string temporary = target + ".XXXXXX";
        const int fd = ::mkstemp(temporary.data());
        if (fd < 0) return reason(errno);
        const auto fail = [&](int error) {
            ::close(fd);
            ::unlink(temporary.c_str());
            return reason(error);
        };
        if (::fchmod(fd, exists ? old.st_mode & 07777 : 0666 & ~currentUmask()) != 0) return fail(errno);
        std::size_t done = 0;
        while (done < bytes.size()) {
            const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
            if (n < 0) {
                if (errno == EINTR) continue;
                return fail(errno);
            }
            done += static_cast<std::size_t>(n);
        }
        if (::fsync(fd) != 0) return fail(errno);
        if (::close(fd) != 0) {
            const int error = errno;
            ::unlink(temporary.c_str());
            return reason(error);
        }
        if (::rename(temporary.c_str(), target.c_str()) != 0) {
            const int error = errno;
            ::unlink(temporary.c_str());
            return reason(error);
        }
        return std::nullopt;
    }

    std::optional<std::string> read(const std::string& path, std::string& utf8) override {
        struct stat at {};
        if (auto refused = unusable(hostPath(path), at)) return refused;
        const int fd = ::open(hostPath(path).c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) return reason(errno);
        std::string bytes;
        char buffer[65536];
        for (;;) {
            const ssize_t n = ::read(fd, buffer, sizeof buffer);
            if (n == 0) break;
            if (n < 0) {
                if (errno == EINTR) continue;
                const int error = errno;
                ::close(fd);
                return reason(error);
            }
            bytes.append(buffer, static_cast<std::size_t>(n));
        }
        ::close(fd);
        return decodeFileText(bytes, utf8, [](std::string_view codePage) {
            std::string text;
            for (unsigned char b : codePage) appendUtf8(text, fromByte(b));
            return text;
        });
    }
};

}  // namespace

std::unique_ptr<AnsiTextFiles> makeSystemAnsiTextFiles() { return std::make_unique<Cp1252Files>(); }

}  // namespace orvenda::platform
