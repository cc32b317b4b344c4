#include "computer/dispatch.h"

#include <condition_variable>
#include <deque>
#include <mutex>

namespace zarvik {

// The state lives apart from the queue object so that the worker may outlive the object when the last
// owner lets go of the dispatcher from one of its own tasks.
class ThreadDispatcher::SerialQueue {
  public:
    SerialQueue() : state_(std::make_shared<State>()) {
        worker_ = std::thread([state = state_] { work(*state); });
    }

    ~SerialQueue() {
        {
            std::lock_guard<std::mutex> lock(state_->mutex);
            state_->stopping = true;
        }
        state_->wake.notify_all();
        if (worker_.get_id() == std::this_thread::get_id()) {
            worker_.detach();
        } else {
            worker_.join();
        }
    }

    void post(std::function<void()> task) {
        {
            std::lock_guard<std::mutex> lock(state_->mutex);
            state_->tasks.push_back(std::move(task));
        }
        state_->wake.notify_one();
    }

    std::thread::id id() const { return worker_.get_id(); }

  private:
    struct State {
        std::mutex mutex;
        std::condition_variable wake;
        std::deque<std::function<void()>> tasks;
        bool stopping = false;
    };

    static void work(State& state) {
        std::unique_lock<std::mutex> lock(state.mutex);
        for (;;) {
            state.wake.wait(lock, [&] { return state.stopping || !state.tasks.empty(); });
            if (state.tasks.empty()) {
                return;
            }
            std::function<void()> task = std::move(state.tasks.front());
            state.tasks.pop_front();
            lock.unlock();
            task();
            task = nullptr;  // captured owners are released outside the lock
            lock.lock();
        }
    }

    std::shared_ptr<State> state_;
    std::thread worker_;
};

ThreadDispatcher::ThreadDispatcher()
    : main_(std::make_unique<SerialQueue>()), background_(std::make_unique<SerialQueue>()) {}

ThreadDispatcher::~ThreadDispatcher() = default;

void ThreadDispatcher::runOnMainThread(std::function<void()> task) {
    main_->post(std::move(task));
}

void ThreadDispatcher::runInBackground(std::function<void()> task) {
    background_->post(std::move(task));
}

std::thread::id ThreadDispatcher::mainThreadId() const {
    return main_->id();
}

std::thread::id ThreadDispatcher::backgroundThreadId() const {
    return background_->id();
}

namespace {

std::mutex& slotMutex() {
    static std::mutex m;
    return m;
}

std::shared_ptr<Dispatcher>& slot() {
    static std::shared_ptr<Dispatcher> installed;
    return installed;
}

}  // namespace

std::shared_ptr<Dispatcher> installedDispatcher() {
    std::lock_guard<std::mutex> lock(slotMutex());
    if (slot()) {
        return slot();
    }
    // Never destroyed: its threads may still be finishing work while the program ends.
    static auto* builtIn = new std::shared_ptr<Dispatcher>(std::make_shared<ThreadDispatcher>());
    return *builtIn;
}

void installDispatcher(std::shared_ptr<Dispatcher> dispatcher) {
    std::lock_guard<std::mutex> lock(slotMutex());
    slot() = std::move(dispatcher);
}

}  // namespace zarvik
