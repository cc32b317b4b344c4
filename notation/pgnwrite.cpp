#include "notation/pgnwrite.h"

#include "notation/san.h"
#include "rules/board.h"
#include "rules/fen.h"

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
        const std::string whole = pending_ + std::string(word);
        pending_.clear();
        if (column_ > 0 && column_ + 1 + whole.size() > kLineLimit) {
            text_ += '\n';
            column_ = 0;
        } else if (column_ > 0) {
            text_ += ' ';
            column_ += 1;
        }
        text_ += whole;
        column_ += whole.size();
    }

    // A parenthesis is written against the word after it, or before it.
    void open(std::string_view mark) { pending_ += mark; }
    void close(std::string_view mark) {
        if (!pending_.empty() || column_ + mark.size() > kLineLimit) {
            add(mark);
            return;
        }
        text_ += mark;
        column_ += mark.size();
    }

  private:
    std::string& text_;
    std::size_t column_ = 0;
    std::string pending_;
};

// The word of a move with its number: "12. Nf3" for White, "12... Nf6" for Black where the line
// was interrupted (at its start, after a comment or a variation), else the move alone.
std::string numberedMove(int ply, bool interrupted, std::string_view move) {
    const std::string number = std::to_string(ply / 2 + 1);
    if (ply % 2 == 0) {
        return number + ". " + std::string(move);
    }
    return interrupted ? number + "... " + std::string(move) : std::string(move);
}

void addComment(Lines& lines, std::string_view comment) {
    // Word by word, so that long comments wrap like the moves.
    std::string word = "{";
    bool first = true;
    for (const char c : comment) {
        if (c != ' ') {
            word += c == '}' ? ')' : c;  // a closing brace would end the comment early
        } else if (!word.empty() && !(first && word == "{")) {
            lines.add(word);
            word.clear();
            first = false;
        }
    }
    lines.add(word + "}");
}

void addLine(Lines& lines, const PgnLine& line, int ply);

const PgnNotes kNoNotes;

bool isMark(std::string_view glyph) {
    return !glyph.empty() && glyph.find_first_not_of("!?") == std::string_view::npos;
}

// The move's word with what follows it: marks of its value written on to it ("Nf3!?"), other
// glyphs, comments, variations. True when the next move needs its number again.
bool addMove(Lines& lines, std::string word, const PgnNotes& notes, int ply) {
    auto glyph = notes.glyphs.begin();
    if (glyph != notes.glyphs.end() && isMark(*glyph)) {
        word += *glyph++;
    }
    lines.add(word);
    for (; glyph != notes.glyphs.end(); ++glyph) {
        lines.add(*glyph);
    }
    for (const std::string& comment : notes.comments) {
        addComment(lines, comment);
    }
    for (const PgnLine& variation : notes.variations) {
        lines.open("(");
        addLine(lines, variation, ply);
        lines.close(")");
    }
    return !notes.comments.empty() || !notes.variations.empty();
}

void addLine(Lines& lines, const PgnLine& line, int ply) {
    for (const std::string& comment : line.comments) {
        addComment(lines, comment);
    }
    bool interrupted = true;
    for (std::size_t i = 0; i < line.moves.size(); ++i) {
        interrupted = addMove(lines, numberedMove(ply, interrupted, line.moves[i]),
                              i < line.notes.size() ? line.notes[i] : kNoNotes, ply);
        ++ply;
    }
}

}  // namespace

std::string writePgn(const PgnExport& game) {
    std::string text;
    text.reserve(512 + game.moves.size() * 8);
    appendTag(text, "Event", game.event);
    appendTag(text, "Site", game.site);
    appendTag(text, "Date", game.date);
    appendTag(text, "Round", game.round);
    appendTag(text, "White", game.white);
    appendTag(text, "Black", game.black);
    appendTag(text, "Result", resultToken(game.result));
    if (!game.termination.empty()) {
        appendTag(text, "Termination", game.termination);
    }
    std::string error;
    const std::optional<FenPosition> start = game.fen.empty() ? std::nullopt : readFen(game.fen, error);
    if (start) {
        appendTag(text, "SetUp", "1");
        appendTag(text, "FEN", game.fen);
    }
    for (const PgnTag& tag : game.otherTags) {
        appendTag(text, tag.name, tag.value);
    }
    text += '\n';

    Lines lines(text);
    for (const std::string& comment : game.comments) {
        addComment(lines, comment);
    }
    Board board = start ? start->board : Board(true);
    Color toMove = start ? start->toMove : Color::white;
    const int firstPly = start ? plyBefore(game.fen) : 0;
    bool interrupted = true;
    for (std::size_t i = 0; i < game.moves.size(); ++i) {
        const PerftMove& move = game.moves[i];
        if (!isLegalMove(board, toMove, move)) {
            break;
        }
        // A move number stays on the line of its move.
        const int ply = firstPly + static_cast<int>(i);
        interrupted = addMove(lines, numberedMove(ply, interrupted, sanText(board, toMove, move)),
                              i < game.notes.size() ? game.notes[i] : kNoNotes, ply);
        board = afterMove(board, toMove, move);
        toMove = opposite(toMove);
    }
    lines.add(resultToken(game.result));
    text += "\n\n";
    return text;
}

PgnExport exportOf(const PgnReading& reading) {
    PgnExport game;
    for (const PgnTag& tag : reading.tags) {
        std::string* field = tag.name == "Event"         ? &game.event
                             : tag.name == "Site"        ? &game.site
                             : tag.name == "Date"        ? &game.date
                             : tag.name == "Round"       ? &game.round
                             : tag.name == "White"       ? &game.white
                             : tag.name == "Black"       ? &game.black
                             : tag.name == "Termination" ? &game.termination
                                                         : nullptr;
        // The set-up position is written from `fen`.
        const bool setUp = !reading.fen.empty() && (tag.name == "SetUp" || tag.name == "FEN");
        if (field != nullptr) {
            *field = tag.value;
        } else if (tag.name != "Result" && !setUp) {
            game.otherTags.push_back(tag);
        }
    }
    game.fen = reading.fen;
    game.moves = reading.moves;
    game.result = reading.result;
    game.comments = reading.comments;
    game.notes = reading.notes;
    return game;
}

}  // namespace zarvik
