// The headless host: its main thread, dialogs from the queue, and image files.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <thread>

#include "tests/toolkit/fixture.h"
#include "toolkit/headless/imagefile.h"
#include "toolkit/host.h"
#include "util/dialogs.h"
#include "util/files.h"

namespace zarvik::testing {
namespace {

TEST(HeadlessHost, MainThreadIsItsDispatcher) {
    HeadlessHost& h = testHost();
    EXPECT_FALSE(h.isMainThread());
    bool onMain = false;
    onMainThread([&] { onMain = h.isMainThread(); });
    EXPECT_TRUE(onMain);
    std::atomic<int> order{0};
    int seen = -1;
    onMainThreadAsync([&] { seen = order.fetch_add(1); });
    h.drain();
    EXPECT_EQ(seen, 0);
    // Nested hand-over from the main thread runs directly instead of waiting for itself.
    int nested = 0;
    onMainThread([&] { onMainThread([&] { nested = 1; }); });
    EXPECT_EQ(nested, 1);
}

TEST(HeadlessHost, DialogsAnswerFromTheQueueOnAnyThread) {
    HeadlessHost& h = testHost();
    h.pushOpenAnswer({"/tmp/Spiel.zarvik"});
    h.pushSaveAnswer("/tmp/Neu.zarvik");
    std::string opened;
    std::string saved;
    std::string cancelled = "x";
    std::thread program([&] {
        opened = selectfiletoopen("Spiel öffnen", "", "zarvik", true, false);
        saved = selectfiletosave("Spiel.zarvik", "Spiel sichern unter", "", "zarvik");
        cancelled = selectfiletoopen("Noch einmal", "", "", true, false);
    });
    program.join();
    EXPECT_EQ(opened, "/tmp/Spiel.zarvik");
    EXPECT_EQ(saved, "/tmp/Neu.zarvik");
    EXPECT_EQ(cancelled, "");
    const auto requests = h.openRequests();
    ASSERT_GE(requests.size(), 2u);
    EXPECT_EQ(requests[requests.size() - 2].fileTypes, (std::vector<std::string>{"zarvik"}));
    EXPECT_EQ(h.saveRequests().back().proposedName, "Spiel.zarvik");
}

TEST(HeadlessHost, MenusAreFoundByExactTitle) {
    HeadlessHost& h = testHost();
    h.setMenu("Ablage", {{"Spiel öffnen…", 0, "o", 1u << 20}, {"", 0, "", 0}});
    onMainThread([&] {
        EXPECT_FALSE(h.menuItems("ablage").has_value());
        ASSERT_TRUE(h.menuItems("Ablage").has_value());
        EXPECT_TRUE(h.deleteMenuItem("Ablage", 1));
        EXPECT_FALSE(h.deleteMenuItem("Ablage", 1));
    });
    EXPECT_EQ(h.menu("Ablage").size(), 1u);
    h.removeMenu("Ablage");
}

TEST(ImageFile, PpmHeaderAndPixels) {
    const std::string path = (std::filesystem::temp_directory_path() / "zarvik-toolkit-test.ppm").string();
    const std::vector<std::uint8_t> rgb{1, 2, 3};
    ASSERT_TRUE(writeppm(path, 1, 1, rgb));
    const Bytes file = getbinaryfromfile(path);
    EXPECT_EQ(std::string(file.begin(), file.end()), std::string("P6\n1 1\n255\n\x01\x02\x03"));
    std::filesystem::remove(path);
}

TEST(StandInHost, AnswersWithoutWindows) {
    HeadlessHost& h = testHost();
    setHost(nullptr);
    EXPECT_TRUE(host().isMainThread());
    EXPECT_FALSE(host().hasWindow(0));
    EXPECT_EQ(host().keyWindow(), 255);
    EXPECT_EQ(host().applicationName(), "Zarvik");
    EXPECT_EQ(selectfiletoopen("x", "", "", true, false), "");
    h.install();
}

}  // namespace
}  // namespace zarvik::testing
