// The host's widgets need a QApplication for the whole run. Test discovery at build time runs this
// without the test's environment, so the offscreen platform is also the default here.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include <QApplication>

#include <gtest/gtest.h>

#include "toolkit/app/presentation.h"
#include "toolkit/screen/window.h"

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>

// Fontconfig, loaded by Qt's font database, keeps its configuration for the life of the process.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n";
}
#endif

int main(int argc, char** argv) {
    // The program's saved last game and settings go to folders of this run, never into the home.
    char folder[] = "/tmp/zarvik-host-tests-XXXXXX";
    if (::mkdtemp(folder) != nullptr) {
        ::setenv("XDG_DATA_HOME", (std::string(folder) + "/data").c_str(), 1);
        ::setenv("XDG_CONFIG_HOME", (std::string(folder) + "/config").c_str(), 1);
    }
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    // The toolkit's update thread may wait for the GUI thread: let it finish its pass, then end
    // without unwinding threads that live for the process.
    zarvik::t_StopUpdateThread();
    zarvik::t_SetToolkitReady(false);
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(100);
    while (std::chrono::steady_clock::now() < end) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
#if defined(__SANITIZE_ADDRESS__)
    // _Exit skips the leak check that would run at exit: run it here.
    if (__lsan_do_recoverable_leak_check() != 0) {
        std::fflush(stdout);
        std::_Exit(1);
    }
#endif
    std::fflush(stdout);
    std::_Exit(result);
}
