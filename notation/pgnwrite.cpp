#include "notation/pgnwrite.h"

#include "notation/san.h"
#include "rules/board.h"

namespace zarvik {
namespace {

constexpr std::size_t kLineLimit = 79;

std::string quoted(std::string_view value) {
    std::string text = "\"";
    for (const char c : value) {
        if (c == '"' || c == '\\') {
            text += '\\';
        }
        // A tag value is one line.
        text += c == '\n' || c == '\r' || c == '\t' ? ' ' : c;
    }
    return text + "\"";
}

void appendTag(std::string& text, std::string_view name, std::string_view value) {
    text += '[';
    text += name;
    text += ' ';
    text += quoted(value);
    text += "]\n";
}

// Fills lines word by word so that none passes the limit.
class Lines {
  public:
    explicit Lines(std::string& text) : text_(text) {}

    void add(std::string_view word) {
        if (column_ > 0 && column_ + 1 + word.size() > kLineLimit) {
            text_ += '\n';
            column_ = 0;
        } else if (column_ > 0) {
            text_ += ' ';
            column_ += 1;
        }
        text_ += word;
        column_ += word.size();
    }

  private:
    std::string& text_;
    std::size_t column_ = 0;
};

}  // namespace

std::string writePgn(const PgnExport& game) {
    std::string text;
    text.reserve(512 + game.moves.size() * 8);
    appendTag(text, "Event", "Zarvik");
    appendTag(text, "Site", "?");
    appendTag(text, "Date", game.date);
    appendTag(text, "Round", "-");
    appendTag(text, "White", game.white);
    appendTag(text, "Black", game.black);
    appendTag(text, "Result", resultToken(game.result));
    if (!game.termination.empty()) {
        appendTag(text, "Termination", game.termination);
    }
    text += '\n';

    Lines lines(text);
    Board board(true);
    Color toMove = Color::white;
    int number = 1;
    for (const PerftMove& move : game.moves) {
        if (!isLegalMove(board, toMove, move)) {
            break;
        }
        std::string word;
        if (toMove == Color::white) {
            word = std::to_string(number) + ". ";
        }
        word += sanText(board, toMove, move);
        // A move number stays on the line of its move.
        lines.add(word);
        board = afterMove(board, toMove, move);
        if (toMove == Color::black) {
            number += 1;
        }
        toMove = opposite(toMove);
    }
    lines.add(resultToken(game.result));
    text += "\n\n";
    return text;
}

}  // namespace zarvik
