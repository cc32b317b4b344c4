// zarvik-demo [--idle SECONDS] [--image FILE] [TEXT]: starts the echo program on the headless
// host, waits SECONDS with the program idle in its line input, types TEXT and Return, and prints
// the line the program read. --image writes window 0 afterwards.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

#include "toolkit/app/startup.h"
#include "toolkit/headless/headlesshost.h"
#include "tools/demo/echo.h"

int main(int argc, char** argv) {
    using namespace zarvik;
    double idleSeconds = 0;
    std::string image;
    std::string text = "Hallo Welt";
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--idle" && i + 1 < argc) {
            idleSeconds = std::strtod(argv[++i], nullptr);
        } else if (arg == "--image" && i + 1 < argc) {
            image = argv[++i];
        } else if (arg == "--help") {
            std::puts("zarvik-demo [--idle SECONDS] [--image FILE] [TEXT]");
            return 0;
        } else {
            text = arg;
        }
    }
    HeadlessHost headless;
    headless.install();
    demo::EchoState state;
    headless.runOnMainThread([&] {
        t_ApplicationWillFinishLaunching();
        t_ApplicationDidFinishLaunching([&state] { demo::echoProgram(state); });
    });
    while (!state.ready) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    if (state.finished) {
        std::fprintf(stderr, "zarvik-demo: the program could not set up its window\n");
        std::_Exit(1);
    }
    std::this_thread::sleep_for(std::chrono::duration<double>(idleSeconds));
    headless.runOnMainThread([&] { demo::typeText(text + "\r"); });
    while (!state.finished) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    if (!image.empty() && !headless.writeWindowImage(0, image)) {
        std::fprintf(stderr, "zarvik-demo: image could not be written\n");
        std::_Exit(1);
    }
    std::printf("%s\n", state.line.c_str());
    std::fflush(stdout);
    // The program thread and the update thread run on; end the process without tearing them down.
    std::_Exit(0);
}
