#include "toolkit/host.h"

#include <atomic>
#include <cstdlib>
#include <filesystem>

#include "util/log.h"

namespace zarvik {

namespace {

// Answers when no host is installed: a platform without windows, where the caller is the main thread.
class StandInHost final : public Host {
  public:
    bool isMainThread() override { return true; }
    void runOnMainThread(std::function<void()> task) override { task(); }
    void postToMainThread(std::function<void()> task) override { task(); }
    bool hasWindow(int) override { return false; }
    std::optional<HostRect> windowFrame(int) override { return std::nullopt; }
    void setWindowFrame(int, HostRect, bool) override {}
    void setViewFrame(int, HostRect) override {}
    void setWindowTitle(int, const std::string&) override {}
    void setWindowTitleVisible(int, bool) override {}
    void orderFront(int) override {}
    void orderOut(int) override {}
    bool isWindowVisible(int) override { return false; }
    void makeKeyAndOrderFront(int) override {}
    void centerWindow(int) override {}
    void setBackgroundColor(int, HostColor) override {}
    HostSize screenSize(int) override { return {}; }
    int keyWindow() override { return 255; }
    double backingScale(int) override { return 1; }
    int titleBarHeight() override { return 0; }
    bool hasView(int) override { return false; }
    void redrawView(int, bool) override {}
    std::optional<std::vector<HostMenuItem>> menuItems(std::string_view) override { return std::nullopt; }
    bool deleteMenuItem(std::string_view, int) override { return false; }
    std::optional<std::string> pasteboardText() override { return std::nullopt; }
    void setPasteboardText(const std::string&) override {}
    void setPasteboardImage(const HostImage&) override {}
    bool hasTextView(int) override { return false; }
    std::string textViewText(int) override { return {}; }
    void setTextViewText(int, const std::string&) override {}
    void setUpTextView(int) override {}
    void setRulerText(int, const std::string&) override {}
    std::vector<std::string> openPanel(const OpenPanelRequest&) override { return {}; }
    std::string savePanel(const SavePanelRequest&) override { return {}; }
    void bell() override {}
    std::string resourcesFolder() override { return defaultResourcesFolder(); }
    std::string applicationName() override { return "Zarvik"; }
};

StandInHost standIn;
std::atomic<Host*> installed{nullptr};

}  // namespace

void Host::messagePanel(const std::string& text) {
    logline("dialog: " + text);
}

std::string Host::questionPanel(const std::string& text, const std::vector<std::string>& buttons) {
    logline("dialog: " + text);
    return buttons.empty() ? std::string() : buttons.back();
}

std::optional<std::size_t> Host::listPanel(const ListPanelRequest& request) {
    logline("dialog: " + request.title + "\n" + request.message);
    return std::nullopt;
}

Host& host() {
    Host* h = installed.load(std::memory_order_acquire);
    return h ? *h : standIn;
}

void setHost(Host* newHost) {
    installed.store(newHost, std::memory_order_release);
    if (newHost == nullptr) {
        setdialogprovider({});
        return;
    }
    DialogProvider provider;
    provider.isMainThread = [newHost] { return newHost->isMainThread(); };
    provider.runOnMainThread = [newHost](std::function<void()> task) {
        newHost->postToMainThread(std::move(task));
    };
    provider.openPanel = [newHost](const OpenPanelRequest& r) { return newHost->openPanel(r); };
    provider.savePanel = [newHost](const SavePanelRequest& r) { return newHost->savePanel(r); };
    provider.messagePanel = [newHost](const std::string& text) { newHost->messagePanel(text); };
    provider.questionPanel = [newHost](const std::string& text, const std::vector<std::string>& buttons) {
        return newHost->questionPanel(text, buttons);
    };
    provider.listPanel = [newHost](const ListPanelRequest& r) { return newHost->listPanel(r); };
    setdialogprovider(std::move(provider));
}

std::string defaultResourcesFolder() {
    namespace fs = std::filesystem;
    if (const char* env = std::getenv("ZARVIK_RESOURCES"); env != nullptr && *env != '\0') {
        std::string folder = env;
        if (folder.back() != '/') {
            folder += '/';
        }
        return folder;
    }
    std::error_code error;
    fs::path exe = fs::read_symlink("/proc/self/exe", error);
    fs::path dir = error ? fs::current_path(error) : exe.parent_path();
    fs::path installedDir = dir / ".." / "share" / "zarvik";
    if (fs::is_directory(installedDir, error)) {
        return installedDir.string() + "/";
    }
    return (dir / "resources").string() + "/";
}

void onMainThread(const std::function<void()>& task) {
    Host& h = host();
    if (h.isMainThread()) {
        task();
    } else {
        h.runOnMainThread(task);
    }
}

void onMainThreadAsync(std::function<void()> task) {
    Host& h = host();
    if (h.isMainThread()) {
        task();
    } else {
        h.postToMainThread(std::move(task));
    }
}

void t_Bell() {
    onMainThreadAsync([] { host().bell(); });
}

}  // namespace zarvik
