// zarvik: the desktop application. --help and --version answer without a display; otherwise the
// application delegate sets up the host windows and starts the program.
#include <cstdio>
#include <cstdlib>

#include <QApplication>
#include <QIcon>
#include <QTimer>

#include "host/appdelegate.h"
#include "host/commandline.h"

int main(int argc, char** argv) {
    using namespace zarvik::qthost;
    if (asksForTextOnly(argc, argv)) {
        const CommandLine line = parseCommandLine(argc, argv);
        const std::string text = line.action == CommandLineAction::ShowVersion ? versionText() : helpText();
        std::fwrite(text.data(), 1, text.size(), stdout);
        return 0;
    }

    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Zarvik"));
    QApplication::setApplicationVersion(QStringLiteral(ZARVIK_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("zarvik"));
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/zarvik.png")));

    // QApplication took its own options out of argv; the rest keep their bytes.
    const CommandLine line = parseCommandLine(argc, argv);
    if (line.action == CommandLineAction::Refuse) {
        std::fprintf(stderr, "zarvik: unbekannte Option %s (zarvik --help zeigt die Aufrufe)\n",
                     line.refusedOption.c_str());
        return 2;
    }

    AppDelegate delegate(line.documents);
    delegate.applicationWillFinishLaunching();
    QTimer::singleShot(0, &delegate, [&delegate] { delegate.applicationDidFinishLaunching(); });
    const int status = QApplication::exec();
    delegate.applicationWillTerminate();
    // The program thread and the toolkit's threads may still run: end without unwinding them.
    std::fflush(stdout);
    std::_Exit(status);
}
