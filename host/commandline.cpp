#include "host/commandline.h"

#include <algorithm>
#include <filesystem>

#include <QFile>

namespace zarvik::qthost {

namespace {

// Qt's options that QGuiApplication and QApplication take from the command line, with or without a
// value; Qt accepts them with one dash or two.
const char* const kQtOptionsWithValue[] = {
    "platform",    "platformpluginpath", "platformtheme", "plugin",   "qwindowgeometry",
    "qwindowicon", "qwindowtitle",       "display",       "geometry", "title",
    "style",       "stylesheet",         "session",       "name"};
const char* const kQtFlags[] = {"reverse", "widgetcount", "nograb", "dograb", "sync", "visual"};

// How many arguments a Qt option at `argument` takes up (0 when it is none of Qt's).
int qtOptionLength(std::string name) {
    if (name.starts_with("--")) {
        name.erase(0, 1);
    }
    if (!name.starts_with('-')) {
        return 0;
    }
    name.erase(0, 1);
    for (const char* option : kQtOptionsWithValue) {
        if (name == option) {
            return 2;
        }
        if (name.starts_with(std::string(option) + "=")) {
            return 1;
        }
    }
    for (const char* flag : kQtFlags) {
        if (name == flag) {
            return 1;
        }
    }
    return name.starts_with("qmljsdebugger=") ? 1 : 0;
}

// File names are bytes: a name that is not valid text in the system's encoding still names its
// file, so options are matched and documents taken on the bytes themselves.
CommandLine parseArguments(const std::vector<std::string>& arguments) {
    CommandLine line;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (const int qtLength = optionsEnded ? 0 : qtOptionLength(argument); qtLength > 0) {
            i += std::size_t(qtLength - 1);
        } else if (!optionsEnded && argument == "--") {
            optionsEnded = true;
        } else if (!optionsEnded && (argument == "--help" || argument == "-h")) {
            line.action = CommandLineAction::ShowHelp;
            return line;
        } else if (!optionsEnded && argument == "--log") {
            line.log = true;
        } else if (!optionsEnded && (argument == "--terminal" || argument == "--zeilen")) {
            line.terminal = true;
        } else if (!optionsEnded && argument == "--version") {
            line.action = CommandLineAction::ShowVersion;
            return line;
        } else if (!optionsEnded && argument.starts_with('-') && argument.size() > 1) {
            line.action = CommandLineAction::Refuse;
            line.refusedOption = argument;
            return line;
        } else if (!argument.empty()) {
            line.documents.push_back(std::filesystem::absolute(argument).lexically_normal().string());
        }
    }
    return line;
}

}  // namespace

CommandLine parseCommandLine(const QStringList& arguments) {
    std::vector<std::string> bytes;
    for (const QString& argument : arguments) {
        bytes.push_back(QFile::encodeName(argument).toStdString());
    }
    return parseArguments(bytes);
}

CommandLine parseCommandLine(int argc, char** argv) {
    return parseArguments(std::vector<std::string>(argv + std::min(argc, 1), argv + argc));
}

std::string helpText() {
    return "Aufruf: zarvik [OPTION] [SPIEL.zarvik|PARTIE.pgn ...]\n"
           "Schach gegen den Computer oder zu zweit.\n"
           "\n"
           "Gespeicherte Spiele (*.zarvik) und PGN-Partien (*.pgn) auf der Befehlszeile werden nach dem\n"
           "Start geöffnet (von einer PGN-Datei die erste Partie).\n"
           "\n"
           "  -h, --help     diese Hilfe zeigen und beenden\n"
           "      --version  die Version zeigen und beenden\n"
           "      --log      das Protokoll auch auf die Standardausgabe schreiben (sonst nur in\n"
           "                 die Systemkonsole)\n"
           "      --terminal im Terminal spielen (ohne grafische Oberfläche auch ohne diese Option)\n"
           "      --zeilen   im Terminal Zeile für Zeile, für Bildschirmleser und Braillezeilen\n"
           "Dazu die Optionen von Qt, etwa -platform NAME oder -style NAME.\n"
           "\n"
           "Umgebung: ZARVIK_RESOURCES nennt den Ordner mit Schriften und Bildern.\n";
}

std::string usageText(const std::string& refusedOption) {
    return "zarvik: unbekannte Option " + refusedOption +
           "\nAufruf: zarvik [OPTION] [SPIEL.zarvik|PARTIE.pgn ...]\n" + "zarvik --help zeigt die Aufrufe.\n";
}

std::string versionText() {
    return std::string("zarvik ") + ZARVIK_VERSION + "\n";
}

}  // namespace zarvik::qthost
