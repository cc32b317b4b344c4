#pragma once
// The front end's process-wide variables: who plays which colour, how strong the computer is, the
// game in use and the promotion letter that the next promotion takes without asking. `lastMove` and
// `gameRunning` live with the rules model (rules/lastmove.h).
//
// Threads: the program thread plays, while a menu or file-event thread may open a saved game and
// replace the players and the game. Flags are atomic; the players, the game and the promotion letter
// are swapped under a lock and handed out as shared snapshots, so a thread that still holds the old
// game keeps it alive until it lets go.
#include <atomic>
#include <memory>
#include <string>
#include <string_view>

#include "rules/color.h"
#include "rules/game.h"
#include "rules/player.h"

namespace zarvik::frontend {

// A saved game has just been opened; every step of the dialogue returns early when it is set.
std::atomic<bool>& gameOpened();
std::atomic<bool>& whiteIsHuman();
std::atomic<bool>& blackIsHuman();
// 0 easy, 1 medium, 2 hard, or a searching level (frontend/strength.h).
std::atomic<int>& whiteDifficulty();
std::atomic<int>& blackDifficulty();

// The players and the game. On first use: a human white, a hard computer black, and a game of the
// two in the starting position.
std::shared_ptr<Player> whitePlayer();
std::shared_ptr<Player> blackPlayer();
std::shared_ptr<Game> currentGame();
std::shared_ptr<Player> playerOf(Color color);

void setPlayers(std::shared_ptr<Player> white, std::shared_ptr<Player> black);
void setCurrentGame(std::shared_ptr<Game> game);
// Replaces players and game in one step, so that no reader sees players of one game and the other.
void replaceGame(std::shared_ptr<Player> white, std::shared_ptr<Player> black, std::shared_ptr<Game> game);

// A new game of the current players in the starting position, white to move.
std::shared_ptr<Game> makeNewGame();
// A game of the two given players in the position of `startFen` (a position the reader accepted), or in
// the starting position, white to move, when it is empty.
std::shared_ptr<Game> makeGame(const std::shared_ptr<Player>& white, const std::shared_ptr<Player>& black,
                               std::string_view startFen = {});

std::string promotionChoice();
void setPromotionChoice(std::string letter);

// A computer player of that colour and difficulty (as above), and a human player.
std::shared_ptr<Player> makeComputer(Color color, int difficulty);
std::shared_ptr<Player> makeHuman(Color color);

// Starts the move of a computer player (it returns at once; the move is reported to its game
// later). False when the player is no computer.
bool startComputerMove(Player& player);

// Lets the computer report its moves on the toolkit host's main thread (where saved games are
// replayed too) and compute them on a worker thread. Called once at start-up.
void installComputerDispatcher();

}  // namespace zarvik::frontend
