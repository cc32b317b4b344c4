#pragma once
// Moves by mouse. At a move prompt a click on a square of either board that holds a piece of the
// side to move marks it; a click on a second square enters the move exactly as if it had been
// typed ("E2-E4"; "O-O" or "O-O-O" when the king goes to its castling square). A second click on
// the marked square, a right click or Escape removes the mark; every other click is ignored, and
// so is every click while no move prompt waits.
#include <optional>
#include <string>

#include "rules/board.h"
#include "rules/color.h"

namespace zarvik::frontend {

// What a click on a square (none: off both boards) does at the prompt of `color`.
struct ClickAnswer {
    enum class Kind { ignore, mark, unmark, enter };
    Kind kind = Kind::ignore;
    int square = -1;   // for mark
    std::string move;  // for enter: the text as it would be typed
};
ClickAnswer answerClick(const Board& board, Color color, std::optional<int> marked, std::optional<int> square,
                        bool right);

// The program's mouse handler: while no move prompt waits, it takes the clicks from the queue and
// drops them.
void chess_Mouse();

// The mouse side of one move prompt (program thread). While it lives the clicks belong to the
// prompt; at its end the mark goes and the handler drops clicks again.
class MovePromptClicks {
  public:
    explicit MovePromptClicks(Color color);
    ~MovePromptClicks();
    MovePromptClicks(const MovePromptClicks&) = delete;
    MovePromptClicks& operator=(const MovePromptClicks&) = delete;

    // True while clicks (or a turned board, or the clocks' second) wait: the line input stops waiting for
    // keys so that they are answered.
    static bool waiting();
    // Answers the waiting clicks: marks (with the piece's legal targets), removes the mark, or types
    // the move for the line input. A turned board is drawn first.
    void answer();
    // Removes the mark; false when there was none.
    bool unmark();

  private:
    Color color_;
    std::optional<int> marked_;
};

}  // namespace zarvik::frontend
