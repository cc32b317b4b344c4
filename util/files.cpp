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
constexpr int kNotRegular = kNotRegularFile;

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

int writeall(int fd, const char* data, std::size_t size, off_t offset) {
    while (size > 0) {
        const ssize_t put = ::pwrite(fd, data, size, offset);
        if (put < 0) {
            if (errno == EINTR) {
                continue;
            }
            return errno;
        }
        data += put;
        size -= static_cast<std::size_t>(put);
        offset += put;
    }
    return 0;
}

// Opens without waiting (a pipe without a reader would hold the caller for good) and checks what
// was opened, since the path may have changed since it was looked at. `accepts` tests the type.
int openchecked(const std::string& path, int flags, bool (*accepts)(mode_t), int& fd) {
    fd = ::open(path.c_str(), flags | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        return errno;
    }
    struct stat info {};
    const int error = ::fstat(fd, &info) != 0        ? errno
                      : !accepts(info.st_mode)       ? kNotRegular
                      : ::fcntl(fd, F_SETFL, 0) != 0 ? errno
                                                     : 0;
    if (error != 0) {
        ::close(fd);
        fd = -1;
    }
    return error;
}

bool isregular(mode_t mode) {
    return S_ISREG(mode);
}
bool ischaracterdevice(mode_t mode) {
    return S_ISCHR(mode);
}

int closeafter(int fd, int error) {
    return ::close(fd) != 0 && error == 0 ? errno : error;
}

// A character device (a terminal, /dev/null) that opens at once takes the data as a stream.
int writedevice(const std::string& path, const char* data, std::size_t size) {
    int fd = -1;
    if (const int error = openchecked(path, O_WRONLY, ischaracterdevice, fd); error != 0) {
        return error;
    }
    int error = 0;
    while (size > 0 && error == 0) {
        const ssize_t put = ::write(fd, data, size);
        if (put >= 0) {
            data += put;
            size -= static_cast<std::size_t>(put);
        } else if (errno != EINTR) {
            error = errno;
        }
    }
    return closeafter(fd, error);
}

// Writes over a regular file in place, for a file that cannot be replaced (its folder takes no new
// files) or must not be (other hard links name it). The previous contents are held in memory and
// written back over their own blocks when the new ones do not fit, so a full disk leaves the file
// as it was; an unreadable file can only be overwritten.
int writeinplace(const std::string& path, const char* data, std::size_t size) {
    int fd = -1;
    int error = openchecked(path, O_RDWR, isregular, fd);
    const bool keepsPrevious = error == 0;
    if (error == EACCES) {
        error = openchecked(path, O_WRONLY, isregular, fd);
    }
    if (error != 0) {
        return error;
    }
    std::string previous;
    if (keepsPrevious) {
        char buffer[1 << 16];
        for (;;) {
            const ssize_t got = ::read(fd, buffer, sizeof buffer);
            if (got == 0) {
                break;
            }
            if (got < 0 && errno != EINTR) {
                return closeafter(fd, errno);
            }
            previous.append(buffer, got < 0 ? 0 : static_cast<std::size_t>(got));
        }
    }
    error = writeall(fd, data, size, 0);
    if (error == 0 && ::ftruncate(fd, off_t(size)) != 0) {
        error = errno;
    }
    if (error == 0 && ::fsync(fd) != 0) {
        error = errno;
    }
    if (error != 0 && keepsPrevious && writeall(fd, previous.data(), previous.size(), 0) == 0) {
        (void)::ftruncate(fd, off_t(previous.size()));
    }
    return closeafter(fd, error);
}

// The path that a chain of symbolic links ends in, whether or not anything is there yet; ELOOP for
// a chain that does not end.
int linktarget(const std::string& path, std::string& current) {
    current = path;
    for (int hop = 0; hop < 40; ++hop) {
        struct stat info {};
        if (::lstat(current.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) {
            return 0;
        }
        char buffer[PATH_MAX];
        const ssize_t length = ::readlink(current.c_str(), buffer, sizeof buffer);
        if (length <= 0 || std::size_t(length) >= sizeof buffer) {
            return length < 0 ? errno : ENAMETOOLONG;
        }
        const std::string next(buffer, std::size_t(length));
        const auto slash = current.rfind('/');
        current =
            next.front() == '/' || slash == std::string::npos ? next : current.substr(0, slash + 1) + next;
    }
    return ELOOP;
}

// Writes into a temporary file beside the target, then renames it over the target, so that a
// failed write leaves the old file whole. A symbolic link stays and its target is replaced (a
// dangling link gets its target made); the replacement keeps the old file's owner and group where
// the process may set them, and its permission bits. A file with other hard links, and a writable
// file in a folder where no temporary file can be made, are written in place; character devices
// are written as streams, and other targets that are no regular file (pipes, sockets) are refused.
int writefile(const std::string& path, const char* data, std::size_t size) {
    std::string target;
    if (const int error = linktarget(path, target); error != 0) {
        return error;
    }
    struct stat info {};
    const bool exists = ::stat(target.c_str(), &info) == 0;
    if (!exists && errno != ENOENT) {
        return errno;
    }
    if (exists && S_ISDIR(info.st_mode)) {
        return EISDIR;
    }
    if (exists && S_ISCHR(info.st_mode)) {
        return writedevice(target, data, size);
    }
    if (exists && !S_ISREG(info.st_mode)) {
        return kNotRegular;
    }
    if (exists && ::access(target.c_str(), W_OK) != 0) {
        return errno;  // a write-protected file stays protected
    }
    if (exists && info.st_nlink > 1) {
        return writeinplace(target, data, size);
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
    int error = writeall(fd, data, size, 0);
    if (error == 0 && exists) {
        // Owner first: a change of owner clears the set-user and set-group bits.
        if (::fchown(fd, info.st_uid, info.st_gid) != 0) {
            (void)::fchown(fd, uid_t(-1), info.st_gid);
        }
        if (::fchmod(fd, info.st_mode & 07777) != 0) {
            error = errno;
        }
    }
    if (error == 0 && ::fsync(fd) != 0) {
        error = errno;
    }
    error = closeafter(fd, error);
    if (error == 0 && ::rename(temporary.c_str(), target.c_str()) != 0) {
        error = errno;
    }
    if (error != 0) {
        ::unlink(temporary.c_str());
    }
    return error;
}

}  // namespace

std::optional<std::string> getstringfromfile(const std::string& path, std::size_t limit,
                                             TextFallback fallback) {
    std::string text;
    int error = readfile(path, text, limit);
    if (error == 0 && isvalidutf8(text)) {
        return text;
    }
    if (error == 0 && fallback == TextFallback::latin1) {
        return latin1toutf8(text);
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

std::string filereason(int error) {
    switch (error) {
        case ENOENT:
            return "Datei oder Ordner nicht gefunden";
        case EACCES:
        case EPERM:
            return "Keine Zugriffsberechtigung";
        case ENOSPC:
            return "Kein Platz mehr auf dem Datenträger";
        case EDQUOT:
            return "Speicherkontingent überschritten";
        case EROFS:
            return "Der Datenträger ist schreibgeschützt";
        case EFBIG:
            return "Die Datei ist zu groß";
        case kNotRegular:
            return "Keine gewöhnliche Datei";
        case EISDIR:
            return "Das ist ein Ordner";
        case ENOTDIR:
            return "Ein Teil des Pfades ist kein Ordner";
        case ELOOP:
            return "Die symbolischen Verknüpfungen bilden eine Schleife";
        case ENAMETOOLONG:
            return "Der Name ist zu lang";
        case EIO:
            return "Ein- oder Ausgabefehler des Datenträgers";
        case EBUSY:
        case ETXTBSY:
            return "Die Datei wird gerade benutzt";
        case kNotUtf8:
            return "Der Text ist kein gültiges UTF-8";
        default:
            return "Systemfehler " + std::to_string(error) + " (" + describe(error) + ")";
    }
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
