#include "toolkit/screen/threads.h"

#include <pthread.h>
#include <unistd.h>

#include <atomic>
#include <map>
#include <memory>
#include <mutex>

#include "util/log.h"

namespace zarvik {
namespace {

std::atomic<int> lastNumber{1};
std::atomic<bool> applicationRegistered{false};
thread_local int threadNumber = 0;

// Process-lifetime state is never destroyed: detached threads may still use it during exit.
std::mutex& namesMutex() {
    static auto* mutex = new std::mutex;
    return *mutex;
}
std::map<int, std::string>& names() {
    static auto* table = new std::map<int, std::string>;
    return *table;
}

struct StartRecord {
    std::function<void()> function;
    int number = 0;
};

void* threadEntry(void* argument) {
    std::unique_ptr<StartRecord> record(static_cast<StartRecord*>(argument));
    threadNumber = record->number;
    std::function<void()> function = std::move(record->function);
    record.reset();
    function();
    return nullptr;
}

}  // namespace

void t_RegisterApplicationThread() {
    if (!applicationRegistered.exchange(true)) {
        threadNumber = 1;
    }
}

int t_CurrentThreadNumber() {
    return threadNumber;
}

void t_NameCurrentThread(std::string_view name) {
    {
        const std::lock_guard lock(namesMutex());
        names()[threadNumber] = std::string(name);
    }
    // The OS name of the process's first thread is the process name that ps and pgrep show.
    if (gettid() == getpid()) {
        return;
    }
    const std::string shortName(name.substr(0, 15));
    pthread_setname_np(pthread_self(), shortName.c_str());
}

std::string t_CurrentThreadName() {
    const std::lock_guard lock(namesMutex());
    const auto found = names().find(threadNumber);
    return threadNumber != 0 && found != names().end() ? found->second : std::string();
}

bool t_StartThread(std::function<void()> function, std::size_t stackSize) {
    auto record = std::make_unique<StartRecord>();
    record->function = std::move(function);
    record->number = ++lastNumber;
    pthread_attr_t attributes;
    pthread_attr_init(&attributes);
    pthread_attr_setdetachstate(&attributes, PTHREAD_CREATE_DETACHED);
    if (stackSize > 0 && pthread_attr_setstacksize(&attributes, stackSize) != 0) {
        logline("t_StartThread: Stack size refused, using the default.");
    }
    pthread_t thread;
    const int error = pthread_create(&thread, &attributes, threadEntry, record.get());
    pthread_attr_destroy(&attributes);
    if (error != 0) {
        logline("t_StartThread: Thread could not be started, error #" + std::to_string(error) + ".");
        return false;
    }
    record.release();
    return true;
}

void t_StartAsync(std::function<void()> function) {
    if (!t_StartThread(std::move(function), 0)) {
        logline("t_StartAsync: Thread could not be started.");
    }
}

}  // namespace zarvik
