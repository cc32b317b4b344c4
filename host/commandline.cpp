#include "host/commandline.h"

#include <cstring>

#include <QFileInfo>

namespace zarvik::qthost {

CommandLine parseCommandLine(const QStringList& arguments) {
    CommandLine line;
    bool optionsEnded = false;
    for (const QString& argument : arguments) {
        if (!optionsEnded && argument == QLatin1String("--")) {
            optionsEnded = true;
        } else if (!optionsEnded &&
                   (argument == QLatin1String("--help") || argument == QLatin1String("-h"))) {
            line.action = CommandLineAction::ShowHelp;
            return line;
        } else if (!optionsEnded && argument == QLatin1String("--version")) {
            line.action = CommandLineAction::ShowVersion;
            return line;
        } else if (!optionsEnded && argument.startsWith(QLatin1Char('-')) && argument.size() > 1) {
            line.action = CommandLineAction::Refuse;
            line.refusedOption = argument.toStdString();
            return line;
        } else if (!argument.isEmpty()) {
            line.documents.push_back(QFileInfo(argument).absoluteFilePath().toStdString());
        }
    }
    return line;
}

bool asksForTextOnly(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--") == 0) {
            return false;
        }
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0 ||
            std::strcmp(argv[i], "--version") == 0) {
            return true;
        }
    }
    return false;
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
           "\n"
           "Umgebung: ZARVIK_RESOURCES nennt den Ordner mit Schriften und Bildern.\n";
}

std::string versionText() {
    return std::string("zarvik ") + ZARVIK_VERSION + "\n";
}

}  // namespace zarvik::qthost
