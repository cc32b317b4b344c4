#include "host/commandline.h"

#include <algorithm>
#include <cstring>
#include <filesystem>

#include <QFile>

namespace zarvik::qthost {

namespace {

// File names are bytes: a name that is not valid text in the system's encoding still names its
// file, so options are matched and documents taken on the bytes themselves.
CommandLine parseArguments(const std::vector<std::string>& arguments) {
    CommandLine line;
    bool optionsEnded = false;
    for (const std::string& argument : arguments) {
        if (!optionsEnded && argument == "--") {
            optionsEnded = true;
        } else if (!optionsEnded && (argument == "--help" || argument == "-h")) {
            line.action = CommandLineAction::ShowHelp;
            return line;
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
