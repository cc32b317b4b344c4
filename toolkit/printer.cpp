#include "toolkit/printer.h"

#include <atomic>
#include <chrono>
#include <mutex>
#include <thread>
#include <vector>

#include "toolkit/events.h"
#include "toolkit/host.h"
#include "toolkit/input.h"
#include "toolkit/startup.h"
#include "toolkit/textoutput.h"
#include "toolkit/threads.h"
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
    std::vector<std::uint8_t> copy() {
        const std::lock_guard lock(mutex);
        return bytes;
    }
};

// Never destroyed: the printer thread runs until the process ends.
Buffer& printerBuffer = *new Buffer;
Buffer& consoleBuffer = *new Buffer;
std::atomic<bool> printerDirty{false};
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
    if (!printerRunning && !printerStarting.exchange(true)) {
        startprocess(p_PrinterAutoUpdateProcess, t_AsyncStackSize);
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
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        const std::int64_t now = t_TimeMillis();
        if (printerDirty && now - lastUpdate >= throttleMillis) {
            printerDirty = false;
            p_SetPrinter(p_DecodePrinterBuffer(printerBuffer.copy()));
            lastUpdate = now;
        }
    }
    printerRunning = false;
    logline("p_PrinterAutoUpdateProcess: End.");
}

bool p_PrinterThreadRunning() {
    return printerRunning;
}

void p_AppendPrinter(std::string_view text) {
    printerBuffer.append(text);
    printerDirty = true;
}

void p_AppendConsole(std::string_view text) {
    consoleBuffer.append(text);
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
