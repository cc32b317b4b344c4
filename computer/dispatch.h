#pragma once
// Where the computer player's work runs. The application installs a dispatcher whose main-thread
// queue is its own main thread; this library does not know the toolkit. Without one, a built-in
// dispatcher with a thread per queue serves tests and the command-line tool.
#include <functional>
#include <memory>
#include <thread>

namespace zarvik {

class Dispatcher {
  public:
    virtual ~Dispatcher() = default;
    // Runs `task` later on the main thread; returns at once.
    virtual void runOnMainThread(std::function<void()> task) = 0;
    // Runs `task` later on a background thread; returns at once.
    virtual void runInBackground(std::function<void()> task) = 0;
};

// The installed dispatcher, or the built-in one (made on first use, lives until the program ends).
std::shared_ptr<Dispatcher> installedDispatcher();
// Installs `dispatcher` for players made afterwards; null goes back to the built-in one.
void installDispatcher(std::shared_ptr<Dispatcher> dispatcher);

// Two serial queues, each worked by a thread of its own: "main" and "background". Tasks of one queue
// run one after the other in the order given. The destructor finishes the queued tasks first.
class ThreadDispatcher : public Dispatcher {
  public:
    ThreadDispatcher();
    ~ThreadDispatcher() override;
    ThreadDispatcher(const ThreadDispatcher&) = delete;
    ThreadDispatcher& operator=(const ThreadDispatcher&) = delete;

    void runOnMainThread(std::function<void()> task) override;
    void runInBackground(std::function<void()> task) override;

    std::thread::id mainThreadId() const;
    std::thread::id backgroundThreadId() const;

  private:
    class SerialQueue;
    std::unique_ptr<SerialQueue> main_;
    std::unique_ptr<SerialQueue> background_;
};

}  // namespace zarvik
