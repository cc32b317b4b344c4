#include "toolkit/app/events.h"

#include <atomic>
#include <charconv>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>
#include <utility>

#include "toolkit/app/keymap.h"
#include "toolkit/host.h"
#include "toolkit/screen/threads.h"
#include "toolkit/screen/window.h"
#include "toolkit/text/textoutput.h"
#include "util/encoding.h"
#include "util/log.h"

namespace zarvik {
namespace {

// Wakes every thread that waits for an event (t_WaitForEvents) after any queue changed. It also
// counts the waiters that have looked at the queues since their last change, for t_WaitingForInput.
struct EventSignal {
    std::mutex mutex;
    std::condition_variable changed;
    std::uint64_t generation = 0;
    std::uint64_t waitersSeen = 0;  // the generation `waiters` belongs to
    int waiters = 0;
    int handlersRunning = 0;
    int working = 0;  // t_BeginWork without its t_EndWork yet

    void notify() {
        {
            const std::lock_guard lock(mutex);
            ++generation;
        }
        changed.notify_all();
    }
};
EventSignal& eventSignal() {
    static auto* signal = new EventSignal;  // lives for the process
    return *signal;
}

// A bounded queue whose pending flag is recomputed from its length after every change. When it is
// full the oldest event goes; the first loss after the queue was last empty writes one line.
template <typename Event>
struct Queue {
    Queue(std::size_t limit, std::string overflowLine)
        : capacity(limit), overflowMessage(std::move(overflowLine)) {}

    std::mutex mutex;
    std::deque<Event> events;
    Event current;
    std::atomic<bool> pending{false};
    const std::size_t capacity;
    const std::string overflowMessage;
    bool overflowing = false;

    // Appends under the lock; true when this append started an overflow.
    bool append(Event event) {
        events.push_back(std::move(event));
        if (events.size() <= capacity) {
            return false;
        }
        events.pop_front();
        return !std::exchange(overflowing, true);
    }
    void afterAppend(bool overflowStarted) {
        if (overflowStarted) {
            logline(overflowMessage);
        }
        eventSignal().notify();
    }
    void push(const Event& event) {
        bool overflowStarted = false;
        {
            const std::lock_guard lock(mutex);
            overflowStarted = append(event);
            pending = true;
        }
        afterAppend(overflowStarted);
    }
    std::optional<Event> take() {
        const std::lock_guard lock(mutex);
        if (events.empty()) {
            return std::nullopt;
        }
        current = std::move(events.front());
        events.pop_front();
        pending = !events.empty();
        overflowing = overflowing && !events.empty();
        return current;
    }
    void clear() {
        {
            const std::lock_guard lock(mutex);
            events.clear();
            pending = false;
            overflowing = false;
        }
        eventSignal().notify();
    }
    Event currentEvent() {
        const std::lock_guard lock(mutex);
        return current;
    }
};

// The queues and slots live for the process and are never destroyed: handler threads may still
// use them while the process exits.
Queue<t_Event>& keyQueue() {
    static auto* queue =
        new Queue<t_Event>(t_KeyQueueCapacity, "t_KeyEventHandler: Key queue full, oldest key dropped.");
    return *queue;
}
Queue<t_Event>& mouseQueue() {
    static auto* queue = new Queue<t_Event>(t_MouseQueueCapacity,
                                            "t_MouseEventHandler: Mouse queue full, oldest click dropped.");
    return *queue;
}
Queue<t_MenuEvent>& menuQueue() {
    static auto* queue = new Queue<t_MenuEvent>(
        t_MenuQueueCapacity, "t_MenuEventHandler: Menu queue full, oldest choice dropped.");
    return *queue;
}

struct Handlers {
    std::mutex mutex;
    std::function<void()> mouse = [] {};
    std::function<void()> menu = [] {};
    std::function<void()> saveGraphic = [] { t_Bell(); };
};
Handlers& handlers() {
    static auto* slots = new Handlers;
    return *slots;
}

std::function<void()> handlerOf(std::function<void()> Handlers::*slot) {
    Handlers& h = handlers();
    const std::lock_guard lock(h.mutex);
    return h.*slot;
}

void setHandler(std::function<void()> Handlers::*slot, std::function<void()> handler) {
    Handlers& h = handlers();
    const std::lock_guard lock(h.mutex);
    h.*slot = handler ? std::move(handler) : [] {};
}

std::atomic<std::uint32_t> modifierFlags{0};

// A coordinate the way the log has always shown it: shortest digits, at least one decimal.
std::string coordinate(double v) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, v);
    std::string text(buffer, result.ptr);
    if (text.find_first_of(".en") == std::string::npos) {
        text += ".0";
    }
    return text;
}

}  // namespace

void t_AppendUtf8(std::string& out, std::uint32_t c) {
    const bool valid = c <= 0x10FFFF && (c < 0xD800 || c > 0xDFFF);
    utf8append(out, valid ? c : 0);
}

std::uint32_t t_NextScalar(std::string_view text, std::size_t& i) {
    return utf8next(text, i);
}

std::int64_t t_TimeMillis() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

t_ModifierState t_CurrentModifiers() {
    const std::uint32_t f = modifierFlags;
    return {t_HasModifier(f, t_ModifierBit::CapsLock), t_HasModifier(f, t_ModifierBit::Shift),
            t_HasModifier(f, t_ModifierBit::Control),  t_HasModifier(f, t_ModifierBit::Option),
            t_HasModifier(f, t_ModifierBit::Command),  t_HasModifier(f, t_ModifierBit::Function)};
}

void t_SetEventModifiers(t_Event& event, std::uint32_t modifierFlags) {
    const std::uint32_t f = modifierFlags;
    event.Mods = static_cast<int>((f >> 16) & 0xFFFF);
    event.CapsLockPressed = t_HasModifier(f, t_ModifierBit::CapsLock);
    event.ShiftPressed = t_HasModifier(f, t_ModifierBit::Shift);
    event.ControlPressed = t_HasModifier(f, t_ModifierBit::Control);
    event.OptionPressed = t_HasModifier(f, t_ModifierBit::Option);
    event.CommandPressed = t_HasModifier(f, t_ModifierBit::Command);
    event.NumericPadPressed = t_HasModifier(f, t_ModifierBit::NumericPad);
    event.HelpPressed = t_HasModifier(f, t_ModifierBit::Help);
}

void t_SetModifierFlags(std::uint32_t flags) {
    modifierFlags = flags;
}

// --- key queue ---

void t_PostKeyEvent(const t_Event& event) {
    keyQueue().push(event);
}
bool t_KeyPending() {
    return keyQueue().pending;
}
std::optional<t_Event> t_TakeKeyEvent() {
    return keyQueue().take();
}
void t_ClearKeyQueue() {
    keyQueue().clear();
}
t_Event t_CurrentEvent() {
    return keyQueue().currentEvent();
}

int t_NextEvent() {
    const std::optional<t_Event> event = keyQueue().take();
    return event ? event->Value : -1;
}

std::string t_WaitKey(std::uint8_t window) {
    return *t_WaitKeyUnless(window, [] { return false; });
}

std::optional<std::string> t_WaitKeyUnless(std::uint8_t window, const std::function<bool()>& interrupt) {
    for (;;) {
        if (!t_KeyPending()) {
            if (interrupt()) {
                return std::nullopt;
            }
            t_CursorOn(window);
            t_WaitForEvents([&interrupt] { return t_KeyPending() || interrupt(); });
            t_CursorOff(window);
            continue;
        }
        const std::optional<t_Event> event = keyQueue().take();
        if (!event || event->Value < 0) {
            continue;
        }
        std::string out;
        t_AppendUtf8(out, static_cast<std::uint32_t>(event->Value));
        return out;
    }
}

void t_PostKeys(std::string_view text) {
    const std::int64_t now = t_TimeMillis();
    Queue<t_Event>& queue = keyQueue();
    bool overflowStarted = false;
    {
        const std::lock_guard lock(queue.mutex);
        for (std::size_t i = 0; i < text.size();) {
            const std::uint32_t c = t_NextScalar(text, i);
            t_Event event;
            event.Kind = 1;
            t_AppendUtf8(event.Description, c);
            event.Value = static_cast<int>(c);
            event.Window = 1;
            event.Time = now;
            overflowStarted = queue.append(std::move(event)) || overflowStarted;
        }
        queue.pending = !queue.events.empty();
    }
    queue.afterAppend(overflowStarted);
}

void t_WakeEventWaiters() {
    eventSignal().notify();
}

void t_WaitForEvents(const std::function<bool()>& done) {
    EventSignal& signal = eventSignal();
    std::unique_lock lock(signal.mutex);
    while (!done()) {
        const std::uint64_t seen = signal.generation;
        if (signal.waitersSeen != seen) {
            signal.waitersSeen = seen;
            signal.waiters = 0;
        }
        ++signal.waiters;
        signal.changed.wait(lock, [&] { return signal.generation != seen; });
        if (signal.waitersSeen == seen) {
            --signal.waiters;
        }
    }
}

bool t_WaitingForInput() {
    EventSignal& signal = eventSignal();
    const std::lock_guard lock(signal.mutex);
    return signal.handlersRunning == 0 && signal.working == 0 && signal.waitersSeen == signal.generation &&
           signal.waiters > 0;
}

void t_BeginWork() {
    EventSignal& signal = eventSignal();
    const std::lock_guard lock(signal.mutex);
    ++signal.working;
}

void t_EndWork() {
    EventSignal& signal = eventSignal();
    {
        const std::lock_guard lock(signal.mutex);
        --signal.working;
    }
    signal.notify();
}

std::optional<int> t_NewestKeyValue() {
    Queue<t_Event>& queue = keyQueue();
    const std::lock_guard lock(queue.mutex);
    if (queue.events.empty()) {
        return std::nullopt;
    }
    return queue.events.back().Value;
}

// --- mouse queue ---

bool t_MousePending() {
    return mouseQueue().pending;
}
std::optional<t_Event> t_NextMouseEvent() {
    return mouseQueue().take();
}

// --- menu queue ---

void t_PostMenuEvent(const t_MenuEvent& event) {
    menuQueue().push(event);
}
bool t_MenuPending() {
    return menuQueue().pending;
}
std::size_t t_MenuQueueLength() {
    Queue<t_MenuEvent>& queue = menuQueue();
    const std::lock_guard lock(queue.mutex);
    return queue.events.size();
}

std::pair<std::string, std::string> t_NextMenuEvent() {
    const std::optional<t_MenuEvent> event = menuQueue().take();
    if (!event) {
        return {};
    }
    return {event->MenuTitle, event->ItemTitle};
}

t_MenuEvent t_CurrentMenuEvent() {
    return menuQueue().currentEvent();
}

// --- handler slots ---

void t_SetMouseHandler(std::function<void()> handler) {
    setHandler(&Handlers::mouse, std::move(handler));
}
void t_SetMenuHandler(std::function<void()> handler) {
    setHandler(&Handlers::menu, std::move(handler));
}
void t_SetSaveGraphicHandler(std::function<void()> handler) {
    if (!handler) {
        handler = [] { t_Bell(); };
    }
    setHandler(&Handlers::saveGraphic, std::move(handler));
}
void t_CallSaveGraphicHandler() {
    handlerOf (&Handlers::saveGraphic)();
}

void t_StartMouseHandlerThread() {
    t_RunHandler("t_EventMouse", [] { handlerOf (&Handlers::mouse)(); });
}

void t_StartMenuHandlerThread() {
    t_RunHandler("t_EventMenu", [] { handlerOf (&Handlers::menu)(); });
}

void t_RunHandler(const char* name, std::function<void()> handler) {
    EventSignal& signal = eventSignal();
    {
        const std::lock_guard lock(signal.mutex);
        ++signal.handlersRunning;
    }
    t_StartAsync([name, handler = std::move(handler)] {
        if (t_CurrentThreadNumber() >= 3) {
            t_NameCurrentThread(name);
        }
        handler();
        EventSignal& signal = eventSignal();
        {
            const std::lock_guard lock(signal.mutex);
            --signal.handlersRunning;
        }
        // The program may be waiting already: a waiter that looks now sees the handler's outcome.
        signal.notify();
    });
}

// --- host-facing handlers ---

void t_KeyEventHandler(std::uint8_t window, const t_HostKeyEvent& event) {
    t_SetModifierFlags(event.ModifierFlags);
    const t_KeyMapping mapping = t_MapKey(window, event, t_TimeMillis());
    if (mapping.RedirectTarget) {
        t_RedirectOutput(window, *mapping.RedirectTarget);
    }
    if (mapping.Event) {
        keyQueue().push(*mapping.Event);
    }
}

void t_MouseEventHandler(std::uint8_t window, const t_HostMouseEvent& event, double x, double y) {
    std::string name;
    int clickX = -3;
    int clickY = -3;
    if (window < t_WindowCount && t_ToolkitReady() && t_WindowRecord(window).Initialized) {
        const t_Window& w = t_WindowRecord(window);
        const int width = w.Width;
        const int height = w.Height;
        const double bx = x - w.BorderWidth;
        const double by = w.BorderHeight + (height - y);
        const auto place = [](double v, int size) {
            return v < 0 ? -1 : v < size ? static_cast<int>(v) : -2;
        };
        clickX = place(bx, width);
        clickY = place(by, height);
        t_Event e;
        e.Kind = 2;
        e.Index = static_cast<int>(event.Buttons);
        e.WindowX = static_cast<int>(x);
        e.WindowY = static_cast<int>(y);
        e.ClickX = clickX;
        e.ClickY = clickY;
        t_SetEventModifiers(e, event.ModifierFlags);
        e.Window = window;
        e.Time = t_TimeMillis();
        e.FunctionKeyPressed = t_HasModifier(event.ModifierFlags, t_ModifierBit::Function);
        mouseQueue().push(e);
        name = "Graphic #" + std::to_string(window) + " window";
    } else if (window < t_WindowCount) {
        logline("t_MouseEventHandler: Window #" + std::to_string(window) + " not initialized.");
    } else {
        logline("t_MouseEventHandler: Unknown window, AbsX = " + coordinate(x) + ", AbsY = " + coordinate(y));
    }
    logline("t_MouseEventHandler: " + name + ", X = " + std::to_string(clickX) +
            ", Y = " + std::to_string(clickY));
    t_StartMouseHandlerThread();
    logline("t_MouseEventHandler: Calling program mouse handler asynchronously.");
}

void t_MouseEventPostCloseBoxClick(std::uint8_t window) {
    t_WindowVisible(window, false);
    logline("t_MouseEventPostCloseBoxClick: Window = " + std::to_string(window));
}

std::uint8_t t_KeyWindow() {
    int key = 255;
    onMainThread([&key] { key = host().keyWindow(); });
    return key >= 0 && key <= 12 ? static_cast<std::uint8_t>(key) : t_NoWindow;
}

}  // namespace zarvik
