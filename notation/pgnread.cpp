#include "notation/pgnread.h"

#include <algorithm>
#include <cctype>

#include "rules/fen.h"
#include "util/encoding.h"

namespace zarvik {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kEllipsis = "\xE2\x80\xA6";
constexpr std::size_t kRefusedTextLimit = 24;

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

bool endsToken(char c) {
    return isSpace(c) || std::string_view("{}()[];$<>").find(c) != std::string_view::npos;
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

std::optional<PgnResult> resultOf(std::string_view token) {
    if (token == "1-0") {
        return PgnResult::whiteWins;
    }
    if (token == "0-1") {
        return PgnResult::blackWins;
    }
    if (token == "1/2-1/2") {
        return PgnResult::draw;
    }
    if (token == "*") {
        return PgnResult::unknown;
    }
    return std::nullopt;
}

// The token without a leading move number ("12.", "12...", "12" alone) and dots.
std::string_view withoutMoveNumber(std::string_view token) {
    std::size_t digits = 0;
    while (digits < token.size() && isDigit(token[digits])) {
        ++digits;
    }
    if (digits == token.size()) {
        return {};
    }
    if (digits > 0 && token[digits] != '.') {
        return token;  // castling with zeros, or a result
    }
    token.remove_prefix(digits);
    for (;;) {
        if (token.starts_with('.')) {
            token.remove_prefix(1);
        } else if (token.starts_with(kEllipsis)) {
            token.remove_prefix(kEllipsis.size());
        } else {
            return token;
        }
    }
}

// Evaluation signs written out ("!?", "+-", "=") carry no move; a null move "--" is not one.
bool isAnnotation(std::string_view token) {
    return token != "--" && token.find_first_not_of("!?+-=/") == std::string_view::npos;
}

std::string printable(std::string_view text) {
    std::string shown;
    for (const char c : text.substr(0, kRefusedTextLimit)) {
        shown += c > ' ' && c < 0x7F ? c : '?';
    }
    return shown;
}

std::string tagText(std::string_view raw) {
    const std::string utf8 = isvalidutf8(raw) ? std::string(raw) : latin1toutf8(raw);
    std::string text;
    for (const char c : utf8) {
        if (static_cast<unsigned char>(c) >= 0x20 && c != 0x7F) {
            text += c;
        }
    }
    return text;
}

// A comment as one line: line ends and runs of blanks become single spaces, and a closing brace
// (possible in a line comment) a parenthesis, so that the comment can be written in braces.
std::string commentText(std::string_view raw) {
    std::string spaced(raw);
    for (char& c : spaced) {
        c = isSpace(c) ? ' ' : c == '}' ? ')' : c;
    }
    std::string text;
    for (const char c : tagText(spaced)) {
        if (c != ' ' || (!text.empty() && text.back() != ' ')) {
            text += c;
        }
    }
    while (!text.empty() && text.back() == ' ') {
        text.pop_back();
    }
    return text;
}

// A move token split into the move and the marks of its value written on to it ("Nf3!?" gives
// "Nf3" and "!?"); check marks are dropped, the writer sets them from the position.
std::pair<std::string_view, std::string> splitMarks(std::string_view token) {
    std::string marks;
    while (!token.empty() && std::string_view("!?+#").find(token.back()) != std::string_view::npos) {
        if (token.back() == '!' || token.back() == '?') {
            marks.insert(marks.begin(), token.back());
        }
        token.remove_suffix(1);
    }
    return {token, marks};
}

// Deeper variations are skipped whole: no real game nests them this far, and a crafted file must
// not exhaust the stack.
constexpr int kVariationDepthLimit = 32;

// The first four fields of a position (placement, side to move, castling, en passant); the move
// counters do not change where the game starts.
std::string_view positionFields(std::string_view fen) {
    std::size_t at = 0;
    for (int field = 0; field < 4 && at != std::string_view::npos; ++field) {
        at = fen.find(' ', field == 0 ? 0 : at + 1);
    }
    return fen.substr(0, at);
}

std::string_view field(std::string_view fen, int index) {
    for (int i = 0; i < index; ++i) {
        const std::size_t blank = fen.find(' ');
        fen = blank == std::string_view::npos ? std::string_view() : fen.substr(blank + 1);
    }
    return fen.substr(0, fen.find(' '));
}

class Reader {
  public:
    // A reader that only scans counts the moves of the game without replaying them and takes any
    // start position; it finds where the game ends.
    enum class Mode { replay, scan };

    Reader(std::string_view bytes, Mode mode) : in_(bytes), scanning_(mode == Mode::scan) {}

    PgnReading read() {
        if (in_.size() > kPgnMaxBytes && !scanning_) {
            reading_.failure = PgnFailure::tooLarge;
            return reading_;
        }
        if (in_.starts_with(kByteOrderMark)) {
            pos_ = kByteOrderMark.size();
        }
        while (pos_ < in_.size() && !done_) {
            step();
        }
        if (!startChecked_ && !scanning_) {
            setUpStart();
        }
        if (reading_.failure == PgnFailure::none && reading_.tags.empty() && reading_.moves.empty() &&
            scannedMoves_ == 0) {
            reading_ = PgnReading{};
            reading_.failure = PgnFailure::noGame;
        }
        return reading_;
    }

    // Where the game read ends: after its result, or at the tags of the next game.
    std::size_t end() const { return pos_; }
    int scannedMoves() const { return scannedMoves_; }

  private:
    // One element of the move text at the reading position.
    struct Element {
        enum class Kind { nothing, end, tag, comment, variation, closing, glyph, token } kind = Kind::nothing;
        std::string text;
        PgnLine line;
    };

    Element next(int depth) {
        Element e;
        if (pos_ >= in_.size()) {
            e.kind = Element::Kind::end;
            return e;
        }
        const char c = in_[pos_];
        if (isSpace(c)) {
            ++pos_;
        } else if (c == '%' && (pos_ == 0 || in_[pos_ - 1] == '\n' || in_[pos_ - 1] == '\r')) {
            skipLine();
        } else if (c == '[') {
            e.kind = Element::Kind::tag;  // left for the caller: a tag, or the next game
        } else if (c == '{') {
            const std::size_t start = ++pos_;
            skipPast('}');
            e.kind = Element::Kind::comment;
            e.text = commentText(in_.substr(start, pos_ - start - (in_[pos_ - 1] == '}' ? 1 : 0)));
        } else if (c == ';') {
            const std::size_t start = ++pos_;
            skipLine();
            e.kind = Element::Kind::comment;
            e.text = commentText(in_.substr(start, pos_ - start));
        } else if (c == '(' && depth >= kVariationDepthLimit) {
            skipVariation();
        } else if (c == '(') {
            ++pos_;
            e.kind = Element::Kind::variation;
            e.line = readVariation(depth + 1);
        } else if (c == ')') {
            ++pos_;
            e.kind = Element::Kind::closing;
        } else if (c == '$') {
            const std::size_t start = pos_++;
            while (pos_ < in_.size() && isDigit(in_[pos_])) {
                ++pos_;
            }
            e.kind = Element::Kind::glyph;
            e.text = std::string(in_.substr(start, pos_ - start));
        } else if (c == '<') {
            skipPast('>');
        } else if (c == ']' || c == '}' || c == '>') {
            ++pos_;
        } else {
            const std::size_t start = pos_;
            while (pos_ < in_.size() && !endsToken(in_[pos_])) {
                ++pos_;
            }
            e.kind = Element::Kind::token;
            e.text = std::string(in_.substr(start, pos_ - start));
        }
        return e;
    }

    // Comments, glyphs and variations go to the last move of their line, or (comments only) before
    // its first move. False for any other element.
    static bool attach(Element& e, std::vector<std::string>& leading, std::vector<PgnNotes>& notes) {
        switch (e.kind) {
            case Element::Kind::comment:
                if (!e.text.empty()) {
                    (notes.empty() ? leading : notes.back().comments).push_back(std::move(e.text));
                }
                return true;
            case Element::Kind::variation:
                if (!notes.empty()) {
                    notes.back().variations.push_back(std::move(e.line));
                }
                return true;
            case Element::Kind::glyph:
                if (!notes.empty()) {
                    notes.back().glyphs.push_back(std::move(e.text));
                }
                return true;
            default:
                return false;
        }
    }

    void step() {
        Element e = next(0);
        if (attach(e, reading_.comments, reading_.notes)) {
            return;
        }
        if (e.kind == Element::Kind::tag && inMovetext_) {
            done_ = true;  // the next game begins
        } else if (e.kind == Element::Kind::tag) {
            readTag();
        } else if (e.kind == Element::Kind::token) {
            takeToken(e.text);
        }
    }

    // The moves of a variation are kept as written; they are not replayed.
    PgnLine readVariation(int depth) {
        PgnLine line;
        for (;;) {
            Element e = next(depth);
            if (e.kind == Element::Kind::end || e.kind == Element::Kind::tag ||
                e.kind == Element::Kind::closing) {
                return line;
            }
            if (!attach(e, line.comments, line.notes) && e.kind == Element::Kind::token) {
                takeVariationToken(line, e.text);
            }
        }
    }

    void takeVariationToken(PgnLine& line, std::string_view token) {
        const std::string_view word = withoutMoveNumber(token);
        if (!word.empty() && isAnnotation(word)) {
            if (!line.notes.empty()) {
                line.notes.back().glyphs.emplace_back(word);
            }
            return;
        }
        auto [move, marks] = splitMarks(word);
        // Only what reads back as a move: no number, result or glyph, and no "%", which at the start
        // of a line would make the line one for programs.
        if (move.empty() || withoutMoveNumber(move) != move || resultOf(move) || isAnnotation(move) ||
            move == "e.p." || move.starts_with('%')) {
            return;
        }
        line.moves.emplace_back(move);
        line.notes.emplace_back();
        if (!marks.empty()) {
            line.notes.back().glyphs.push_back(std::move(marks));
        }
    }

    void skipLine() {
        while (pos_ < in_.size() && in_[pos_] != '\n' && in_[pos_] != '\r') {
            ++pos_;
        }
    }

    void skipPast(char end) {
        const std::size_t at = in_.find(end, pos_);
        pos_ = at == std::string_view::npos ? in_.size() : at + 1;
    }

    void skipComment() { skipPast('}'); }

    // Variations nest; comments inside them may hold parentheses of their own.
    void skipVariation() {
        int depth = 0;
        while (pos_ < in_.size()) {
            const char c = in_[pos_];
            if (c == '{') {
                skipComment();
                continue;
            }
            if (c == ';') {
                skipLine();
                continue;
            }
            ++pos_;
            if (c == '(') {
                ++depth;
            } else if (c == ')' && --depth == 0) {
                return;
            }
        }
    }

    void readTag() {
        ++pos_;
        while (pos_ < in_.size() && (in_[pos_] == ' ' || in_[pos_] == '\t')) {
            ++pos_;
        }
        const std::size_t nameStart = pos_;
        while (pos_ < in_.size() &&
               (std::isalnum(static_cast<unsigned char>(in_[pos_])) || in_[pos_] == '_')) {
            ++pos_;
        }
        const std::string_view name = in_.substr(nameStart, pos_ - nameStart);
        while (pos_ < in_.size() && (in_[pos_] == ' ' || in_[pos_] == '\t')) {
            ++pos_;
        }
        if (name.empty() || pos_ >= in_.size() || in_[pos_] != '"') {
            skipRestOfTag();
            return;
        }
        ++pos_;
        std::string value;
        while (pos_ < in_.size() && in_[pos_] != '"' && in_[pos_] != '\n' && in_[pos_] != '\r') {
            if (in_[pos_] == '\\' && pos_ + 1 < in_.size() &&
                (in_[pos_ + 1] == '"' || in_[pos_ + 1] == '\\')) {
                ++pos_;
            }
            value += in_[pos_];
            ++pos_;
        }
        reading_.tags.push_back(PgnTag{std::string(name), tagText(value)});
        skipRestOfTag();
    }

    // To the closing bracket, but never past the line: a broken tag must not swallow the moves.
    void skipRestOfTag() {
        while (pos_ < in_.size() && in_[pos_] != ']' && in_[pos_] != '\n' && in_[pos_] != '\r') {
            ++pos_;
        }
        if (pos_ < in_.size() && in_[pos_] == ']') {
            ++pos_;
        }
    }

    // The position the tags set up, where they name one other than the starting position.
    void setUpStart() {
        startChecked_ = true;
        bool hasFen = false;
        for (const PgnTag& tag : reading_.tags) {
            if (tag.name != "FEN" || hasFen) {
                continue;
            }
            hasFen = true;
            if (positionFields(tag.value) == positionFields(kStartFen)) {
                continue;
            }
            if (const std::optional<FenPosition> start = readFen(tag.value, reading_.problem)) {
                reading_.board = start->board;
                reading_.toMove = start->toMove;
                reading_.fen = tag.value;
                firstPly_ = plyBefore(tag.value);
            } else {
                reading_.failure = PgnFailure::setUpPosition;
            }
        }
        if (!hasFen && tagValue(reading_.tags, "SetUp") == "1") {
            reading_.failure = PgnFailure::setUpPosition;
            reading_.problem = "SetUp without a FEN tag";
        }
    }

    void takeToken(std::string_view token) {
        inMovetext_ = true;
        if (!startChecked_ && !scanning_) {
            setUpStart();
            if (reading_.failure != PgnFailure::none) {
                done_ = true;
                return;
            }
        }
        if (const std::optional<PgnResult> result = resultOf(token)) {
            reading_.result = *result;
            done_ = true;
            return;
        }
        const std::string_view move = withoutMoveNumber(token);
        if (move.empty() || move == "e.p.") {
            return;
        }
        if (isAnnotation(move)) {
            if (!reading_.notes.empty()) {
                reading_.notes.back().glyphs.emplace_back(move);
            }
            return;
        }
        if (scanning_) {
            ++scannedMoves_;
            return;
        }
        const SanReading san = readSan(reading_.board, reading_.toMove, move);
        if (!san.move) {
            const int ply = firstPly_ + static_cast<int>(reading_.moves.size());
            reading_.refused = PgnRefusedMove{ply / 2 + 1, reading_.toMove, printable(move), san.problem};
            done_ = true;
            return;
        }
        reading_.board = afterMove(reading_.board, reading_.toMove, *san.move);
        reading_.moves.push_back(*san.move);
        reading_.notes.emplace_back();
        if (std::string marks = splitMarks(move).second; !marks.empty()) {
            reading_.notes.back().glyphs.push_back(std::move(marks));
        }
        reading_.toMove = opposite(reading_.toMove);
    }

    std::string_view in_;
    std::size_t pos_ = 0;
    bool inMovetext_ = false;
    bool startChecked_ = false;
    bool scanning_ = false;
    int scannedMoves_ = 0;
    int firstPly_ = 0;
    bool done_ = false;
    PgnReading reading_;
};

}  // namespace

PgnReading readPgn(std::string_view bytes) {
    return Reader(bytes, Reader::Mode::replay).read();
}

std::vector<PgnGameEntry> listPgnGames(std::string_view bytes) {
    std::vector<PgnGameEntry> games;
    if (bytes.size() > kPgnCollectionMaxBytes) {
        return games;
    }
    for (std::size_t at = 0; at < bytes.size();) {
        Reader reader(bytes.substr(at), Reader::Mode::scan);
        const PgnReading scanned = reader.read();
        const std::size_t length = std::max<std::size_t>(reader.end(), 1);
        if (scanned.failure == PgnFailure::none) {
            games.push_back(PgnGameEntry{
                at, length, std::string(tagValue(scanned.tags, "White")),
                std::string(tagValue(scanned.tags, "Black")), std::string(tagValue(scanned.tags, "Event")),
                std::string(tagValue(scanned.tags, "Date")), scanned.result, reader.scannedMoves()});
        }
        at += length;
    }
    return games;
}

int plyBefore(std::string_view fen) {
    if (fen.empty()) {
        return 0;
    }
    const std::string_view number = field(fen, 5);
    int moves = 0;
    for (const char c : number.substr(0, 6)) {
        moves = isDigit(c) ? moves * 10 + (c - '0') : moves;
    }
    return 2 * (std::max(moves, 1) - 1) + (field(fen, 1) == "b" ? 1 : 0);
}

}  // namespace zarvik
