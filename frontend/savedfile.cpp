#include "frontend/savedfile.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>

#include "frontend/pgnimport.h"
#include "util/files.h"

namespace zarvik::frontend {

std::string withRecordLineEnds(std::string_view text) {
    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    if (text.starts_with(kByteOrderMark)) {
        text.remove_prefix(kByteOrderMark.size());
    }
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            continue;  // the LF that follows gives the line end
        }
        out += text[i] == '\n' ? '\r' : text[i];
    }
    return out;
}

std::string cannotSaveMessage(const std::string& path, std::string_view reason) {
    return "Das Spiel konnte nicht gesichert werden.\n" + path + "\n" + std::string(reason);
}

std::string cannotOpenMessage(const std::string& path, std::string_view reason) {
    return "Die Datei konnte nicht geöffnet werden.\n" + path + "\n" + std::string(reason);
}

std::string notASavedGameMessage(const std::string& path) {
    return "Die Datei enthält kein gesichertes Spiel.\n" + path;
}

std::string impossiblePositionMessage(const std::string& path, std::string_view where,
                                      std::string_view problem) {
    if (problem.starts_with("FEN: ")) {
        problem.remove_prefix(5);
    }
    return "Die Stellung im " + std::string(where) + " ist nicht möglich: " + std::string(problem) + "\n" +
           path;
}

SavedGameFile readSavedGameFile(const std::string& path) {
    // A file of other chess programs may hold thousands of games, each of them checked when read.
    const std::size_t limit = hasPgnExtension(path) ? kPgnCollectionMaxBytes : kSavedGameLimit;
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        return {std::nullopt, cannotOpenMessage(path, filereason(errno))};
    }
    if (S_ISDIR(info.st_mode)) {
        return {std::nullopt, cannotOpenMessage(path, filereason(EISDIR))};
    }
    // A pipe or a device could block the reader or never end.
    if (!S_ISREG(info.st_mode)) {
        return {std::nullopt, cannotOpenMessage(path, filereason(kNotRegularFile))};
    }
    if (static_cast<std::size_t>(info.st_size) > limit) {
        return {std::nullopt, notASavedGameMessage(path)};
    }
    if (std::FILE* file = std::fopen(path.c_str(), "rb")) {
        std::fclose(file);
    } else {
        return {std::nullopt, cannotOpenMessage(path, filereason(errno))};
    }
    const std::optional<std::string> text =
        getstringfromfile(path, limit, hasPgnExtension(path) ? TextFallback::latin1 : TextFallback::macRoman);
    if (!text) {
        return {std::nullopt, cannotOpenMessage(path, "Lesefehler")};
    }
    // The file may have grown since it was measured.
    if (text->size() > 2 * limit) {
        return {std::nullopt, notASavedGameMessage(path)};
    }
    return {withRecordLineEnds(*text), {}};
}

std::optional<std::string> writeSavedGameFile(const std::string& path, std::string_view text) {
    const int error = setstringtofile(path, text);
    if (error == 0) {
        return std::nullopt;
    }
    return cannotSaveMessage(path, filereason(error));
}

}  // namespace zarvik::frontend
