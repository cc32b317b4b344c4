#include "terminal/lines.h"

#include <algorithm>

#include "toolkit/app/menus.h"
#include "toolkit/text/textoutput.h"
#include "util/encoding.h"

namespace zarvik::terminal {
namespace {

std::string trimmed(const std::string& text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// The screen's cells are characters, not bytes: columns count scalars.
std::pair<std::string, std::string> splitAtColumn(const std::string& line, std::size_t column) {
    std::size_t at = 0;
    for (std::size_t scalars = 0; at < line.size() && scalars < column; ++scalars) {
        utf8next(line, at);
    }
    return {line.substr(0, at), line.substr(at)};
}

// "8  t s l d k l s t  8": the rank's number, two spaces, the squares, two spaces, the number.
bool isRankLine(const std::string& text) {
    if (text.size() < 6 || text.front() < '1' || text.front() > '8') {
        return false;
    }
    const std::string number(1, text.front());
    return text.starts_with(number + "  ") && text.ends_with("  " + number);
}

bool isFileLine(const std::string& text) {
    return text == "A B C D E F G H";
}

// Rules and frames drawn with line characters say nothing to a screen reader.
bool saysSomething(const std::string& text) {
    return std::any_of(text.begin(), text.end(), [](char c) {
        return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c & 0x80) != 0;
    });
}

}  // namespace

std::vector<std::string> screenLines(std::uint8_t window) {
    std::vector<std::string> lines{""};
    for (char c : t_PasteboardScreenText(t_GetScreen(window, "\r"))) {
        if (c == '\r' || c == '\n') {
            lines.emplace_back();
        } else {
            lines.back() += c;
        }
    }
    return lines;
}

std::vector<std::string> boardLines(const std::vector<std::string>& screen) {
    std::vector<std::string> board;
    for (const std::string& line : screen) {
        const std::string left = trimmed(splitAtColumn(line, kRecordColumn).first);
        if (isRankLine(left)) {
            board.push_back(left);
        }
    }
    return board.size() == 8 ? board : std::vector<std::string>{};
}

std::vector<std::string> LineWriter::update(const std::vector<std::string>& screen) {
    std::vector<std::string> texts;
    for (const std::string& line : screen) {
        auto [left, right] = splitAtColumn(line, kRecordColumn);
        // A text that runs on across the record's column is one text.
        if (!left.empty() && left.back() != ' ' && !right.empty() && right.front() != ' ') {
            left += right;
            right.clear();
        }
        for (const std::string& part : {trimmed(left), trimmed(right)}) {
            if (saysSomething(part) && !isRankLine(part) && !isFileLine(part)) {
                texts.push_back(part);
            }
        }
    }
    std::vector<std::string> fresh;
    for (const std::string& text : texts) {
        if (std::find(shown_.begin(), shown_.end(), text) == shown_.end()) {
            fresh.push_back(text);
        }
    }
    shown_ = std::move(texts);
    return fresh;
}

}  // namespace zarvik::terminal
