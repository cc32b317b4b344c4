#pragma once
// The command line of the application: --help and --version answer without starting the GUI, --log
// also writes the log to standard output, --terminal (and --zeilen, its line mode) plays in the
// terminal; every other argument that is not an option is a document.
#include <string>
#include <vector>

#include <QStringList>

namespace zarvik::qthost {

enum class CommandLineAction { Run, ShowHelp, ShowVersion, Refuse };

struct CommandLine {
    CommandLineAction action = CommandLineAction::Run;
    std::vector<std::string> documents;  // absolute paths, in the given order
    bool log = false;                    // the log also on standard output, not only in the console
    bool terminal = false;               // --terminal or --zeilen: the game in the terminal instead
    std::string refusedOption;
};

// `arguments` as given, without the program name. Qt's own options (-platform NAME, -style NAME,
// -reverse ...) are passed over: Qt takes them itself. Read before Qt starts, so that --help,
// --version and a refusal need no display.
CommandLine parseCommandLine(const QStringList& arguments);
// The same from the raw arguments (argv[0] is the program), keeping the bytes of file names.
CommandLine parseCommandLine(int argc, char** argv);

std::string helpText();
std::string versionText();
// The message for a refused option, for standard error.
std::string usageText(const std::string& refusedOption);

}  // namespace zarvik::qthost
