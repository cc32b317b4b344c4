#include "util/files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstring>
#include <string>

#include "util/encoding.h"
#include "util/log.h"

namespace zarvik {
namespace {

// Reading a file never fails with EILSEQ, so it stands for text that is not valid UTF-8; nor
// with ENODEV once it is open, which stands for a path that names no regular file.
constexpr int kNotUtf8 = EILSEQ;
constexpr int kNotRegular = ENODEV;

std::string describe(int error) {
    if (error == kNotUtf8) {
        return "The file is not valid UTF-8 text.";
    }
    if (error == kNotRegular) {
        return "Not a regular file.";
    }
    const char* text = strerrordesc_np(error);
    return text ? text : "Unknown error";
}

void reporterror(const char* function, int error, const std::string& path) {
    logline(std::string(function) + ": Error #" + std::to_string(error) + " " + describe(error) + " (" +
            path + ")");
}

// Reads the whole file into `out` (a string or a byte array); 0 or the errno value. Only regular
// files are read: a pipe would block and a device may never end. Files above `limit` bytes are
// refused rather than read.
template <typename Buffer>
int readfile(const std::string& path, Buffer& out, std::size_t limit) {
    // Without O_NONBLOCK opening a pipe waits for a writer before the type can be checked.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        return errno;
    }
    struct stat info {};
    int error = ::fstat(fd, &info) != 0               ? errno
                : S_ISDIR(info.st_mode)               ? EISDIR
                : !S_ISREG(info.st_mode)              ? kNotRegular
                : std::uint64_t(info.st_size) > limit ? EFBIG
                                                      : 0;
    if (error == 0 && ::fcntl(fd, F_SETFL, 0) != 0) {
        error = errno;
    }
    if (error != 0) {
        ::close(fd);
        return error;
    }
    out.clear();
    out.reserve(static_cast<std::size_t>(info.st_size));
    char buffer[1 << 16];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got == 0) {
            break;
        }
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            error = errno;
            break;
        }
        // A file that grows while it is read is held to the same limit.
        if (out.size() + static_cast<std::size_t>(got) > limit) {
            error = EFBIG;
            break;
        }
        out.insert(out.end(), buffer, buffer + got);
    }
    if (error == 0) {
        // Contents are not kept in the page cache: fonts and graphics are read once per load.
        ::posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED);
    } else {
        out.clear();
    }
    ::close(fd);
    return error;
}

int writeall(int fd, const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t put = ::write(fd, data, size);
        if (put < 0) {
            if (errno == EINTR) {
                continue;
            }
            return errno;
        }
        data += put;
        size -= static_cast<std::size_t>(put);
    }
    return 0;
}

// Writes the data over a file in place; for targets that cannot be replaced.
int writeinplace(const std::string& path, const char* data, std::size_t size) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
    if (fd < 0) {
        return errno;
    }
    const int error = writeall(fd, data, size);
    return ::close(fd) != 0 && error == 0 ? errno : error;
}

// The path that a chain of symbolic links ends in, whether or not anything is there yet.
std::string linktarget(const std::string& path) {
    std::string current = path;
    for (int hop = 0; hop < 40; ++hop) {
        struct stat info {};
        if (::lstat(current.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) {
            return current;
        }
        char buffer[PATH_MAX];
        const ssize_t length = ::readlink(current.c_str(), buffer, sizeof buffer);
        if (length <= 0 || std::size_t(length) >= sizeof buffer) {
            return current;
        }
        const std::string next(buffer, std::size_t(length));
        const auto slash = current.rfind('/');
        current =
            next.front() == '/' || slash == std::string::npos ? next : current.substr(0, slash + 1) + next;
    }
    return current;
}

// Writes into a temporary file beside the target, then renames it over the target, so that a
// failed write leaves the old file whole. A symbolic link stays and its target is replaced (a
// dangling link gets its target made); the replacement keeps the old file's permission bits.
// Targets that are not regular files (devices, pipes) are written in place, and so is a
// writable file in a folder where no temporary file can be made.
int writefile(const std::string& path, const char* data, std::size_t size) {
    const std::string target = linktarget(path);
    struct stat info {};
    const bool exists = ::stat(target.c_str(), &info) == 0;
    if (exists && S_ISDIR(info.st_mode)) {
        return EISDIR;
    }
    if (exists && !S_ISREG(info.st_mode)) {
        return writeinplace(target, data, size);
    }
    if (exists && ::access(target.c_str(), W_OK) != 0) {
        return errno;  // a write-protected file stays protected
    }
    const auto slash = target.rfind('/');
    const std::string folder = slash == std::string::npos ? std::string() : target.substr(0, slash + 1);
    const std::string name = slash == std::string::npos ? target : target.substr(slash + 1);

    static std::atomic<unsigned> counter{0};
    std::string temporary;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temporary =
            folder + "." + name + ".tmp" + std::to_string(::getpid()) + "-" + std::to_string(counter++);
        // 0666 lets the umask decide the mode of a new file, as for any other new file.
        fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) {
            if (exists && (errno == EACCES || errno == EPERM)) {
                return writeinplace(target, data, size);
            }
            return errno;
        }
    }
    if (fd < 0) {
        return EEXIST;
    }
    int error = writeall(fd, data, size);
    if (error == 0 && exists && ::fchmod(fd, info.st_mode & 07777) != 0) {
        error = errno;
    }
    if (error == 0 && ::fsync(fd) != 0) {
        error = errno;
    }
    if (::close(fd) != 0 && error == 0) {
        error = errno;
    }
    if (error == 0 && ::rename(temporary.c_str(), target.c_str()) != 0) {
        error = errno;
    }
    if (error != 0) {
        ::unlink(temporary.c_str());
    }
    return error;
}

}  // namespace

std::optional<std::string> getstringfromfile(const std::string& path, std::size_t limit) {
    std::string text;
    int error = readfile(path, text, limit);
    if (error == 0 && isvalidutf8(text)) {
        return text;
    }
    reporterror("getstringfromfile", error == 0 ? kNotUtf8 : error, path);
    error = readfile(path, text, limit);
    if (error == 0) {
        return macromantoutf8(text);
    }
    reporterror("getstringfromfile", error, path);
    return std::nullopt;
}

int setstringtofile(const std::string& path, std::string_view text) {
    const int error = writefile(path, text.data(), text.size());
    if (error != 0) {
        reporterror("setstringtofile", error, path);
    }
    return error;
}

Bytes getbinaryfromfile(const std::string& path, std::size_t limit) {
    Bytes contents;
    const int error = readfile(path, contents, limit);
    if (error != 0) {
        reporterror("getbinaryfromfile", error, path);
        return {};
    }
    return contents;
}

int setbinarytofile(const std::string& path, ByteView bytes) {
    const int error = writefile(path, reinterpret_cast<const char*>(bytes.data()), bytes.size());
    if (error != 0) {
        reporterror("setbinarytofile", error, path);
    }
    return error;
}

int pathkind(const std::string& path) {
    if (path.empty()) {
        return -1;
    }
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        return 0;
    }
    return S_ISDIR(info.st_mode) ? 2 : 1;
}

}  // namespace zarvik
