#include "toolkit/app/printer.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

#include "toolkit/app/events.h"
#include "toolkit/app/input.h"
#include "toolkit/app/startup.h"
#include "toolkit/host.h"
#include "toolkit/screen/threads.h"
#include "toolkit/text/textoutput.h"
#include "util/encoding.h"
#include "util/log.h"
#include "util/text.h"

namespace zarvik {
namespace {

constexpr int printerWindow = 9;
constexpr int consoleWindow = 10;
constexpr std::int64_t throttleMillis = 101;

struct Buffer {
    std::mutex mutex;
    std::vector<std::uint8_t> bytes;

    void append(std::string_view text) {
        const std::lock_guard lock(mutex);
        bytes.insert(bytes.end(), text.begin(), text.end());
    }
    void clear() {
        const std::lock_guard lock(mutex);
        bytes.clear();
    }
    // Drops whole lines from the front until at most `lines` line ends remain.
    void keepLastLines(std::size_t lines) {
        const std::lock_guard lock(mutex);
        std::size_t ends = 0;
        for (auto it = bytes.rbegin(); it != bytes.rend(); ++it) {
            if ((*it == '\n' || *it == '\r') && ++ends > lines) {
                bytes.erase(bytes.begin(), it.base());
                return;
            }
        }
    }
    std::vector<std::uint8_t> copy() {
        const std::lock_guard lock(mutex);
        return bytes;
    }
};

// Never destroyed: the printer thread runs until the process ends.
Buffer& printerBuffer = *new Buffer;
Buffer& consoleBuffer = *new Buffer;
std::atomic<bool> printerDirty{false};
// The printer thread sleeps here until the buffer is dirty.
std::mutex& printerWakeMutex = *new std::mutex;
std::condition_variable& printerWake = *new std::condition_variable;
std::atomic<bool> printerRunning{false};
std::atomic<bool> printerStarting{false};
std::atomic<std::int64_t> lastUpdate{0};

bool hasTextView(int window) {
    bool present = false;
    onMainThread([&] { present = host().hasTextView(window); });
    return present;
}

}  // namespace

std::string p_DecodePrinterBuffer(std::span<const std::uint8_t> bytes) {
    const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    if (isvalidutf8(text)) {
        return std::string(text);
    }
    // Each byte is the character of its code; ESC hhhh GS is one character.
    std::u32string characters(bytes.begin(), bytes.end());
    return t_DecodeEscapes(characters);
}

void p_InitPrinter() {
    if (!hasTextView(printerWindow)) {
        logline("p_InitPrinter: Virtual printer window is nil, resource undefined.");
        return;
    }
    onMainThread([] {
        p_SetRuler(rulerstring(160, false, true));
        host().setUpTextView(printerWindow);
        printerBuffer.clear();
    });
    if (!printerRunning && !printerStarting.exchange(true) &&
        !startprocess(p_PrinterAutoUpdateProcess, t_AsyncStackSize)) {
        printerStarting = false;
    }
}

void p_SetRuler(std::string_view text) {
    const std::string copy(text);
    bool present = false;
    onMainThread([&] {
        present = host().hasTextView(printerWindow);
        if (present) {
            host().setRulerText(printerWindow, copy);
        }
    });
    if (!present) {
        logline("p_SetRuler: Virtual printer window is nil, resource undefined.");
    }
}

void p_SetPrinter(std::string_view text) {
    const std::string copy(text);
    bool present = false;
    onMainThread([&] {
        present = host().hasTextView(printerWindow);
        if (present) {
            host().setTextViewText(printerWindow, copy);
        }
    });
    if (!present) {
        logline("p_SetPrinter: Virtual printer window is nil, resource undefined.");
    }
}

void p_PrinterAutoUpdateProcess() {
    const int number = t_CurrentThreadNumber();
    logline("p_PrinterAutoUpdateProcess: Start as thread #" + std::to_string(number));
    if (number >= 3) {
        t_NameCurrentThread("p_PrinterAutoUpdate");
    }
    printerRunning = true;
    printerStarting = false;
    while (printerRunning) {
        {
            std::unique_lock lock(printerWakeMutex);
            printerWake.wait(lock, [] { return printerDirty || !printerRunning; });
        }
        if (!printerRunning) {
            break;
        }
        // One update per throttle interval: an early change waits for the rest of it.
        const std::int64_t rest = throttleMillis - (t_TimeMillis() - lastUpdate);
        if (rest > 0) {
            std::this_thread::sleep_for(std::chrono::milliseconds(rest));
        }
        const std::int64_t now = t_TimeMillis();
        printerDirty = false;
        p_SetPrinter(p_DecodePrinterBuffer(printerBuffer.copy()));
        lastUpdate = now;
    }
    printerRunning = false;
    logline("p_PrinterAutoUpdateProcess: End.");
}

bool p_PrinterThreadRunning() {
    return printerRunning;
}

void p_AppendPrinter(std::string_view text) {
    printerBuffer.append(text);
    {
        const std::lock_guard lock(printerWakeMutex);
        printerDirty = true;
    }
    printerWake.notify_one();
}

void p_AppendConsole(std::string_view text) {
    consoleBuffer.append(text);
    consoleBuffer.keepLastLines(p_ConsoleLineLimit);
    const std::string shown = p_DecodePrinterBuffer(consoleBuffer.copy());
    bool present = false;
    onMainThread([&] {
        present = host().hasTextView(consoleWindow);
        if (present) {
            host().setTextViewText(consoleWindow, shown);
        }
    });
    if (!present) {
        logline("p_AppendConsole: System console window is nil, resource undefined.");
    }
}

bool p_ClearPrinter() {
    bool present = false;
    onMainThread([&] {
        present = host().hasTextView(printerWindow);
        if (present) {
            printerBuffer.clear();
            printerDirty = false;
            host().setTextViewText(printerWindow, "");
        }
    });
    if (!present) {
        logline("t_MenuEventHandler: Virtual printer window is nil, resource undefined.");
        t_Bell();
    }
    return present;
}

bool p_ClearConsole() {
    bool present = false;
    onMainThread([&] {
        present = host().hasTextView(consoleWindow);
        if (present) {
            consoleBuffer.clear();
            host().setTextViewText(consoleWindow, "");
        }
    });
    if (!present) {
        logline("t_MenuEventHandler: System console window is nil, resource undefined.");
        t_Bell();
    }
    return present;
}

}  // namespace zarvik
