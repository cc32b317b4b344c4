#include "toolkit/app/menutable.h"

#include <algorithm>
#include <array>

#include "toolkit/modifiers.h"

namespace zarvik {
namespace {

constexpr std::uint32_t command = t_ModifierMask(t_ModifierBit::Command);
constexpr std::uint32_t commandShift = command | t_ModifierMask(t_ModifierBit::Shift);

constexpr t_MenuRow separator(std::string_view menu) {
    return {menu, {}, t_MenuTag::Program, t_MenuCommand::None, 0, 0};
}

using enum t_MenuTag;
using enum t_MenuCommand;

constexpr std::array rows{
    t_MenuRow{"Ablage", "Spiel öffnen…", Program, OpenGame, 'o', command},
    t_MenuRow{"Ablage", "Spiel sichern unter…", Program, SaveGameAs, 's', commandShift},
    t_MenuRow{"Ablage", "Grafik sichern unter…", SaveGraphic, None, 'g', commandShift},
    separator("Ablage"),
    t_MenuRow{"Ablage", "Beenden", Quit, None, 'q', command},

    t_MenuRow{"Spiel", "Neues Spiel", Program, NewGame, 'n', command},
    separator("Spiel"),
    t_MenuRow{"Spiel", "Zug zurücknehmen", Program, TakeBack, 'z', command},
    t_MenuRow{"Spiel", "Zug wiederholen", Program, Redo, 'z', commandShift},
    separator("Spiel"),
    t_MenuRow{"Spiel", "Tipp", Program, Hint, 't', command},
    t_MenuRow{"Spiel", "Remis anbieten", Program, OfferDraw, 0, 0},
    t_MenuRow{"Spiel", "Aufgeben", Program, Resign, 0, 0},
    separator("Spiel"),
    t_MenuRow{"Spiel", "Brett drehen", Program, TurnBoard, 'r', command},

    t_MenuRow{"Bearbeiten", "Text kopieren", CopyText, None, 'c', commandShift},
    t_MenuRow{"Bearbeiten", "Bild kopieren", CopyImage, None, 'b', commandShift},
    separator("Bearbeiten"),
    t_MenuRow{"Bearbeiten", "Drucker leeren", ClearPrinter, None, 0, 0},
    t_MenuRow{"Bearbeiten", "Systemkonsole leeren", ClearConsole, None, 0, 0},

    t_MenuRow{"Fenster", "Spielfenster zeigen", ConsoleFront, None, '0', command},
    t_MenuRow{"Fenster", "Spielfenster ausblenden", ConsoleHide, None, 0, 0},
    separator("Fenster"),
    t_MenuRow{"Fenster", "Drucker zeigen", PrinterFront, None, '1', command},
    t_MenuRow{"Fenster", "Drucker ausblenden", PrinterHide, None, 0, 0},
    t_MenuRow{"Fenster", "Systemkonsole zeigen", SystemConsoleFront, None, '2', command},
    t_MenuRow{"Fenster", "Systemkonsole ausblenden", SystemConsoleHide, None, 0, 0},
    t_MenuRow{"Fenster", "Zwischenablage zeigen", PasteboardFront, None, '3', command},
    t_MenuRow{"Fenster", "Zwischenablage ausblenden", PasteboardHide, None, 0, 0},

    t_MenuRow{"Hilfe", "Bedienung", Manual, None, 0, 0},
    t_MenuRow{"Hilfe", "Über Zarvik", About, None, 0, 0},
};

}  // namespace

std::span<const t_MenuRow> t_MenuTable() {
    return rows;
}

std::vector<std::string_view> t_MenuTitles() {
    std::vector<std::string_view> titles;
    for (const t_MenuRow& row : rows) {
        if (std::find(titles.begin(), titles.end(), row.Menu) == titles.end()) {
            titles.push_back(row.Menu);
        }
    }
    return titles;
}

std::vector<t_MenuRow> t_MenuRows(std::string_view menu) {
    std::vector<t_MenuRow> found;
    for (const t_MenuRow& row : rows) {
        if (row.Menu == menu) {
            found.push_back(row);
        }
    }
    return found;
}

bool t_IsHostTag(t_MenuTag tag) {
    return static_cast<int>(tag) < 0;
}

HostMenuItem t_HostMenuItemOf(const t_MenuRow& row) {
    return HostMenuItem{std::string(row.Title), t_IsHostTag(row.Tag) ? 0 : static_cast<int>(row.Tag),
                        row.Key == 0 ? std::string() : std::string(1, row.Key), row.Modifiers};
}

t_MenuCommand t_MenuCommandOf(std::string_view menu, std::string_view item) {
    for (const t_MenuRow& row : rows) {
        if (row.Menu == menu && row.Title == item && row.Tag == t_MenuTag::Program) {
            return row.Command;
        }
    }
    return t_MenuCommand::None;
}

}  // namespace zarvik
