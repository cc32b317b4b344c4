#include "frontend/chessmain.h"

#include <chrono>
#include <thread>

#include "frontend/advice.h"
#include "frontend/autosave.h"
#include "frontend/boarddisplay.h"
#include "frontend/boardmarks.h"
#include "frontend/commands.h"
#include "frontend/fileevents.h"
#include "frontend/gameclock.h"
#include "frontend/history.h"
#include "frontend/human.h"
#include "frontend/humanmove.h"
#include "frontend/mousemove.h"
#include "frontend/pgnimport.h"
#include "frontend/prompts.h"
#include "frontend/record.h"
#include "frontend/savedgame.h"
#include "frontend/searchturn.h"
#include "frontend/state.h"
#include "frontend/strength.h"
#include "frontend/typedmove.h"
#include "rules/drawrules.h"
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

constexpr std::string_view kSaveQuestion = "Das Spiel ist nicht gesichert. Vor dem neuen Spiel sichern?";

// What the main loop does next.
enum class Next { configure, play, afterGame, idle };

void toPromptLine() {
    t_Vtab(kWindow, kPromptLine);
    t_Htab(kWindow, 1);
}

bool isHuman(Color color) {
    return (color == Color::white ? whiteIsHuman() : blackIsHuman()).load();
}

void showGame() {
    showRecordPanel();
    showClocks();
    takeBoardRedraw();
    setLastMoveMarks(lastMoveSquares(gameRecordSnapshot().moveList));
    if (const std::shared_ptr<Game> game = currentGame()) {
        drawBoards(*game);
    }
}

// After every change of the game: the screen and the copy on disk.
void showChangedGame() {
    showGame();
    updateAutosave();
}

Color sideToMove() {
    const std::shared_ptr<Game> game = currentGame();
    const std::shared_ptr<Player> player = game ? game->currentPlayer() : nullptr;
    return player && player->color ? *player->color : Color::white;
}

// Before the game is replaced by a new one: true when it may go (nothing unsaved, saved now, or
// "Nicht sichern"); "Abbrechen" or a save that did not happen keeps it.
bool mayDiscardGame() {
    if (!hasUnsavedMoves()) {
        return true;
    }
    const std::string answer = askquestion(kSaveQuestion, {"Sichern", "Nicht sichern", "Abbrechen"});
    if (answer == "Sichern") {
        return saveGameAs();
    }
    return answer == "Nicht sichern";
}

// A padded configuration question, asked again after a command that does not apply here; none when
// a saved game was opened or a new game was asked for.
std::optional<bool> askConfiguration(std::string_view question) {
    const int line = t_Vpos(kWindow);
    for (;;) {
        const std::optional<bool> yes = askYesNo(paddedQuestion(question));
        if (yes || gameOpened().load() || nextGameCommand() == GameCommand::newGame) {
            return yes;
        }
        redrawTurnedBoards();
        takeGameCommand();
        t_Vtab(kWindow, line);
        t_Htab(kWindow, 1);
        t_ClearEndOfLine(kWindow);
    }
}

// A padded question answered with a line of at most `length` characters; none when a saved game was
// opened or a new game was asked for.
std::optional<std::string> askLine(std::string_view question, int length) {
    t_InputForm(kWindow, paddedQuestion(question), "", true, 0, length);
    while (!t_InputFormEdit(kWindow, &programInterrupted)) {
        if (gameOpened().load() || nextGameCommand() == GameCommand::newGame) {
            return std::nullopt;
        }
        takeGameCommand();  // nothing else applies here
    }
    return t_WindowRecord(kWindow).InputString;
}

void clearLine(int line) {
    t_Vtab(kWindow, line);
    t_Htab(kWindow, 1);
    t_ClearEndOfLine(kWindow);
}

// After the computer was chosen for a colour: "Stufe 1" to "Stufe 10", or the one-ply "leicht" or
// "schwer"; Return keeps `preset`, anything else asks again. None when interrupted.
std::optional<int> askStrength(int preset) {
    const int line = t_Vpos(kWindow);
    for (;;) {
        const std::optional<std::string> answer = askLine("Spielstärke (1-10, leicht, schwer)", 6);
        if (!answer) {
            return std::nullopt;
        }
        if (answer->empty()) {
            return preset;
        }
        if (const std::optional<int> strength = strengthFromAnswer(*answer)) {
            return strength;
        }
        clearLine(line);
    }
}

// After the players: the time control, none on Return or "keine" (the game without clocks); anything
// but "M+S" asks again. None when interrupted.
std::optional<std::optional<TimeControl>> askTimeControl() {
    const int line = t_Vpos(kWindow);
    for (;;) {
        const std::optional<std::string> answer = askLine("Uhr (keine, 5+0, 15+10, 30+0, 90+30)", 7);
        if (!answer) {
            return std::nullopt;
        }
        if (answer->empty() || upperCase(*answer) == "KEINE") {
            return std::optional<TimeControl>();
        }
        if (const std::optional<TimeControl> control = timeControlFromAnswer(*answer)) {
            return control;
        }
        clearLine(line);
    }
}

// The strength of a computer colour: the old question, then the level question defaulting to its answer.
std::optional<int> askComputerStrength() {
    const std::optional<bool> hard = askConfiguration("Spielstärke ist schwer");
    if (!hard) {
        return std::nullopt;
    }
    return askStrength(*hard ? 2 : 0);
}

// Ends the game on the flag of the side to move.
void recordTimeOut() {
    const std::shared_ptr<Game> game = currentGame();
    const std::optional<Color> flagged = fallenFlag();
    appendTimeOut(*RecordAccess(), game && flagged && !opponentCanMate(game->board, *flagged));
    gameRunning() = false;
    stopClocks();
}

// Waits for the computer's move, printing a dot every 0.1 s. The wait also ends when the game was
// replaced or the program is interrupted.
void waitForComputer(const std::shared_ptr<Game>& game, Color color) {
    for (;;) {
        const std::shared_ptr<Player> current = game->currentPlayer();
        if (!current || current->color != color || !gameRunning().load() || currentGame() != game ||
            programInterrupted()) {
            return;
        }
        redrawTurnedBoards();
        showClocksIfDue();
        t_Print(kWindow, ".");
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
}

HumanTurn computerMove(Color color) {
    toPromptLine();
    t_Cr(kWindow);
    t_Cr(kWindow);
    t_Print(kWindow, "Computerspieler berechnet einen Zug");
    t_ClearEndOfLine(kWindow);
    const std::shared_ptr<Game> game = currentGame();
    if (game) {
        const std::shared_ptr<Player> current = game->currentPlayer();
        if (current && !playSearchingTurn(game, current, color) && startComputerMove(*current)) {
            waitForComputer(game, color);
        }
    }
    if (programInterrupted()) {
        // Whatever the computer still computes is for a game that is no longer in play.
        restartFromRecord();
        return HumanTurn::interrupted;
    }
    if (isHuman(opposite(color))) {
        toPromptLine();
        t_Cr(kWindow);
        t_Cr(kWindow);
        t_ClearEndOfWindow(kWindow);
    }
    return HumanTurn::moved;
}

// "Aufgeben" from the menu: the person to move, or the person playing the computer, is asked.
std::optional<Next> offerResignation() {
    const Color toMove = sideToMove();
    const Color color = isHuman(toMove) || !isHuman(opposite(toMove)) ? toMove : opposite(toMove);
    toPromptLine();
    t_ClearEndOfWindow(kWindow);
    const std::optional<bool> giveUp = askGiveUp();
    if (!giveUp || !*giveUp) {
        return std::nullopt;
    }
    recordResignation(color);
    showChangedGame();
    return Next::afterGame;
}

// "Tipp": the person to move gets the searching player's move on the message line.
void giveHint() {
    const Color toMove = sideToMove();
    const std::shared_ptr<Game> game = currentGame();
    if (game && isHuman(toMove)) {
        showHint(*game, toMove);
    }
}

// "Remis anbieten": the person to move, or the person playing the computer, offers; the other person
// is asked, the computer answers by its search.
std::optional<Next> offerDraw() {
    const Color toMove = sideToMove();
    const Color offering = isHuman(toMove) ? toMove : opposite(toMove);
    const Color other = opposite(offering);
    const std::shared_ptr<Game> game = currentGame();
    if (!game || !isHuman(offering)) {
        return std::nullopt;
    }
    toPromptLine();
    t_ClearEndOfWindow(kWindow);
    bool accepted = false;
    if (isHuman(other)) {
        const std::optional<bool> yes = askYesNo(std::string(colorWord(other)) + ": Remis annehmen");
        if (!yes) {
            return std::nullopt;
        }
        accepted = *yes;
    } else {
        accepted = computerAcceptsDraw(*game, toMove, other);
    }
    toPromptLine();
    t_Cr(kWindow);
    t_Print(kWindow, accepted ? "Remis angenommen." : "Remis abgelehnt.");
    t_ClearEndOfLine(kWindow);
    if (!accepted) {
        return std::nullopt;
    }
    appendDrawEnding(*RecordAccess(), drawEndingOf(std::nullopt));
    gameRunning() = false;
    showChangedGame();
    return Next::afterGame;
}

// A command or an opened game during play; what follows, none to play on.
std::optional<Next> interruptionDuringPlay() {
    if (gameOpened().exchange(false)) {
        showGame();
        return gameRunning().load() ? std::nullopt : std::optional(Next::afterGame);
    }
    switch (takeGameCommand()) {
        case GameCommand::newGame:
            return mayDiscardGame() ? std::optional(Next::configure) : std::nullopt;
        case GameCommand::takeBack:
            takeBackMoves();
            restoreClocks(RecordAccess()->moveList.size());
            showChangedGame();
            return std::nullopt;
        case GameCommand::redo:
            redoMoves();
            restoreClocks(RecordAccess()->moveList.size());
            showChangedGame();
            return gameRunning().load() ? std::nullopt : std::optional(Next::afterGame);
        case GameCommand::hint:
            giveHint();
            return std::nullopt;
        case GameCommand::offerDraw:
            return offerDraw();
        case GameCommand::resign:
            return offerResignation();
        case GameCommand::timeOut:
            if (!fallenFlag() || !gameRunning().load()) {
                return std::nullopt;
            }
            recordTimeOut();
            showChangedGame();
            return Next::afterGame;
        case GameCommand::none:
            return std::nullopt;
    }
    return std::nullopt;
}

// Plays the game in `currentGame` from its side to move until it ends or a command leaves it.
Next playOn() {
    setPromotionChoice("");
    while (gameRunning().load()) {
        const Color color = sideToMove();
        lastMove().reset();
        startClock(color);
        showClocks();
        const HumanTurn turn = isHuman(color) ? readHumanMove(color) : computerMove(color);
        // A move made just before a game was opened belongs to the game that was replaced.
        if (turn == HumanTurn::interrupted || gameOpened().load()) {
            if (const std::optional<Next> next = interruptionDuringPlay()) {
                return *next;
            }
            continue;
        }
        if (turn == HumanTurn::gaveUp) {
            recordResignation(color);
        } else {
            pressClock(color, RecordAccess()->moveList.size() + 1);
            const std::optional<ClockTimes> times = clockTimes();
            recordHalfMove(colorWord(color), times ? clockText(times->of(color)) : "");
            if (fallenFlag() == color && gameRunning().load()) {
                recordTimeOut();  // the move came after the flag fell
            }
        }
        showChangedGame();
    }
    return Next::afterGame;
}

// A command or an opened game once the game has ended.
Next interruptionAfterGame(Next stay) {
    if (gameOpened().exchange(false)) {
        showGame();
        return gameRunning().load() ? Next::play : Next::afterGame;
    }
    switch (takeGameCommand()) {
        case GameCommand::newGame:
            return mayDiscardGame() ? Next::configure : stay;
        case GameCommand::takeBack:
            if (takeBackMoves()) {
                restoreClocks(RecordAccess()->moveList.size());
                showChangedGame();
                return Next::play;
            }
            return stay;
        default:
            return stay;
    }
}

// The game has ended: "Neues Spiel beginnen", and the unsaved game is not given up without asking.
Next afterGame() {
    stopClocks();
    showGame();
    updateAutosave();
    toPromptLine();
    t_Print(kWindow, "Neues Spiel beginnen ");
    t_ClearEndOfWindow(kWindow);
    const std::optional<bool> again = askYesNo("<");
    if (!again) {
        return interruptionAfterGame(Next::afterGame);
    }
    if (*again) {
        return mayDiscardGame() ? Next::configure : Next::afterGame;
    }
    return Next::idle;
}

// The final position stays on screen with the way to a new game; the menus keep working.
Next idle() {
    toPromptLine();
    t_Print(kWindow, "Neues Spiel: Strg+N");
    t_ClearEndOfWindow(kWindow);
    while (!programInterrupted()) {
        // keys do nothing here
        t_WaitKeyUnless(kWindow, [] { return programInterrupted() || boardRedrawPending(); });
        redrawTurnedBoards();
    }
    return interruptionAfterGame(Next::idle);
}

// At start-up: the game that was running when the program last ended, if the person wants it.
void offerLastGame() {
    const std::optional<std::string> text = resumableAutosave();
    if (!text) {
        return;
    }
    toPromptLine();
    const std::optional<bool> resume = askConfiguration("Letztes Spiel fortsetzen");
    if (resume && *resume && openSavedGameText(autosavePath(), *text)) {
        // Still saved nowhere but here: quitting asks again.
        RecordAccess()->unsaved = true;
        return;
    }
    if (resume) {
        removeAutosave();
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

bool configureGame() {
    removeAutosave();
    t_Area(kWindow, 1, 3, 80, 25);
    t_CursorHome(kWindow);
    t_ClearEndOfWindow(kWindow);
    beginRecord();
    setGameTimeControl(std::nullopt);
    setCurrentGame(makeNewGame());
    showGame();
    toPromptLine();

    const std::optional<bool> standard = askConfiguration("Standard-Konfiguration benutzen");
    if (!standard) {
        return false;
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
            return false;
        }
        if (*whiteHuman) {
            whiteIsHuman() = true;
            whiteDifficulty() = 2;
            white = makeHuman(Color::white);
        } else {
            const std::optional<int> strength = askComputerStrength();
            if (!strength) {
                return false;
            }
            whiteIsHuman() = false;
            whiteDifficulty() = *strength;
            white = makeComputer(Color::white, whiteDifficulty());
        }
        std::shared_ptr<Player> black;
        const std::optional<bool> blackComputer = askConfiguration("Schwarz = Computer");
        if (!blackComputer) {
            return false;
        }
        if (!*blackComputer) {
            blackIsHuman() = true;
            blackDifficulty() = 2;
            black = makeHuman(Color::black);
        } else {
            const std::optional<int> strength = askComputerStrength();
            if (!strength) {
                return false;
            }
            blackIsHuman() = false;
            blackDifficulty() = *strength;
            black = makeComputer(Color::black, blackDifficulty());
        }
        setPlayers(white, black);
    }
    const std::optional<std::optional<TimeControl>> control = askTimeControl();
    if (!control) {
        return false;
    }
    setGameTimeControl(*control);
    // A build without the computer seats humans instead; the record and the turn loop say so.
    whiteIsHuman() = dynamic_cast<Human*>(whitePlayer().get()) != nullptr;
    blackIsHuman() = dynamic_cast<Human*>(blackPlayer().get()) != nullptr;
    turnBoardForPlayers(whiteIsHuman(), blackIsHuman());
    appendConfigurationLines();
    if (*control) {
        addTimeControl(*RecordAccess(), timeControlTag(**control));
    }
    showRecordPanel();
    setCurrentGame(makeNewGame());
    gameRunning() = true;
    toPromptLine();
    t_ClearEndOfWindow(kWindow);
    return true;
}

void recordResignation(Color color) {
    appendResignation(*RecordAccess(), color);
    gameRunning() = false;
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
                wakeProgram();
            }
            break;
        case t_MenuCommand::SaveGameAs:
            if (saveGameAs()) {
                updateAutosave();
            }
            break;
        case t_MenuCommand::NewGame:
            postGameCommand(GameCommand::newGame);
            break;
        case t_MenuCommand::TakeBack:
            postGameCommand(GameCommand::takeBack);
            break;
        case t_MenuCommand::Redo:
            postGameCommand(GameCommand::redo);
            break;
        case t_MenuCommand::Hint:
            postGameCommand(GameCommand::hint);
            break;
        case t_MenuCommand::OfferDraw:
            postGameCommand(GameCommand::offerDraw);
            break;
        case t_MenuCommand::Resign:
            postGameCommand(GameCommand::resign);
            break;
        case t_MenuCommand::TurnBoard:
            requestBoardTurn();
            wakeProgram();
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
    loadBoardTurned();
    t_SetMenuHandler(&chess_Menu);
    t_SetMouseHandler(&chess_Mouse);
    setFileEventHandler(&handleFileEvent);
    Next next = Next::configure;
    if (fileEventPending()) {
        const std::string path = takeFileEvent();
        if (isGameFileName(path) && chess_Open(path)) {
            toPromptLine();
        }
    } else {
        offerLastGame();
    }
    for (;;) {
        if (gameOpened().exchange(false)) {
            showGame();
            next = gameRunning().load() ? Next::play : Next::afterGame;
        }
        switch (next) {
            case Next::configure:
                next = configureGame() ? Next::play : Next::configure;
                if (!gameOpened().load() && nextGameCommand() == GameCommand::newGame) {
                    takeGameCommand();  // the dialogue starts again
                }
                break;
            case Next::play:
                next = playOn();
                break;
            case Next::afterGame:
                next = afterGame();
                break;
            case Next::idle:
                next = idle();
                break;
        }
    }
}

}  // namespace zarvik::frontend
