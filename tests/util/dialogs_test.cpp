#include <gtest/gtest.h>

#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

#include "util/dialogs.h"

namespace zarvik {
namespace {

// A stand-in main thread: runs posted tasks in order and answers dialogs from fixed replies.
class FakeMainThread {
  public:
    FakeMainThread() : thread_([this] { loop(); }) {}
    ~FakeMainThread() {
        post({});
        thread_.join();
        setdialogprovider({});
    }

    void install(std::vector<std::string> openReply, std::string saveReply) {
        DialogProvider p;
        p.isMainThread = [this] { return std::this_thread::get_id() == thread_.get_id(); };
        p.runOnMainThread = [this](std::function<void()> task) { post(std::move(task)); };
        p.openPanel = [this, openReply](const OpenPanelRequest& r) {
            EXPECT_EQ(std::this_thread::get_id(), thread_.get_id());
            lastOpen = r;
            return openReply;
        };
        p.savePanel = [this, saveReply](const SavePanelRequest& r) {
            EXPECT_EQ(std::this_thread::get_id(), thread_.get_id());
            lastSave = r;
            return saveReply;
        };
        setdialogprovider(std::move(p));
    }

    void post(std::function<void()> task) {
        std::lock_guard<std::mutex> lock(mutex_);
        tasks_.push_back(std::move(task));
        ready_.notify_one();
    }

    OpenPanelRequest lastOpen;  // written on the fake main thread, read after the dialog returned
    SavePanelRequest lastSave;

  private:
    void loop() {
        for (;;) {
            std::function<void()> task;
            {
                std::unique_lock<std::mutex> lock(mutex_);
                ready_.wait(lock, [this] { return !tasks_.empty(); });
                task = std::move(tasks_.front());
                tasks_.pop_front();
            }
            if (!task) {
                return;
            }
            task();
        }
    }

    std::mutex mutex_;
    std::condition_variable ready_;
    std::deque<std::function<void()>> tasks_;
    std::thread thread_;
};

TEST(Dialogs, WithoutProviderTheyAnswerCancelled) {
    setdialogprovider({});
    EXPECT_EQ(selectfiletoopen("Titel", "Text", "zarvik", true, false), "");
    EXPECT_EQ(selectfiletosave("Spiel.zarvik", "Titel", "Text", "zarvik"), "");
    EXPECT_TRUE(runopenpanel({}).empty());
}

TEST(Dialogs, OpenRunsOnTheMainThreadAndGivesTheFirstPath) {
    FakeMainThread main;
    main.install({"/home/anna/eins.zarvik", "/home/anna/zwei.zarvik"}, "");
    EXPECT_EQ(selectfiletoopen("Spiel öffnen", "Welches Spiel?", "zarvik, .gr,png", true, false),
              "/home/anna/eins.zarvik");
    EXPECT_EQ(main.lastOpen.title, "Spiel öffnen");
    EXPECT_EQ(main.lastOpen.message, "Welches Spiel?");
    EXPECT_EQ(main.lastOpen.prompt, "Öffnen");
    EXPECT_EQ(main.lastOpen.fileTypes, (std::vector<std::string>{"zarvik", "gr", "png"}));
    EXPECT_FALSE(main.lastOpen.allowsMultipleSelection);

    EXPECT_EQ(selectfiletoopen("Ordner", "", "", false, true), "/home/anna/eins.zarvik");
    EXPECT_EQ(main.lastOpen.prompt, "Wählen");
    EXPECT_TRUE(main.lastOpen.fileTypes.empty());
    EXPECT_TRUE(main.lastOpen.canChooseDirectories);
}

TEST(Dialogs, SaveAndCancel) {
    FakeMainThread main;
    main.install({}, "/home/anna/Spiel.zarvik");
    EXPECT_EQ(selectfiletosave("Spiel.zarvik", "Sichern", "Wohin?", "zarvik"), "/home/anna/Spiel.zarvik");
    EXPECT_EQ(main.lastSave.proposedName, "Spiel.zarvik");
    EXPECT_EQ(main.lastSave.prompt, "Sichern");
    EXPECT_EQ(main.lastSave.nameFieldLabel, "Sichern unter:");
    EXPECT_EQ(selectfiletoopen("T", "M", "zarvik", true, false), "");  // cancelled: empty list
}

TEST(Dialogs, OnTheMainThreadThePanelRunsDirectly) {
    FakeMainThread main;
    main.install({"/x"}, "/y");
    std::string answer;
    std::mutex m;
    std::condition_variable done;
    bool finished = false;
    main.post([&] {
        const std::string a = selectfiletosave("n", "t", "m", "");
        std::lock_guard<std::mutex> lock(m);
        answer = a;
        finished = true;
        done.notify_one();
    });
    std::unique_lock<std::mutex> lock(m);
    done.wait(lock, [&] { return finished; });
    EXPECT_EQ(answer, "/y");
}

}  // namespace
}  // namespace zarvik
