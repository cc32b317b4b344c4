#pragma once
// The command line of the application: --help and --version answer without starting the GUI; every
// other argument that is not an option is a document to open.
#include <string>
#include <vector>

#include <QStringList>

namespace zarvik::qthost {

enum class CommandLineAction { Run, ShowHelp, ShowVersion, Refuse };

struct CommandLine {
    CommandLineAction action = CommandLineAction::Run;
    std::vector<std::string> documents;  // absolute paths, in the given order
    std::string refusedOption;
};

// `arguments` without the program name, after Qt took its own options.
CommandLine parseCommandLine(const QStringList& arguments);
// The same from the raw arguments (argv[0] is the program), keeping the bytes of file names.
CommandLine parseCommandLine(int argc, char** argv);

// True when the raw arguments ask for --help or --version, so that no display is needed.
bool asksForTextOnly(int argc, char** argv);

std::string helpText();
std::string versionText();

}  // namespace zarvik::qthost
