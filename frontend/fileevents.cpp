#include "frontend/fileevents.h"

#include <atomic>
#include <chrono>
#include <deque>
#include <mutex>

#include "frontend/commands.h"
#include "frontend/pgnimport.h"
#include "frontend/savedgame.h"
#include "toolkit/app/events.h"
#include "toolkit/app/input.h"
#include "toolkit/app/startup.h"
#include "toolkit/screen/threads.h"
#include "util/files.h"

namespace zarvik::frontend {
namespace {

struct FileEvents {
    std::mutex mutex;
    std::deque<t_Event> queue;
    t_Event current;
    std::atomic<bool> pending{false};
    std::atomic<void (*)()> handler{nullptr};
};

FileEvents& fileEvents() {
    static FileEvents events;
    return events;
}

}  // namespace

void postFileEvent(const std::string& path) {
    FileEvents& events = fileEvents();
    t_Event event;
    event.Kind = 4;
    event.Index = 0;
    event.Description = path;
    event.Value = pathkind(path);
    event.Time = static_cast<std::int64_t>(
        std::chrono::duration<double>(std::chrono::system_clock::now().time_since_epoch()).count() * 1000);
    {
        const std::lock_guard lock(events.mutex);
        events.queue.push_back(event);
        events.pending = true;
    }
    t_RunHandler("t_StartEventFile", [] {
        if (void (*handler)() = fileEvents().handler.load()) {
            handler();
        }
    });
}

bool fileEventPending() {
    return fileEvents().pending.load();
}

std::string takeFileEvent() {
    FileEvents& events = fileEvents();
    const std::lock_guard lock(events.mutex);
    if (events.queue.empty()) {
        return "";
    }
    events.current = events.queue.front();
    events.queue.pop_front();
    events.pending = !events.queue.empty();
    return events.current.Description;
}

std::string currentFileEventPath() {
    FileEvents& events = fileEvents();
    const std::lock_guard lock(events.mutex);
    return events.current.Description;
}

void setFileEventHandler(void (*handler)()) {
    fileEvents().handler = handler;
}

void handleFileEvent() {
    if (!fileEventPending()) {
        return;
    }
    const std::string path = takeFileEvent();
    if (isGameFileName(path) && chess_Open(path)) {
        wakeProgram();
    }
}

}  // namespace zarvik::frontend
