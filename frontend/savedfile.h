#pragma once
// Saved-game files on disk: reading with the size limit, the line ends and the byte-order mark that
// editors and transfers add, writing, and the messages that tell the person why a file failed.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace zarvik::frontend {

// Larger files are refused unread: no saved game comes near it, and a huge file would hold the
// program and its memory for minutes.
inline constexpr std::size_t kSavedGameLimit = std::size_t{1} << 20;

// The text with CR LF and LF line ends turned into CR and a leading UTF-8 byte-order mark removed.
std::string withRecordLineEnds(std::string_view text);

// The text of a file, or the message why there is none.
struct SavedGameFile {
    std::optional<std::string> text;
    std::string failure;
};
// Reads the file (UTF-8, else Mac OS Roman, or Latin-1 for a ".pgn" file) with the record's line ends. Fails
// with the message of cannotOpenMessage for a missing, unreadable or irregular path and of
// notASavedGameMessage for a file over the limit (for a ".pgn" file, which may hold a collection, the
// limit of collections).
SavedGameFile readSavedGameFile(const std::string& path);

// Writes the text; none on success, else the message of cannotSaveMessage.
std::optional<std::string> writeSavedGameFile(const std::string& path, std::string_view text);

// The messages, each a first line and then the details, one per line.
std::string cannotSaveMessage(const std::string& path, std::string_view reason);
std::string cannotOpenMessage(const std::string& path, std::string_view reason);
std::string notASavedGameMessage(const std::string& path);
// The position reader's reason (English, as the command-line tools and the engine print it) in
// German; a reason it does not know stays as it is.
std::string germanPositionProblem(std::string_view problem);
// A file whose start position cannot occur; `where` names the place ("FEN-Tag"), `problem` the
// position reader's reason.
std::string impossiblePositionMessage(const std::string& path, std::string_view where,
                                      std::string_view problem);

}  // namespace zarvik::frontend
