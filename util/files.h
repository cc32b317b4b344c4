#pragma once
// Whole-file reading and writing by path. Failures print one line beginning with the function's
// name and "Error #", and are signalled by an empty result or a non-zero code (an errno value).
#include <cerrno>
#include <optional>
#include <string>
#include <string_view>

#include "util/bytes.h"

namespace zarvik {

// Both readers take regular files (or links to them) only, and none larger than `limit` bytes;
// anything else fails with its line.

// The encoding of a text file that is not UTF-8: Mac OS Roman for the program's own older files,
// ISO 8859-1 for formats that declare it (the portable game notation of other chess programs).
enum class TextFallback { macRoman, latin1 };

// Reads the file as UTF-8; when that fails, in the fallback encoding (converted to UTF-8). A file
// read as Mac OS Roman costs an error line first; Latin-1 is the format's own encoding, not an error.
std::optional<std::string> getstringfromfile(const std::string& path, std::size_t limit = kDecodeLimit,
                                             TextFallback fallback = TextFallback::macRoman);
// Writes the text as UTF-8. 0 on success, else the error's code.
int setstringtofile(const std::string& path, std::string_view text);

// Reads the whole file; an empty array on failure.
Bytes getbinaryfromfile(const std::string& path, std::size_t limit = kDecodeLimit);
// Writes the bytes. 0 on success, else the error's code.
int setbinarytofile(const std::string& path, ByteView bytes);

// Both writers put the data into a temporary file beside the target and rename it over the
// target, so a failed write leaves the previous file as it was; the file keeps its owner, group
// and mode. A symbolic link is kept and the file it names is written (a loop of links is refused).
// A file with several hard links, or in a folder that takes no new files, is written in place and
// gets its previous contents back when the new ones do not fit. A character device is written as
// a stream; pipes, sockets and block devices are refused at once.

// The code that stands for a path naming no regular file (a pipe, a socket, a device).
inline constexpr int kNotRegularFile = ENODEV;

// The reason of a failed file function's code in German, for messages to the person; the log keeps
// the system's English text.
std::string filereason(int error);

// -1 for an empty path, 0 when nothing is there, 1 for a file (or anything else), 2 for a folder.
int pathkind(const std::string& path);

}  // namespace zarvik
