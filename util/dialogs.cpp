#include "util/dialogs.h"

#include <atomic>
#include <chrono>
#include <mutex>
#include <thread>

#include "util/log.h"

namespace zarvik {

std::string openPanelPrompt = "Öffnen";
std::string choosePanelPrompt = "Wählen";

namespace {

std::mutex& providermutex() {
    static std::mutex m;
    return m;
}

std::shared_ptr<const DialogProvider>& providerslot() {
    static std::shared_ptr<const DialogProvider> slot;
    return slot;
}

std::shared_ptr<const DialogProvider> currentprovider() {
    std::lock_guard<std::mutex> lock(providermutex());
    return providerslot();
}

bool complete(const DialogProvider& p) {
    return p.isMainThread && p.runOnMainThread && p.openPanel && p.savePanel;
}

std::vector<std::string> filetypes(std::string_view list) {
    std::vector<std::string> types;
    while (!list.empty()) {
        const auto comma = list.find(',');
        std::string_view type = list.substr(0, comma);
        while (!type.empty() && (type.front() == ' ' || type.front() == '.')) {
            type.remove_prefix(1);
        }
        while (!type.empty() && type.back() == ' ') {
            type.remove_suffix(1);
        }
        if (!type.empty()) {
            types.emplace_back(type);
        }
        list = comma == std::string_view::npos ? std::string_view() : list.substr(comma + 1);
    }
    return types;
}

// Runs `panel` on the main thread and waits for it by polling, as the program thread must not
// block the main thread's queue. The shared state outlives the caller if the task runs late.
template <typename Result, typename Panel>
Result onmainthread(const DialogProvider& provider, Panel panel) {
    if (provider.isMainThread()) {
        return panel();
    }
    struct Handoff {
        Result result{};
        std::atomic<bool> done{false};
    };
    auto handoff = std::make_shared<Handoff>();
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    provider.runOnMainThread([handoff, panel] {
        handoff->result = panel();
        handoff->done.store(true, std::memory_order_release);
    });
    while (!handoff->done.load(std::memory_order_acquire)) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return std::move(handoff->result);
}

}  // namespace

void setdialogprovider(DialogProvider provider) {
    auto slot = complete(provider) ? std::make_shared<const DialogProvider>(std::move(provider)) : nullptr;
    std::lock_guard<std::mutex> lock(providermutex());
    providerslot() = std::move(slot);
}

std::vector<std::string> runopenpanel(const OpenPanelRequest& request) {
    const auto provider = currentprovider();
    return provider ? provider->openPanel(request) : std::vector<std::string>{};
}

std::string runsavepanel(const SavePanelRequest& request) {
    const auto provider = currentprovider();
    return provider ? provider->savePanel(request) : std::string{};
}

std::string selectfiletoopen(std::string_view title, std::string_view message, std::string_view fileTypes,
                             bool chooseFiles, bool chooseFolders) {
    const auto provider = currentprovider();
    if (!provider) {
        logline("selectfiletoopen: No dialog available.");
        return {};
    }
    OpenPanelRequest request;
    request.title = title;
    request.message = message;
    request.prompt = chooseFolders ? choosePanelPrompt : openPanelPrompt;
    request.fileTypes = filetypes(fileTypes);
    request.canChooseFiles = chooseFiles;
    request.canChooseDirectories = chooseFolders;
    const auto paths = onmainthread<std::vector<std::string>>(
        *provider, [provider, request] { return provider->openPanel(request); });
    return paths.empty() ? std::string() : paths.front();
}

std::string selectfiletosave(std::string_view proposedName, std::string_view title, std::string_view message,
                             std::string_view fileTypes) {
    const auto provider = currentprovider();
    if (!provider) {
        logline("selectfiletosave: No dialog available.");
        return {};
    }
    SavePanelRequest request;
    request.title = title;
    request.message = message;
    request.proposedName = proposedName;
    request.fileTypes = filetypes(fileTypes);
    return onmainthread<std::string>(*provider, [provider, request] { return provider->savePanel(request); });
}

void showmessage(std::string_view text) {
    const auto provider = currentprovider();
    if (!provider || !provider->messagePanel) {
        logline("showmessage: " + std::string(text));
        return;
    }
    onmainthread<bool>(*provider, [provider, message = std::string(text)] {
        provider->messagePanel(message);
        return true;
    });
}

std::string askquestion(std::string_view text, const std::vector<std::string>& buttons) {
    const std::string cancel = buttons.empty() ? std::string() : buttons.back();
    const auto provider = currentprovider();
    if (!provider || !provider->questionPanel) {
        logline("askquestion: " + std::string(text));
        return cancel;
    }
    const std::string chosen =
        onmainthread<std::string>(*provider, [provider, question = std::string(text), buttons] {
            return provider->questionPanel(question, buttons);
        });
    for (const std::string& button : buttons) {
        if (button == chosen) {
            return chosen;
        }
    }
    return cancel;
}

std::optional<std::size_t> choosefromlist(std::string_view title, std::string_view message,
                                          std::vector<std::string> headings,
                                          std::vector<std::vector<std::string>> rows) {
    const auto provider = currentprovider();
    if (!provider || !provider->listPanel) {
        logline("choosefromlist: " + std::string(title));
        return std::nullopt;
    }
    ListPanelRequest request{std::string(title), std::string(message), std::move(headings), std::move(rows)};
    return onmainthread<std::optional<std::size_t>>(
        *provider, [provider, request = std::move(request)] { return provider->listPanel(request); });
}

}  // namespace zarvik
