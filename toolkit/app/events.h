#pragma once
// Key, mouse and menu events: the records the program reads, the three queues with their pending
// flags and current events, the host-facing handlers and the program-facing readers.
//
// The handlers run on the host's main thread, the readers on the program thread and the handler
// threads; every queue is guarded by its own mutex and every pending flag is atomic, so a reader
// polling a flag never sees a half-appended record.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "toolkit/modifiers.h"

namespace zarvik {

struct t_Event {
    int Kind = 0;  // 1 key, 2 mouse, 4 file
    int Index = 0;
    std::string Description;
    int Value = 0;
    int WindowX = 0;
    int WindowY = 0;
    int ClickX = 0;
    int ClickY = 0;
    int Mods = 0;
    std::uint8_t Window = 0;
    std::int64_t Time = 0;
    bool CloseBox = false;
    bool CapsLockPressed = false;
    bool ShiftPressed = false;
    bool ControlPressed = false;
    bool OptionPressed = false;
    bool CommandPressed = false;
    bool NumericPadPressed = false;
    bool HelpPressed = false;
    bool FnPressed = false;
    bool CursorKeyPressed = false;
    bool FunctionKeyPressed = false;
    bool operator==(const t_Event&) const = default;
};

struct t_MenuEvent {
    int Kind = 0;  // 3 for an item that belongs to a menu
    std::string MenuTitle;
    std::string ItemTitle;
    std::string ItemKeyChar;
    std::uint32_t ItemKeyMods = 0;
    int ItemKeyAsc = 0;
    int ItemAction = 0;
    std::int64_t Time = 0;
    bool operator==(const t_MenuEvent&) const = default;
};

// One key press as the host hands it over: the key code of the toolkit's tables, the characters
// it produced (empty for a dead key) and the modifier flags.
struct t_HostKeyEvent {
    int KeyCode = 0;
    std::u32string Characters;
    std::uint32_t ModifierFlags = 0;
};

// Sets an event's Mods and the pressed flags that key and mouse events share (caps lock, shift,
// control, option, command, numeric pad, help) from a host event's modifier flags.
void t_SetEventModifiers(t_Event& event, std::uint32_t modifierFlags);

// One mouse press: bit mask of the pressed buttons (1 left, 2 right) and the modifier flags.
struct t_HostMouseEvent {
    std::uint32_t Buttons = 1;
    std::uint32_t ModifierFlags = 0;
};

// The modifier state, refreshed by every key event and by the views' flag changes.
struct t_ModifierState {
    bool CapsLock = false;
    bool Shift = false;
    bool Control = false;
    bool Option = false;
    bool Command = false;
    bool Fn = false;
    bool operator==(const t_ModifierState&) const = default;
};
t_ModifierState t_CurrentModifiers();
void t_SetModifierFlags(std::uint32_t flags);

// UTF-8 of the key events' characters. Invalid scalars are written as U+0000; a broken sequence
// reads as U+FFFD and advances one byte.
void t_AppendUtf8(std::string& out, std::uint32_t scalar);
std::uint32_t t_NextScalar(std::string_view text, std::size_t& index);

// Milliseconds of the absolute time (seconds since the epoch x 1000, truncated).
std::int64_t t_TimeMillis();

// --- queues ---

// Each queue keeps at most this many events; a new event beyond it drops the oldest one.
inline constexpr std::size_t t_KeyQueueCapacity = 1024;
inline constexpr std::size_t t_MouseQueueCapacity = 256;
inline constexpr std::size_t t_MenuQueueCapacity = 256;

// Blocks until `done` holds; it is tested now and again after every change of a queue.
void t_WaitForEvents(const std::function<bool()>& done);
// True while a thread blocks in t_WaitForEvents having seen the latest change of every queue and no
// handler thread runs: the program has answered all input so far and waits for more.
bool t_WaitingForInput();
// While the program works on its own but still looks at keys (a computer player that thinks and can
// be told to move), t_WaitingForInput is false. Calls nest; each t_BeginWork needs its t_EndWork.
void t_BeginWork();
void t_EndWork();
// Makes every waiting t_WaitForEvents test its condition again: the program changed a flag that a
// waiting condition reads.
void t_WakeEventWaiters();

// --- key queue ---

// Appends the event and refreshes the key-pending flag.
void t_PostKeyEvent(const t_Event& event);
// True exactly when the key queue is not empty.
bool t_KeyPending();
// Removes the oldest key event and makes it the current event; nothing when the queue is empty.
std::optional<t_Event> t_TakeKeyEvent();
// Empties the key queue (the output pause does this when it resumes).
void t_ClearKeyQueue();
// The event last taken from the key queue.
t_Event t_CurrentEvent();
// Takes the oldest key event into the current event and returns its Value; -1 when empty.
int t_NextEvent();
// Waits (cursor on, asleep until a key arrives) for a key event with a Value >= 0; its character as UTF-8.
std::string t_WaitKey(std::uint8_t window);
// The same, but gives up (nothing) as soon as `interrupt` holds while no key is there, so that a
// waiting program can also answer clicks. Tested before every wait.
std::optional<std::string> t_WaitKeyUnless(std::uint8_t window, const std::function<bool()>& interrupt);
// One key event per character (Kind 1, Index 0, Window 1, the time).
void t_PostKeys(std::string_view text);
// Value of the newest queued key event; nothing when the queue is empty (the output pause reads it).
std::optional<int> t_NewestKeyValue();

// --- mouse queue ---

bool t_MousePending();
std::optional<t_Event> t_NextMouseEvent();

// --- menu queue ---

void t_PostMenuEvent(const t_MenuEvent& event);
bool t_MenuPending();
// Number of queued menu events.
std::size_t t_MenuQueueLength();
// Takes the oldest menu event into the current menu event: (MenuTitle, ItemTitle); two empty
// strings when the queue is empty.
std::pair<std::string, std::string> t_NextMenuEvent();
t_MenuEvent t_CurrentMenuEvent();

// --- handler slots ---

// The mouse and menu handlers start out doing nothing, the save-graphic handler rings the bell.
void t_SetMouseHandler(std::function<void()> handler);
void t_SetMenuHandler(std::function<void()> handler);
void t_SetSaveGraphicHandler(std::function<void()> handler);
void t_CallSaveGraphicHandler();
// Start a short-lived thread ("t_EventMouse" / "t_EventMenu") that calls the handler once.
void t_StartMouseHandlerThread();
void t_StartMenuHandlerThread();
// Runs a handler on a short-lived thread of that name; t_WaitingForInput is false until it returns.
void t_RunHandler(const char* name, std::function<void()> handler);

// --- host-facing handlers (main thread) ---

void t_KeyEventHandler(std::uint8_t window, const t_HostKeyEvent& event);
// x, y: location of the click in the host window, origin bottom left.
void t_MouseEventHandler(std::uint8_t window, const t_HostMouseEvent& event, double x, double y);
void t_MouseEventPostCloseBoxClick(std::uint8_t window);

// Number of the host's key window: 0-12, or 255 (asked on the main thread).
std::uint8_t t_KeyWindow();

}  // namespace zarvik
