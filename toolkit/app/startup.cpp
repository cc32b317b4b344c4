#include "toolkit/app/startup.h"

#include <pthread.h>

#include <array>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <random>
#include <thread>

#include "toolkit/app/events.h"
#include "toolkit/app/presentation.h"
#include "toolkit/host.h"
#include "toolkit/screen/window.h"
#include "toolkit/text/textoutput.h"
#include "util/log.h"

namespace zarvik {
namespace {

constexpr std::array<char, 16> hexDigits{'0', '1', '2', '3', '4', '5', '6', '7',
                                         '8', '9', 'A', 'B', 'C', 'D', 'E', 'F'};

constexpr std::array<std::int8_t, 256> makeHexValues() {
    std::array<std::int8_t, 256> table{};
    table.fill(-1);
    for (int v = 0; v < 16; ++v) {
        const char c = hexDigits[static_cast<std::size_t>(v)];
        table[static_cast<std::uint8_t>(c)] = static_cast<std::int8_t>(v);
        if (c >= 'A') {
            table[static_cast<std::uint8_t>(c - 'A' + 'a')] = static_cast<std::int8_t>(v);
        }
    }
    return table;
}
constexpr std::array<std::int8_t, 256> hexValues = makeHexValues();

std::atomic<bool> toolsInitialized{false};

// The one start in progress: the new thread takes the function before it clears the flag.
std::atomic<bool> startPending{false};
std::mutex startMutex;
std::condition_variable startTaken;
std::function<void()>& storedFunction = *new std::function<void()>;  // lives for the process

std::atomic<bool> launched{false};
std::atomic<bool> active{false};
std::mutex terminateMutex;
std::function<void()>& terminateHandler = *new std::function<void()>([] {});

void sleepMillis(int ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

void startprogramthread() {
    std::function<void()> function;
    {
        const std::lock_guard lock(startMutex);
        function = std::move(storedFunction);
        storedFunction = nullptr;
        startPending = false;
    }
    startTaken.notify_all();
    if (function) {
        function();
    }
}

// A system that refuses the large stack (an address-space limit) often still grants this one.
constexpr std::size_t fallbackStackSize = std::size_t{64} << 20;

bool startWithFallback(std::size_t size) {
    if (t_StartThread(startprogramthread, size)) {
        return true;
    }
    if (size == 0 || size <= fallbackStackSize) {
        return false;
    }
    logline("startprocess: Stack of " + std::to_string(size) + " bytes refused, trying " +
            std::to_string(fallbackStackSize) + " bytes.");
    return t_StartThread(startprogramthread, fallbackStackSize);
}

}  // namespace

void initqxtools() {
    logline("initqxtools: Start.");
    // The host's generator is seeded with the time; std::rand stands for it.
    std::srand(static_cast<unsigned>(std::time(nullptr) & 0x7FFFFFFF));
    toolsInitialized = true;
    logline("initqxtools: End.");
}

bool t_ToolsInitialized() {
    return toolsInitialized;
}

char t_HexDigit(int value) {
    return hexDigits[static_cast<std::size_t>(value & 15)];
}

int t_HexValue(std::uint8_t character) {
    return hexValues[character];
}

bool startprocess(std::function<void()> function, std::int64_t stackSize) {
    {
        std::unique_lock lock(startMutex);
        startTaken.wait(lock, [] { return !startPending; });
        startPending = true;
        storedFunction = std::move(function);
    }
    sleepMillis(10);
    // The thread is created right here: waiting for the main thread, which may itself be waiting in
    // startprocess for this start to be taken, would hang both.
    const bool started = startWithFallback(stackSize > 0 ? static_cast<std::size_t>(stackSize) : 0);
    if (!started) {
        // No thread will take the function: drop it so that the next start is not blocked.
        {
            const std::lock_guard lock(startMutex);
            storedFunction = nullptr;
            startPending = false;
        }
        startTaken.notify_all();
    }
    return started;
}

bool t_StartPending() {
    return startPending;
}

void t_QuitProgram(std::uint8_t window) {
    std::string line = "t_QuitProgram: Quitting current thread";
    if (window < t_WindowCount && t_ToolkitReady() && t_WindowRecord(window).Initialized &&
        t_HostWindowOf(window).has_value()) {
        t_FullArea(window);
        t_CursorEnd(window);
        t_Htab(window, 1);
        t_DisplayMode(window, 0);
        t_Normal(window);
        t_Color(window, 1);
        t_Print(window, "(Programm Ende)");
        t_WindowUpdate(window, false);
        sleepMillis(100);
        line += " with message in window #" + std::to_string(window);
    }
    logline(line + ".");
    if (host().isMainThread()) {
        return;
    }
    pthread_exit(nullptr);
}

void t_ApplicationWillFinishLaunching() {
    logline("applicationWillFinishLaunching: Called.");
    t_RegisterApplicationThread();
    if (t_CurrentThreadNumber() == 1) {
        t_NameCurrentThread("AppDelegate");
    }
}

bool t_ApplicationDidFinishLaunching(std::function<void()> programMain) {
    logline("applicationDidFinishLaunching: Start.");
    initqxtools();
    t_SetTitleBarHeight(host().titleBarHeight());
    logline("Program: Start.");
    const bool started = startprocess(std::move(programMain), t_ProgramStackSize);
    if (!started) {
        logline("applicationDidFinishLaunching: Program thread could not be started.");
    }
    logline("applicationDidFinishLaunching: End.");
    launched = true;
    return started;
}

void t_ApplicationSetActive(bool isActive) {
    active = isActive;
}

void t_ApplicationWillTerminate() {
    logline("applicationWillTerminate: Called.");
    std::function<void()> handler;
    {
        const std::lock_guard lock(terminateMutex);
        handler = terminateHandler;
    }
    if (handler) {
        handler();
    }
}

bool t_ApplicationWindowShouldClose(std::uint8_t window) {
    t_MouseEventPostCloseBoxClick(window);
    return false;
}

std::optional<t_TextWindowLayout> t_ApplicationWindowDidResize(std::uint8_t window, double width,
                                                               double height) {
    const double t = t_TitleBarHeight();
    if (window == 8) {
        return t_TextWindowLayout{10, 10, width - 20, height - 20 - t, std::nullopt};
    }
    if (window == 9 || window == 10) {
        return t_TextWindowLayout{20, 20, width - 40, height - 40 - t - 15, width - 48};
    }
    return std::nullopt;
}

bool t_ApplicationLaunched() {
    return launched;
}

bool t_ApplicationActive() {
    return active;
}

void t_SetTerminateHandler(std::function<void()> handler) {
    const std::lock_guard lock(terminateMutex);
    terminateHandler = std::move(handler);
}

}  // namespace zarvik
