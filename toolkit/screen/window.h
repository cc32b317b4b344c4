#pragma once
// The window table and the video memory: eight console window records, one shared block of
// 16,777,231 bytes handed out from the top down, window set-up with its memory arithmetic, the
// frame operations and the uniform window checks every other toolkit unit starts with.
//
// The table and the memory live in one translation unit behind these functions. The program
// thread writes them while the update thread and the main thread read them; scalar fields are
// therefore relaxed-safe atomics (Shared<T>), so a reader sees old or new values but never a
// torn one. Each field has one writer at a time; ++ and += are load-then-store, not atomic RMW.
#include <atomic>
#include <chrono>
#include <cstdint>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "toolkit/screen/font.h"

namespace zarvik {

// A scalar shared between threads that still copies like a plain value.
template <typename T>
class Shared {
  public:
    Shared(T value = T{}) : value_(value) {}
    Shared(const Shared& other) : value_(other.load()) {}
    Shared& operator=(const Shared& other) {
        store(other.load());
        return *this;
    }
    Shared& operator=(T value) {
        store(value);
        return *this;
    }
    operator T() const { return load(); }
    T load() const { return value_.load(std::memory_order_acquire); }
    void store(T value) { value_.store(value, std::memory_order_release); }
    Shared& operator+=(T delta) {
        store(load() + delta);
        return *this;
    }
    Shared& operator-=(T delta) {
        store(load() - delta);
        return *this;
    }
    Shared& operator++() { return *this += T{1}; }
    Shared& operator--() { return *this -= T{1}; }
    T operator++(int) {
        T old = load();
        store(old + T{1});
        return old;
    }
    T operator--(int) {
        T old = load();
        store(old - T{1});
        return old;
    }

  private:
    std::atomic<T> value_;
};

struct t_RGBColor {
    std::uint8_t Alpha = 255;
    std::uint8_t Red = 0;
    std::uint8_t Green = 0;
    std::uint8_t Blue = 0;
    bool operator==(const t_RGBColor&) const = default;
};

// A colour passed as one number: from the least significant byte alpha, red, green, blue.
constexpr std::uint32_t t_ColorValue(t_RGBColor c) {
    return std::uint32_t{c.Alpha} | std::uint32_t{c.Red} << 8 | std::uint32_t{c.Green} << 16 |
           std::uint32_t{c.Blue} << 24;
}
constexpr t_RGBColor t_ColorOfValue(std::uint32_t v) {
    return {static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8),
            static_cast<std::uint8_t>(v >> 16), static_cast<std::uint8_t>(v >> 24)};
}

struct t_Rect {
    double X = 0;
    double Y = 0;
    double Width = 0;
    double Height = 0;
};

// One console window. Addresses are indices into the video memory; -1 means no block.
struct t_Window {
    Shared<bool> Initialized = false;
    Shared<bool> Visible = false;
    Shared<bool> IgnoreEvents = false;
    Shared<bool> AutoUpdate = false;
    Shared<bool> QuickUpdate = false;
    Shared<bool> ScrollLock = false;
    Shared<bool> VerticalBlank = true;
    Shared<std::int64_t> UpdateStarted = 0;
    Shared<std::int64_t> UpdateFinished = 0;
    Shared<std::int64_t> UpdateDuration = 0;
    Shared<int> RefreshRate = 30;
    std::optional<std::uint8_t> Window;  // the host's number of the window showing it
    std::optional<std::uint8_t> View;
    t_Rect DrawingRect;
    Shared<int> TitleHeight = 0;
    Shared<int> BorderWidth = 0;
    Shared<int> BorderHeight = 0;
    t_RGBColor RGBColorBorder;
    Shared<int> BitDepth = 0;
    Shared<int> Width = 0;
    Shared<int> Height = 0;
    t_RGBColor RGBColor;
    Shared<int> DrawingMode = 0;
    Shared<int> PositionX = 0;
    Shared<int> PositionY = 0;
    Shared<std::int64_t> MemoryStart = -1;
    Shared<std::int64_t> MemoryEnd = -1;
    t_Font Font;
    Shared<int> TextWidth = 0;
    Shared<int> TextHeight = 0;
    Shared<int> TextFirstColumn = 0;
    Shared<int> TextLastColumn = 0;
    Shared<int> TextFirstLine = 0;
    Shared<int> TextLastLine = 0;
    Shared<int> TextHpos = 0;
    Shared<int> TextVpos = 0;
    Shared<std::uint8_t> TextColor = 0;
    Shared<bool> TextInverse = false;
    Shared<int> TextDisplayMode = 0;
    Shared<int> TextCursorLevel = 0;
    Shared<int> TextRedirectOutput = 1;
    std::string InputString;
    Shared<bool> InputFinished = false;
    Shared<int> InputMode = 0;
    Shared<int> InputHpos = 0;
    Shared<int> InputVpos = 0;
    Shared<int> InputCursorPos = 0;
    Shared<int> InputMaxCharacters = 0;
    Shared<int> LoResOffsetX = 0;
    Shared<int> LoResOffsetY = 0;
    Shared<int> LoResMode = 0;
    Shared<std::int64_t> TextMemoryStart = -1;
    Shared<std::int64_t> TextMemoryEnd = -1;
};

inline constexpr int t_WindowCount = 8;
inline constexpr std::int64_t t_VideoMemorySize = 0x100000F;
inline constexpr std::int64_t t_HighMemoryStart = 0xFFFFFF;
inline constexpr std::int64_t t_MemoryReserve = 0x10000;
inline constexpr std::uint32_t t_BlockMask = 0xFFFFF400;
inline constexpr std::uint8_t t_NoWindow = 255;

// --- the table and the memory ---

// The record of window 0-7 (window & 7 for larger numbers: callers check the number first).
t_Window& t_WindowRecord(std::uint8_t window);
// The video memory; nullptr before t_InitMemory.
std::uint8_t* t_VideoMemory();
std::int64_t t_HighMemory();
bool t_ToolkitReady();
bool t_MemoryInitialized();
// Cleared at shutdown so that the update thread and printers end their loops.
void t_SetToolkitReady(bool ready);

std::uint8_t t_DefaultWindow();
void t_SetDefaultWindow(std::uint8_t window);
int t_TitleBarHeight();
void t_SetTitleBarHeight(int height);

// Change marker: a counter per window, bumped by every write into the window's memory (plots,
// glyphs, prints, clears, moves). The presentation layer compares it with the value it saw at the
// last image and skips unchanged windows. Writers bump after writing.
std::uint64_t t_WindowChangeCount(std::uint8_t window);
void t_WindowChanged(std::uint8_t window);
// Sum of the eight counters.
std::uint64_t t_WindowChangeTotal();
// Sleeps until the sum differs from `seenTotal` or the timeout passed; true on a change. Only one
// thread (the update thread) waits here at a time.
bool t_WaitForWindowChange(std::uint64_t seenTotal, std::chrono::milliseconds timeout);
// Ends the current (or the next) wait of t_WaitForWindowChange at once.
void t_WakeWindowChangeWaiter();

// Guards a window's text memory (its character and colour planes) between the program's block
// writes (scrolls, clears) and a reader on another thread (the copy menu), so that a reader sees
// whole scrolls. Single cells are written and read with atomic byte accesses instead. Held only
// around plain memory work, never while calling out.
std::mutex& t_TextMemoryLock(std::uint8_t window);

// --- set-up ---

// Steps of the set-up that belong to the layers above the window table: the menu action records
// and the host's menus (t_InitMemory), the update thread (t_InitWindow). The application layer
// installs them, so that the window table never reaches up; a step not installed is skipped.
struct t_SetUpSteps {
    void (*BuildMenuActions)() = nullptr;
    void (*CleanUpHostMenus)() = nullptr;
    void (*StartUpdateThread)() = nullptr;
};
void t_InstallSetUpSteps(const t_SetUpSteps& steps);

void t_InitMemory();
void t_WaitForMemory();
// Graphic form.
void t_InitWindow(std::uint8_t window, int bitDepth, bool autoUpdate, int width, int height, int borderWidth,
                  int borderHeight, const t_Font& font, bool titleVisible);
// Text form: columns x lines cells of the named font file.
void t_InitWindow(std::uint8_t window, int bitDepth, int columns, int lines, int border,
                  std::string_view fontName);

// --- frames ---

void t_WindowSize(std::uint8_t window, int x, int y, int width, int height);
int t_WindowPos(std::uint8_t window, int selector);
void t_WindowTitle(std::uint8_t window, std::string_view title);
void t_WindowTitleVisible(std::uint8_t window, bool visible);
void t_WindowFront(std::uint8_t window);
void t_WindowVisible(std::uint8_t window, bool visible);
void t_WindowCenter(std::uint8_t window);
std::optional<std::uint8_t> t_ViewOf(std::uint8_t window);
std::optional<std::uint8_t> t_HostWindowOf(std::uint8_t window);

// --- memory ---

void t_MoveVideoMemory(std::int64_t source, std::int64_t destination, std::int64_t count);
void t_ClearWindowMemory(std::uint8_t window);

// --- uniform checks ---

// Text: initialised and with a text screen. Initialized: initialised only.
enum class t_Check { Text, Initialized };
// Runs the two checks with `name`'s messages; the record on success, nullptr after the message.
t_Window* t_CheckWindow(std::string_view name, std::uint8_t window, t_Check check);
// The graphics operations' wording: name + ": Window is not a graphic window." or name +
// ": Graphic window #" + number + " not initialized.".
t_Window* t_CheckGraphicWindow(std::string_view name, std::uint8_t window);

}  // namespace zarvik
