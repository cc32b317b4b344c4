#include "frontend/savedfile.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <regex>
#include <utility>

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

std::string germanPositionProblem(std::string_view problem) {
    if (problem.starts_with("FEN: ")) {
        problem.remove_prefix(5);
    }
    std::string text(problem);
    // The reader names a side first; the side is worded before the rest is matched.
    for (const auto& [english, german] : {std::pair{"white ", "Weiss "}, std::pair{"black ", "Schwarz "}}) {
        if (text.starts_with(english)) {
            text = german + text.substr(std::strlen(english));
        }
    }
    struct Wording {
        const char* english;  // a pattern of the position reader's text
        const char* german;
    };
    static const Wording wordings[] = {
        {"each of the eight ranks must describe exactly eight squares",
         "jede der acht Reihen muss genau acht Felder beschreiben"},
        {"a rank describes more than eight squares", "eine Reihe beschreibt mehr als acht Felder"},
        {"unknown character '(.+)' in the piece placement",
         "unbekanntes Zeichen „$1“ in der Figurenstellung"},
        {"the piece placement must describe eight ranks of eight squares",
         "die Figurenstellung muss acht Reihen zu je acht Feldern beschreiben"},
        {"(Weiss|Schwarz) must have exactly one king", "$1 muss genau einen König haben"},
        {"(Weiss|Schwarz) has more than 8 pawns", "$1 hat mehr als 8 Bauern"},
        {"(Weiss|Schwarz) has more than 16 pieces", "$1 hat mehr als 16 Figuren"},
        {"(Weiss|Schwarz) is in check but not to move", "$1 steht im Schach, ist aber nicht am Zug"},
        {"a pawn cannot stand on the first or last rank",
         "ein Bauer kann nicht auf der ersten oder letzten Reihe stehen"},
        {"unknown castling right '(.+)'", "unbekanntes Rochaderecht „$1“"},
        {"castling right '(.+)' without its king and rook on their squares",
         "Rochaderecht „$1“ ohne König und Turm auf ihren Feldern"},
        {"bad en passant square \"(.*)\"", "ungültiges En-passant-Feld „$1“"},
        {"no pawn has just made a double step past (.+)",
         "kein Bauer ist eben im Doppelschritt über $1 gezogen"},
        {"expected 4 to 6 fields .*",
         "erwartet werden 4 bis 6 Felder (Stellung, Zugrecht, Rochade, En passant, Zähler)"},
        {"the side to move must be \"w\" or \"b\"", "die Seite am Zug muss „w“ oder „b“ sein"},
        {"the move clocks must be numbers", "die Zugzähler müssen Zahlen sein"},
        {"the kings stand side by side", "die Könige stehen nebeneinander"},
    };
    for (const Wording& wording : wordings) {
        const std::regex pattern(wording.english);
        if (std::regex_match(text, pattern)) {
            return std::regex_replace(text, pattern, wording.german);
        }
    }
    return text;
}

std::string impossiblePositionMessage(const std::string& path, std::string_view where,
                                      std::string_view problem) {
    return "Die Stellung im " + std::string(where) + " ist nicht möglich: " + germanPositionProblem(problem) +
           "\n" + path;
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
