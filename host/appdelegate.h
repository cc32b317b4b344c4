#pragma once
// The application delegate: owns the Qt host, installs it as the toolkit's host, forwards the
// application's life-cycle callbacks and every widget event to the toolkit, and starts the program
// (the chess program) with the documents of the command line already pending as file events. Ending
// the application ("Beenden", or closing its last visible window) asks first when the game has
// unsaved moves.
#include <array>
#include <memory>
#include <string>
#include <vector>

#include <QElapsedTimer>
#include <QObject>

#include "host/qthost.h"

namespace zarvik::qthost {

class AppDelegate : public QObject {
  public:
    explicit AppDelegate(std::vector<std::string> documents);
    ~AppDelegate() override;

    void applicationWillFinishLaunching();
    void applicationDidFinishLaunching();
    void applicationWillTerminate();

    QtHost& host() { return *host_; }

    // Each path becomes a file event for the program (documents, drops, "open with").
    static void postDocuments(const std::vector<std::string>& paths);

  private:
    QtHost::Callbacks callbacks();
    // Whether the application may end now; asks when the game has unsaved moves (once per ending).
    bool confirmQuit();
    bool onlyVisibleWindow(int window);
    bool render(int window, QImage& frame);

    std::unique_ptr<QtHost> host_;
    std::array<HostImage, kConsoleWindowCount> images_;
    std::vector<std::string> documents_;
    QElapsedTimer sinceStart_;
    bool firstFrameLogged_ = false;
    bool quitConfirmed_ = false;
};

}  // namespace zarvik::qthost
