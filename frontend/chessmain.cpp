#include "frontend/chessmain.h"

#include <chrono>
#include <thread>

#include "frontend/boarddisplay.h"
#include "frontend/fileevents.h"
#include "frontend/human.h"
#include "frontend/humanmove.h"
#include "frontend/mousemove.h"
#include "frontend/pgnimport.h"
#include "frontend/prompts.h"
#include "frontend/record.h"
#include "frontend/savedgame.h"
#include "frontend/state.h"
#include "rules/lastmove.h"
#include "toolkit/app/events.h"
#include "toolkit/app/input.h"
#include "toolkit/app/menutable.h"
#include "toolkit/app/printer.h"
#include "toolkit/app/startup.h"
#include "toolkit/graphics/graphiccapture.h"
#include "toolkit/graphics/graphicfile.h"
#include "toolkit/screen/font.h"
#include "toolkit/screen/window.h"
#include "toolkit/text/textoutput.h"
#include "util/dialogs.h"
#include "util/log.h"
#include "util/text.h"

namespace zarvik::frontend {
namespace {

constexpr std::uint8_t kWindow = 0;
constexpr std::uint8_t kPrinterWindow = 9;
constexpr std::string_view kAuthorLine = "Schach in der Konsole";

void toPromptLine() {
    t_Vtab(kWindow, kPromptLine);
    t_Htab(kWindow, 1);
}

// Asks a padded configuration question; none when a saved game was opened meanwhile.
std::optional<bool> askConfiguration(std::string_view question) {
    const bool yes = askYesNo(paddedQuestion(question));
    if (gameOpened().load()) {
        return std::nullopt;
    }
    return yes;
}

void showGame() {
    showRecordPanel();
    if (const std::shared_ptr<Game> game = currentGame()) {
        drawBoards(*game);
    }
}

// Waits for the computer's move, printing a dot every 0.1 s. The wait also ends when the game was
// replaced (a saved game opened meanwhile has other players, so the turn might never pass here).
void waitForComputer(const std::shared_ptr<Game>& game, Color color) {
    for (;;) {
        const std::shared_ptr<Player> current = game->currentPlayer();
        if (!current || current->color != color || !gameRunning().load() || currentGame() != game) {
            return;
        }
        t_Print(kWindow, ".");
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
}

Color sideToMove() {
    const std::shared_ptr<Game> game = currentGame();
    const std::shared_ptr<Player> player = game ? game->currentPlayer() : nullptr;
    return player && player->color ? *player->color : Color::white;
}

void halfMove(Color color) {
    lastMove().reset();
    const bool human = (color == Color::white ? whiteIsHuman() : blackIsHuman()).load();
    const bool otherHuman = (color == Color::white ? blackIsHuman() : whiteIsHuman()).load();
    if (!human) {
        toPromptLine();
        t_Cr(kWindow);
        t_Cr(kWindow);
        t_Print(kWindow, "Computerspieler berechnet einen Zug");
        t_ClearEndOfLine(kWindow);
        const std::shared_ptr<Game> game = currentGame();
        if (game) {
            const std::shared_ptr<Player> current = game->currentPlayer();
            if (current && startComputerMove(*current)) {
                waitForComputer(game, color);
            }
        }
        if (otherHuman) {
            toPromptLine();
            t_Cr(kWindow);
            t_Cr(kWindow);
            t_ClearEndOfWindow(kWindow);
        }
    }
    // Read again: an opened saved game makes both sides human.
    if ((color == Color::white ? whiteIsHuman() : blackIsHuman()).load() && gameRunning().load()) {
        readHumanMove(color);
    }
    if (!gameOpened().load()) {
        recordHalfMove(colorWord(color));
        showGame();
    }
}

}  // namespace

void showRecordPanel() {
    const GameRecord record = gameRecordSnapshot();
    const std::vector<std::string> lines = panelLines(record);
    t_Area(kWindow, 50, 3, 80, 25);
    t_CursorHome(kWindow);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        t_Print(kWindow, panelText(lines[i]));
        t_ClearEndOfLine(kWindow);
        if (i + 1 < 23) {
            t_Cr(kWindow);
        }
    }
    t_ClearEndOfWindow(kWindow);
    t_CursorHome(kWindow);
    t_Area(kWindow, 1, 3, 49, 25);
    t_CursorHome(kWindow);
    p_SetPrinter(record.text);
}

void configureGame() {
    t_Area(kWindow, 1, 3, 80, 25);
    t_CursorHome(kWindow);
    t_ClearEndOfWindow(kWindow);
    beginRecord();
    setCurrentGame(makeNewGame());
    showGame();
    toPromptLine();

    const std::optional<bool> standard = askConfiguration("Standard-Konfiguration benutzen");
    if (!standard) {
        return;
    }
    if (*standard) {
        whiteIsHuman() = true;
        blackIsHuman() = false;
        whiteDifficulty() = 2;
        blackDifficulty() = 2;
        setPlayers(makeHuman(Color::white), makeComputer(Color::black, 2));
    } else {
        std::shared_ptr<Player> white;
        const std::optional<bool> whiteHuman = askConfiguration("Weiss = Mensch");
        if (!whiteHuman) {
            return;
        }
        if (*whiteHuman) {
            whiteIsHuman() = true;
            whiteDifficulty() = 2;
            white = makeHuman(Color::white);
        } else {
            const std::optional<bool> hard = askConfiguration("Spielstärke ist schwer");
            if (!hard) {
                return;
            }
            whiteIsHuman() = false;
            whiteDifficulty() = *hard ? 2 : 0;
            white = makeComputer(Color::white, whiteDifficulty());
        }
        std::shared_ptr<Player> black;
        const std::optional<bool> blackComputer = askConfiguration("Schwarz = Computer");
        if (!blackComputer) {
            return;
        }
        if (!*blackComputer) {
            blackIsHuman() = true;
            blackDifficulty() = 2;
            black = makeHuman(Color::black);
        } else {
            const std::optional<bool> hard = askConfiguration("Spielstärke ist schwer");
            if (!hard) {
                return;
            }
            blackIsHuman() = false;
            blackDifficulty() = *hard ? 2 : 0;
            black = makeComputer(Color::black, blackDifficulty());
        }
        setPlayers(white, black);
    }
    // A build without the computer seats humans instead; the record and the turn loop say so.
    whiteIsHuman() = dynamic_cast<Human*>(whitePlayer().get()) != nullptr;
    blackIsHuman() = dynamic_cast<Human*>(blackPlayer().get()) != nullptr;
    appendConfigurationLines();
    showRecordPanel();
    setCurrentGame(makeNewGame());
    toPromptLine();
    t_ClearEndOfWindow(kWindow);
}

void playGame() {
    setPromotionChoice("");
    gameRunning() = true;
    Color color = Color::white;
    while (gameRunning().load()) {
        halfMove(color);
        if (!gameRunning().load()) {
            return;
        }
        color = color == Color::white ? Color::black : Color::white;
        if (gameOpened().exchange(false)) {
            // The person plays the opened game on: from its side to move, its half-moves recorded
            // after the file's lines.
            showGame();
            color = sideToMove();
        }
    }
}

void chess_Menu() {
    if (!t_MenuPending()) {
        logline("chess_Menu: No menu event available");
        return;
    }
    const auto [menuTitle, itemTitle] = t_NextMenuEvent();
    logline("chess_Menu: " + menuTitle + "-Menü, Menübefehl = " + itemTitle);
    switch (t_MenuCommandOf(menuTitle, itemTitle)) {
        case t_MenuCommand::OpenGame:
            if (chess_Open(selectfiletoopen("Spiel öffnen", "Spiel öffnen", "", true, false))) {
                t_PostKeys("\r");
            }
            break;
        case t_MenuCommand::SaveGameAs:
            saveGameAs();
            break;
        case t_MenuCommand::None:
            break;
    }
}

void chessMain() {
    installComputerDispatcher();
    t_InitWindow(kWindow, 24, 80, 25, 16, "MenloBold 16x32.font");
    t_WindowCenter(kWindow);
    t_WindowFront(kWindow);
    t_Header(kWindow, "Zarvik", kAuthorLine);
    t_WindowFont(kWindow, t_LoadFontResource("MenloRegular 16x32.font"));
    t_WindowTitle(kPrinterWindow, "Spielverlauf");
    t_TextLine(kWindow);
    p_InitPrinter();
    t_SetSaveGraphicHandler(&g_SaveScreenAs);
    loadPieceGraphics();
    t_SetMenuHandler(&chess_Menu);
    t_SetMouseHandler(&chess_Mouse);
    setFileEventHandler(&handleFileEvent);
    if (fileEventPending()) {
        const std::string path = takeFileEvent();
        if (isGameFileName(path) && chess_Open(path)) {
            toPromptLine();
        }
    }
    for (;;) {
        if (!gameOpened().load()) {
            configureGame();
            if (!gameOpened().load()) {
                playGame();
            }
        }
        if (gameOpened().load()) {
            showGame();
        }
        gameOpened() = false;
        toPromptLine();
        t_Print(kWindow, "Neues Spiel beginnen ");
        t_ClearEndOfWindow(kWindow);
        if (!askYesNo("<")) {
            t_QuitProgram(kWindow);
            return;
        }
    }
}

}  // namespace zarvik::frontend
