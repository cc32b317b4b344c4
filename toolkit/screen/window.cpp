#include "toolkit/screen/window.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <chrono>
#include <climits>
#include <condition_variable>
#include <cstring>
#include <memory>
#include <mutex>
#include <thread>

#include "toolkit/host.h"
#include "toolkit/screen/palette.h"
#include "toolkit/screen/threads.h"
#include "util/log.h"

namespace zarvik {

namespace {

// The one table and the one memory of the process.
std::array<t_Window, t_WindowCount> windowTable;
std::array<std::atomic<std::uint64_t>, t_WindowCount> changeCounts{};
// A thread asleep in t_WaitForWindowChange; writers take the mutex to wake it only while it sleeps.
std::mutex& changeMutex = *new std::mutex;  // lives for the process, like the threads using it
std::condition_variable& changeSignal = *new std::condition_variable;
std::atomic<bool> changeWaiter{false};
bool wakeRequested = false;  // guarded by changeMutex

std::array<std::mutex, t_WindowCount>& textLocks = *new std::array<std::mutex, t_WindowCount>;

// Installed before main by the application layer; read only afterwards.
constinit t_SetUpSteps setUpSteps;

void runStep(void (*step)()) {
    if (step != nullptr) {
        step();
    }
}

std::uint64_t changeTotal() {
    std::uint64_t total = 0;
    for (const auto& count : changeCounts) {
        total += count.load(std::memory_order_seq_cst);
    }
    return total;
}
std::unique_ptr<std::uint8_t[]> memoryBlock;
std::atomic<std::uint8_t*> memory{nullptr};
std::atomic<std::int64_t> highMemory{t_HighMemoryStart};
std::atomic<bool> memoryInitialized{false};
std::atomic<bool> toolkitReady{false};
std::atomic<std::uint8_t> defaultWindow{t_NoWindow};
std::atomic<int> titleBarHeight{0};

std::string dec(std::int64_t v) {
    return std::to_string(v);
}

std::string hex(std::int64_t v) {
    static constexpr char digits[] = "0123456789ABCDEF";
    const auto u = static_cast<std::uint32_t>(v);
    std::string text(8, '0');
    for (int i = 0; i < 8; ++i) {
        text[7 - i] = digits[(u >> (4 * i)) & 15];
    }
    return text;
}

// Kilobytes in the German manner, two decimals cut off: 3072000 -> "3.000,00".
std::string kilobytes(std::int64_t bytes) {
    const double value = double(bytes) / 1024.0;
    char buffer[64];
    auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    std::string text(buffer, error == std::errc{} ? end : buffer);
    const std::size_t point = text.find('.');
    std::string whole = text.substr(0, point);
    std::string fraction = point == std::string::npos ? "" : text.substr(point + 1);
    fraction = (fraction + "00").substr(0, 2);
    std::string grouped;
    const bool negative = !whole.empty() && whole[0] == '-';
    if (negative) {
        whole.erase(0, 1);
    }
    for (std::size_t i = 0; i < whole.size(); ++i) {
        if (i > 0 && (whole.size() - i) % 3 == 0) {
            grouped += '.';
        }
        grouped += whole[i];
    }
    return (negative ? "-" : "") + grouped + "," + fraction;
}

t_Window templateRecord() {
    t_Window w;  // the member initialisers are the template
    return w;
}

// Takes a block of `size` bytes from the top of the free memory.
std::pair<std::int64_t, std::int64_t> takeBlock(std::int64_t size) {
    const std::int64_t high = highMemory.load();
    const std::int64_t start = static_cast<std::uint32_t>(high - size + 1) & t_BlockMask;
    highMemory.store(start - 1);
    return {start, high};
}

bool isConsoleWindow(std::uint8_t window) {
    return window < t_WindowCount;
}

// Frame of the host window as the toolkit sees it, with the borders and title of windows 0-7.
struct Frame {
    HostRect rect;
    HostSize screen;
};

std::optional<Frame> hostFrame(std::uint8_t window) {
    std::optional<Frame> frame;
    onMainThread([&] {
        if (auto rect = host().windowFrame(window)) {
            frame = Frame{*rect, host().screenSize(window)};
        }
    });
    return frame;
}

void releaseBlocks(std::uint8_t window, const std::string& prefix) {
    t_Window& w = windowTable[window];
    w.Initialized = false;
    const std::int64_t releasedEnd = w.MemoryEnd;
    const std::int64_t g = w.MemoryEnd - w.MemoryStart + 1;
    logline(prefix + " high memory = $" + hex(releasedEnd) + ", graphic block size to delete = $" + hex(g) +
            ".");
    std::int64_t d = g;
    if (w.TextMemoryStart >= 0) {
        const std::int64_t t = w.TextMemoryEnd - w.TextMemoryStart + 1;
        logline(prefix + " high memory = $" + hex(releasedEnd) + ", text block size to delete = $" + hex(t) +
                ".");
        d = g + t;
    }
    w.MemoryStart = -1;
    w.MemoryEnd = -1;
    w.TextMemoryStart = -1;
    w.TextMemoryEnd = -1;

    // Highest blocks first, so that no block is moved over one that has not moved yet.
    std::vector<int> below;
    for (int k = 0; k < t_WindowCount; ++k) {
        if (windowTable[k].Initialized && windowTable[k].MemoryStart < releasedEnd) {
            below.push_back(k);
        }
    }
    std::sort(below.begin(), below.end(),
              [](int a, int b) { return windowTable[a].MemoryStart > windowTable[b].MemoryStart; });
    for (int k : below) {
        t_Window& o = windowTable[k];
        const std::int64_t start = o.MemoryStart;
        const std::int64_t end = o.MemoryEnd;
        logline(prefix + " moving graphic block for win #" + dec(k) + "$" + hex(start) + "..." + hex(end) +
                " to " + hex(start + d) + "..." + hex(end + d));
        t_MoveVideoMemory(start, start + d, end - start + 1);
        if (o.TextMemoryStart >= 0 && o.TextMemoryStart < releasedEnd) {
            const std::int64_t ts = o.TextMemoryStart;
            const std::int64_t te = o.TextMemoryEnd;
            logline(prefix + " moving text block for win #" + dec(k) + "$" + hex(ts) + "..." + hex(te) +
                    " to " + "$" + hex(ts + d) + "..." + hex(te + d));
            t_MoveVideoMemory(ts, ts + d, te - ts + 1);
            o.TextMemoryStart = ts + d;
            o.TextMemoryEnd = te + d;
        }
        o.MemoryStart = start + d;
        o.MemoryEnd = end + d;
        t_WindowChanged(std::uint8_t(k));
    }
    highMemory.store(highMemory.load() + d);
}

}  // namespace

// --- the table and the memory ---

t_Window& t_WindowRecord(std::uint8_t window) {
    return windowTable[window & 7];
}
std::uint8_t* t_VideoMemory() {
    return memory.load(std::memory_order_acquire);
}
std::int64_t t_HighMemory() {
    return highMemory.load();
}
bool t_ToolkitReady() {
    return toolkitReady.load(std::memory_order_acquire);
}
bool t_MemoryInitialized() {
    return memoryInitialized.load();
}
void t_SetToolkitReady(bool ready) {
    toolkitReady.store(ready, std::memory_order_release);
    if (!ready) {
        t_WakeWindowChangeWaiter();  // the update thread leaves its loop now
    }
}
std::uint8_t t_DefaultWindow() {
    return defaultWindow.load();
}
void t_SetDefaultWindow(std::uint8_t window) {
    defaultWindow.store(window);
}
int t_TitleBarHeight() {
    return titleBarHeight.load();
}
void t_SetTitleBarHeight(int height) {
    titleBarHeight.store(height);
}

std::uint64_t t_WindowChangeCount(std::uint8_t window) {
    return changeCounts[window & 7].load(std::memory_order_acquire);
}

void t_WindowChanged(std::uint8_t window) {
    // Sequentially consistent with the waiter's flag: either it sees this count or this sees it.
    changeCounts[window & 7].fetch_add(1, std::memory_order_seq_cst);
    if (changeWaiter.load(std::memory_order_seq_cst)) {
        { const std::lock_guard lock(changeMutex); }
        changeSignal.notify_all();
    }
}

std::mutex& t_TextMemoryLock(std::uint8_t window) {
    return textLocks[window & 7];
}

std::uint64_t t_WindowChangeTotal() {
    return changeTotal();
}

bool t_WaitForWindowChange(std::uint64_t seenTotal, std::chrono::milliseconds timeout) {
    std::unique_lock lock(changeMutex);
    changeWaiter.store(true, std::memory_order_seq_cst);
    const bool changed = changeSignal.wait_for(
        lock, timeout, [seenTotal] { return wakeRequested || changeTotal() != seenTotal; });
    changeWaiter.store(false, std::memory_order_seq_cst);
    wakeRequested = false;
    return changed;
}

void t_WakeWindowChangeWaiter() {
    {
        const std::lock_guard lock(changeMutex);
        wakeRequested = true;
    }
    changeSignal.notify_all();
}

// --- set-up ---

void t_InstallSetUpSteps(const t_SetUpSteps& steps) {
    setUpSteps = steps;
}

void t_InitMemory() {
    if (memoryInitialized.exchange(true)) {
        return;
    }
    logline("t_InitMemory: Start.");
    if (t_CurrentThreadNumber() == 2) {
        t_NameCurrentThread("Main Program");
    }
    highMemory.store(t_HighMemoryStart);
    memoryBlock = std::make_unique<std::uint8_t[]>(t_VideoMemorySize);
    std::memset(memoryBlock.get(), 0xFF, t_VideoMemorySize);
    memory.store(memoryBlock.get(), std::memory_order_release);
    for (t_Window& w : windowTable) {
        w = templateRecord();
    }
    runStep(setUpSteps.BuildMenuActions);
    runStep(setUpSteps.CleanUpHostMenus);
    onMainThread([] {
        if (host().hasTextView(8)) {
            host().setUpTextView(8);
        }
    });
    t_SetToolkitReady(true);
    logline("t_InitMemory: End.");
}

void t_WaitForMemory() {
    if (!memoryInitialized.load()) {
        t_InitMemory();
        return;
    }
    while (!t_ToolkitReady()) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

void t_InitWindow(std::uint8_t window, int bitDepth, bool autoUpdate, int width, int height, int borderWidth,
                  int borderHeight, const t_Font& font, bool titleVisible) {
    if (!isConsoleWindow(window)) {
        logline("t_InitWindow: Window is not a graphic window.");
        return;
    }
    const std::string p = "t_InitWindow: GraphicWindow #" + dec(window);
    logline(p + " Start.");
    t_WaitForMemory();
    if (defaultWindow.load() == t_NoWindow) {
        defaultWindow.store(window);
    }
    runStep(setUpSteps.StartUpdateThread);

    t_Window& w = windowTable[window];
    if (w.Initialized) {
        releaseBlocks(window, p);
    }
    const std::int64_t available = highMemory.load() - t_MemoryReserve;

    if (width < 32 || width > 8192) {
        logline(p + " cannot display " + dec(width) + " horizontal pixel.");
        width = 1280;
    }
    if (height < 32 || height > 8192) {
        logline(p + " cannot display " + dec(height) + " vertical pixel.");
        height = 800;
    }
    std::int64_t s = 0;
    switch (bitDepth) {
        case 8:
        case 16:
        case 24:
        case 32:
            s = std::int64_t(width) * height * bitDepth / 8;
            break;
        case 4:
            if (width % 4 != 0) {
                logline(p + " width with 4 bit depth must be a multiple of 4.");
                width = ((width + 1) / 4) * 4;
            }
            s = std::int64_t(width) * height / 2;
            break;
        case 1:
            if (width % 8 != 0) {
                logline(p + " width with 1 bit depth must be a multiple of 8.");
                width = ((width + 7) / 8) * 8;
            }
            s = std::int64_t(width) * height / 8;
            break;
        default:
            logline(p + " unsupported " + dec(bitDepth) + " bit depth.");
            return;
    }
    if (s > available) {
        logline(p + " has not enough graphic-video-memory (" + dec(available / 1024) + "K available).");
        logline("t_InitWindow: Displaying " + dec(width) + " x " + dec(height) + " pixel x " + dec(bitDepth) +
                " bit needs " + kilobytes(s) + "K video-memory.");
        return;
    }
    if (!titleVisible) {
        t_WindowTitleVisible(window, false);
        logline(p + " title will be invisible.");
    }
    if (borderWidth < 0) {
        borderWidth = t_WindowPos(window, 15) - width;
    }
    if (borderHeight < 0) {
        borderHeight = t_WindowPos(window, 16) - height;
    }
    int columns = -1;
    int lines = -1;
    std::int64_t textSize = 0;
    if (font.hasGlyphs()) {
        columns = font.Width == 0 ? 0 : width / font.Width;
        lines = font.Height == 0 ? 0 : height / font.Height;
        textSize = std::int64_t(columns) * lines * 2;
        // Each block alone may fit while both together would reach into the reserve.
        const std::int64_t graphicStart = static_cast<std::uint32_t>(highMemory.load() - s + 1) & t_BlockMask;
        const std::int64_t below = graphicStart - textSize;
        const std::int64_t textStart =
            below < 0 ? -1 : std::int64_t(static_cast<std::uint32_t>(below) & t_BlockMask);
        if (textSize > available || (textSize > 0 && textStart < t_MemoryReserve)) {
            logline(p + " has not enough text-video-memory (" + dec(available / 1024) + "K available).");
            logline("t_InitWindow: Displaying " + dec(columns) + " x " + dec(lines) + " characters needs " +
                    kilobytes(textSize) + "K text-video-memory.");
            return;
        }
    }

    w.UpdateStarted = 0;
    w.UpdateFinished = 0;
    w.VerticalBlank = true;
    w.IgnoreEvents = false;
    w.RefreshRate = 30;
    w.AutoUpdate = autoUpdate;
    w.QuickUpdate = true;
    w.ScrollLock = false;
    w.BitDepth = bitDepth;
    w.Width = width;
    w.Height = height;
    w.BorderWidth = borderWidth;
    w.BorderHeight = borderHeight;
    w.TitleHeight = titleVisible ? t_TitleBarHeight() : 0;
    w.RGBColor = t_PaletteColor(0);
    w.RGBColorBorder = t_PaletteColor(5);
    w.DrawingMode = 0;
    w.PositionX = 0;
    w.PositionY = 0;

    const auto [gStart, gEnd] = takeBlock(s);
    w.MemoryStart = gStart;
    w.MemoryEnd = gEnd;
    logline(p + " = " + dec(width) + " x " + dec(height) + " pixel x " + dec(bitDepth) +
            " bit = " + kilobytes(s) + "K video-memory = $" + hex(gStart) + ".");

    w.TextWidth = columns;
    w.TextHeight = lines;
    w.TextFirstColumn = 1;
    w.TextLastColumn = columns;
    w.TextFirstLine = 1;
    w.TextLastLine = lines;
    w.TextHpos = 1;
    w.TextVpos = 1;
    w.TextColor = 0xC0;
    w.TextInverse = false;
    w.TextDisplayMode = 0;
    w.TextCursorLevel = 0;
    w.TextRedirectOutput = 1;
    w.LoResOffsetX = 0;
    w.LoResOffsetY = 0;
    w.LoResMode = 0;
    if (textSize == 0) {
        w.TextMemoryStart = -1;
        w.TextMemoryEnd = -1;
    } else {
        const auto [tStart, tEnd] = takeBlock(textSize);
        w.TextMemoryStart = tStart;
        w.TextMemoryEnd = tEnd;
    }

    const auto view = t_ViewOf(window);
    if (!view) {
        // The blocks were the last ones taken: hand them back so that a failed set-up costs nothing.
        highMemory.store(gEnd);
        w.MemoryStart = w.MemoryEnd = w.TextMemoryStart = w.TextMemoryEnd = -1;
        w.Initialized = false;
        w.Font = t_Font{};
        logline(p + " could not be initialized, resource undefined.");
        return;
    }
    w.View = view;
    w.Window = t_HostWindowOf(window);
    w.Font = font;
    w.Initialized = true;
    t_ClearWindowMemory(window);

    std::string title = host().applicationName();
    if (textSize == 0) {
        title += "-Grafik";
    }
    t_WindowTitle(window, title);
    t_WindowSize(window, -1, -1, width, height);
    t_ColorBorder(window, 5);
    logline(p + " End.");
}

void t_InitWindow(std::uint8_t window, int bitDepth, int columns, int lines, int border,
                  std::string_view fontName) {
    const t_Font font = t_LoadFontResource(fontName);
    if (!font.hasGlyphs()) {
        logline("t_InitWindow: Font '" + std::string(fontName) + "' not found.");
        return;
    }
    // Sizes beyond any window are refused by the pixel form's own range check, without overflowing.
    const auto pixels = [](int count, int cell) {
        return int(std::clamp<std::int64_t>(std::int64_t(count) * cell, INT_MIN, INT_MAX));
    };
    t_InitWindow(window, bitDepth, true, pixels(columns, font.Width), pixels(lines, font.Height), border,
                 border, font, true);
}

// --- frames ---

std::optional<std::uint8_t> t_ViewOf(std::uint8_t window) {
    if (!isConsoleWindow(window)) {
        return std::nullopt;
    }
    bool found = false;
    onMainThread([&] { found = host().hasView(window); });
    return found ? std::optional<std::uint8_t>(window) : std::nullopt;
}

std::optional<std::uint8_t> t_HostWindowOf(std::uint8_t window) {
    if (window > 12) {
        return std::nullopt;
    }
    bool found = false;
    onMainThread(
        [&] { found = host().hasWindow(window) && (window >= t_WindowCount || host().hasView(window)); });
    return found ? std::optional<std::uint8_t>(window) : std::nullopt;
}

int t_WindowPos(std::uint8_t window, int selector) {
    if (!t_HostWindowOf(window)) {
        logline("t_WindowPos: Window does not exist.");
        return 0;
    }
    const std::optional<Frame> frame = hostFrame(window);
    if (!frame) {
        logline("t_WindowPos: Window does not exist.");
        return 0;
    }
    const bool console = isConsoleWindow(window);
    const t_Window* w = console ? &windowTable[window] : nullptr;
    const int border = console ? int(w->BorderWidth) : 0;
    const int borderH = console ? int(w->BorderHeight) : 0;
    const int title = console ? int(w->TitleHeight) : t_TitleBarHeight();
    int fw = int(frame->rect.width);
    int fh = int(frame->rect.height);
    if (console && w->Initialized) {
        fw = w->Width + 2 * border;
        fh = w->Height + 2 * borderH + title;
    }
    if (!console) {
        switch (selector) {
            case 0:
            case 1:
            case 18:
            case 19:
                return 0;
            case 2:
                return fw - 1;
            case 3:
                return fh - 1;
            case 4:
            case 6:
                return fw;
            case 5:
            case 7:
                return fh;
            case 17:
                return t_TitleBarHeight();
            default:
                break;
        }
    }
    switch (selector) {
        case 0:
            return w->TextFirstColumn;
        case 1:
            return w->TextFirstLine;
        case 2:
            return w->TextLastColumn;
        case 3:
            return w->TextLastLine;
        case 4:
            return w->TextLastColumn - w->TextFirstColumn + 1;
        case 5:
            return w->TextLastLine - w->TextFirstLine + 1;
        case 6:
            return w->TextWidth;
        case 7:
            return w->TextHeight;
        case 8:
            return fw - 2 * border;
        case 9:
            return fh - title - 2 * borderH;
        case 10:
            return fw;
        case 11:
            return fh - title;
        case 12:
            return fh;
        case 13:
            return int(frame->rect.x);
        case 14:
            return int(frame->screen.height - frame->rect.y - fh);
        case 15:
            return int(frame->screen.width);
        case 16:
            return int(frame->screen.height);
        case 17:
            return title;
        case 18:
            return border;
        case 19:
            return borderH;
        case 20:
            return int(frame->rect.y);
        default:
            return 0;
    }
}

void t_WindowSize(std::uint8_t window, int x, int y, int width, int height) {
    if (!t_HostWindowOf(window)) {
        logline("t_WindowSize: Window does not exist.");
        return;
    }
    if (isConsoleWindow(window) && !windowTable[window].Initialized) {
        logline("t_WindowSize: Window #" + dec(window) + " not initialized.");
        return;
    }
    x = x == -1 ? t_WindowPos(window, 13) : x;
    y = y == -1 ? t_WindowPos(window, 20) : y;
    width = width == -1 ? t_WindowPos(window, 8) : width;
    height = height == -1 ? t_WindowPos(window, 9) : height;
    if (isConsoleWindow(window)) {
        const t_Window& w = windowTable[window];
        const HostRect frame{double(x), double(y), double(width + 2 * w.BorderWidth),
                             double(height + w.TitleHeight + 2 * w.BorderHeight)};
        const HostRect view{double(w.BorderWidth), double(w.BorderHeight), double(width), double(height)};
        onMainThread([&] {
            host().setWindowFrame(window, frame, true);
            host().setViewFrame(window, view);
        });
        return;
    }
    const HostRect frame{double(x), double(y), double(width), double(height + t_TitleBarHeight())};
    onMainThread([&] {
        if (window <= 10 && host().isWindowVisible(window)) {
            host().makeKeyAndOrderFront(window);
        }
        host().setWindowFrame(window, frame, true);
    });
}

void t_WindowTitle(std::uint8_t window, std::string_view title) {
    if (!t_HostWindowOf(window)) {
        logline("t_WindowTitle: Window does not exist.");
        return;
    }
    onMainThreadAsync([window, text = std::string(title)] { host().setWindowTitle(window, text); });
}

void t_WindowTitleVisible(std::uint8_t window, bool visible) {
    if (!t_HostWindowOf(window)) {
        logline("t_WindowTitleVisible: Window does not exist.");
        return;
    }
    if (isConsoleWindow(window)) {
        windowTable[window].TitleHeight = visible ? t_TitleBarHeight() : 0;
    }
    onMainThread([&] { host().setWindowTitleVisible(window, visible); });
}

void t_WindowVisible(std::uint8_t window, bool visible) {
    static constexpr const char* kMissing[] = {
        "t_WindowVisible: Pasteboard window is nil, resource undefined.",
        "t_WindowVisible: Virtual printer window is nil, resource undefined.",
        "t_WindowVisible: System console window is nil, resource undefined."};
    if (window >= 8 && window <= 10) {
        bool hasView = false;
        onMainThread([&] { hasView = host().hasTextView(window); });
        if (!hasView) {
            logline(kMissing[window - 8]);
            t_Bell();
            return;
        }
    }
    if (!t_HostWindowOf(window)) {
        logline("t_WindowVisible: Window does not exist.");
        return;
    }
    if (isConsoleWindow(window)) {
        t_Window& w = windowTable[window];
        w.Visible = visible;
        if (!visible) {
            w.UpdateDuration = 0;
        }
    }
    onMainThread([&] {
        Host& h = host();
        if (!visible) {
            h.orderOut(window);
            return;
        }
        if (window == 8) {
            h.setTextViewText(8, h.pasteboardText().value_or(""));
        }
        h.orderFront(window);
    });
}

void t_WindowFront(std::uint8_t window) {
    if (!t_HostWindowOf(window)) {
        logline("t_WindowFront: Window does not exist.");
        return;
    }
    t_WindowVisible(window, true);
    onMainThread([&] { host().makeKeyAndOrderFront(window); });
}

void t_WindowCenter(std::uint8_t window) {
    if (!t_HostWindowOf(window)) {
        logline("t_WindowCenter: Window does not exist.");
        return;
    }
    onMainThread([&] { host().centerWindow(window); });
}

// --- memory ---

void t_MoveVideoMemory(std::int64_t source, std::int64_t destination, std::int64_t count) {
    std::uint8_t* base = t_VideoMemory();
    if (count < 1 || base == nullptr) {
        return;
    }
    if (source < 0 || destination < 0 || source > t_VideoMemorySize - count ||
        destination > t_VideoMemorySize - count) {
        logline("t_MoveVideoMemory: Range outside video memory.");
        return;
    }
    std::memmove(base + destination, base + source, std::size_t(count));
    const std::int64_t last = destination + count - 1;
    for (int k = 0; k < t_WindowCount; ++k) {
        const t_Window& w = windowTable[k];
        const bool graphic = w.MemoryStart >= 0 && w.MemoryStart <= last && w.MemoryEnd >= destination;
        const bool text =
            w.TextMemoryStart >= 0 && w.TextMemoryStart <= last && w.TextMemoryEnd >= destination;
        if (graphic || text) {
            t_WindowChanged(std::uint8_t(k));
        }
    }
}

void t_ClearWindowMemory(std::uint8_t window) {
    std::uint8_t* base = t_VideoMemory();
    if (!isConsoleWindow(window) || base == nullptr) {
        return;
    }
    const t_Window& w = windowTable[window];
    if (w.MemoryStart >= 0) {
        std::uint8_t* graphic = base + w.MemoryStart;
        const std::int64_t size = w.MemoryEnd - w.MemoryStart + 1;
        if (w.BitDepth == 32) {
            for (std::int64_t i = 0; i + 3 < size; i += 4) {
                graphic[i] = 255;
                graphic[i + 1] = graphic[i + 2] = graphic[i + 3] = 0;
            }
        } else {
            std::memset(graphic, 0, std::size_t(size));
        }
    }
    if (w.TextMemoryStart >= 0) {
        const std::lock_guard lock(t_TextMemoryLock(window));
        const std::int64_t half = (w.TextMemoryEnd - w.TextMemoryStart + 1) / 2;
        std::memset(base + w.TextMemoryStart, ' ', std::size_t(half));
        std::memset(base + w.TextMemoryStart + half, w.TextColor, std::size_t(half));
    }
    t_WindowChanged(window);
}

// --- uniform checks ---

t_Window* t_CheckWindow(std::string_view name, std::uint8_t window, t_Check check) {
    if (!isConsoleWindow(window)) {
        logline(std::string(name) + ": Window is not a graphic window.");
        return nullptr;
    }
    t_Window& w = windowTable[window];
    if (!t_ToolkitReady() || !w.Initialized || (check == t_Check::Text && w.TextMemoryStart < 0)) {
        logline(std::string(name) + ": Window #" + dec(window) + " not initialized.");
        return nullptr;
    }
    return &w;
}

t_Window* t_CheckGraphicWindow(std::string_view name, std::uint8_t window) {
    if (!isConsoleWindow(window)) {
        logline(std::string(name) + ": Window is not a graphic window.");
        return nullptr;
    }
    t_Window& w = windowTable[window];
    if (!t_ToolkitReady() || !w.Initialized) {
        logline(std::string(name) + ": Graphic window #" + dec(window) + " not initialized.");
        return nullptr;
    }
    return &w;
}

}  // namespace zarvik
