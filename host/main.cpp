// zarvik: the desktop application. The command line is read before Qt starts, so that --help,
// --version and a wrong option answer without a display; otherwise the application delegate sets
// up the host windows and starts the program.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <initializer_list>

#include <QApplication>
#include <QIcon>
#include <QTimer>

#include "host/appdelegate.h"
#include "host/commandline.h"
#include "host/translations.h"
#include "util/log.h"

namespace {

// Without a graphical display Qt cannot start; from a terminal the game is played there.
bool noDisplay() {
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        const char* value = std::getenv(name);
        if (value != nullptr && *value != '\0') {
            return false;
        }
    }
    return isatty(STDIN_FILENO) != 0 && isatty(STDOUT_FILENO) != 0;
}

// The terminal game is a program of its own beside this one, so that a terminal-only install needs
// no Qt: it takes over this process with the same arguments.
[[noreturn]] void handOverToTerminal(char** argv) {
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    const std::string program = (self.parent_path() / "zarvik-terminal").string();
    ::execv(program.c_str(), argv);
    std::fprintf(stderr, "zarvik: %s lässt sich nicht starten.\n", program.c_str());
    std::_Exit(1);
}

}  // namespace

int main(int argc, char** argv) {
    using namespace zarvik::qthost;
    // Read before Qt starts, so that --help, --version and a wrong option need no display; Qt's own
    // options are passed over, and file names keep their bytes.
    const CommandLine line = parseCommandLine(argc, argv);
    if (line.action == CommandLineAction::ShowHelp || line.action == CommandLineAction::ShowVersion) {
        const std::string text = line.action == CommandLineAction::ShowVersion ? versionText() : helpText();
        std::fwrite(text.data(), 1, text.size(), stdout);
        return 0;
    }
    if (line.action == CommandLineAction::Refuse) {
        const std::string text = usageText(line.refusedOption);
        std::fwrite(text.data(), 1, text.size(), stderr);
        return 2;
    }

    if (line.terminal || noDisplay()) {
        handOverToTerminal(argv);
    }

    // The log stays in the system console window; a terminal gets it only when asked for.
    zarvik::setlogstream(line.log ? stdout : nullptr);

    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Zarvik"));
    QApplication::setApplicationVersion(QStringLiteral(ZARVIK_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("zarvik"));
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/zarvik.png")));
    installGermanTranslations(application);

    AppDelegate delegate(line.documents);
    delegate.applicationWillFinishLaunching();
    QTimer::singleShot(0, &delegate, [&delegate] { delegate.applicationDidFinishLaunching(); });
    const int status = QApplication::exec();
    delegate.applicationWillTerminate();
    // The program thread and the toolkit's threads may still run: end without unwinding them.
    std::fflush(stdout);
    std::_Exit(status);
}
