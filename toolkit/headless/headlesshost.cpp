#include "toolkit/headless/headlesshost.h"

#include <cstdio>
#include <future>

#include "toolkit/graphics/pngfile.h"
#include "toolkit/headless/imagefile.h"
#include "toolkit/screen/pixels.h"
#include "toolkit/screen/window.h"

namespace zarvik {

HeadlessHost::HeadlessHost() : resources_(defaultResourcesFolder()) {
    for (bool& view : views_) {
        view = true;
    }
    for (int window : {8, 9, 10}) {
        textViews_[window] = TextViewState{};
    }
    dispatcher_ = std::thread([this] { dispatch(); });
    std::promise<void> started;
    auto ready = started.get_future();
    postToMainThread([&started] { started.set_value(); });
    ready.wait();
}

HeadlessHost::~HeadlessHost() {
    if (&host() == this) {
        setHost(nullptr);
    }
    {
        std::lock_guard lock(queueMutex_);
        stopping_ = true;
    }
    queueSignal_.notify_all();
    dispatcher_.join();
}

void HeadlessHost::install() {
    setHost(this);
}

void HeadlessHost::dispatch() {
    {
        std::lock_guard lock(queueMutex_);
        dispatcherId_ = std::this_thread::get_id();
    }
    for (;;) {
        std::function<void()> task;
        {
            std::unique_lock lock(queueMutex_);
            queueSignal_.wait(lock, [this] { return stopping_ || !tasks_.empty(); });
            if (tasks_.empty()) {
                return;
            }
            task = std::move(tasks_.front());
            tasks_.pop_front();
        }
        task();
    }
}

bool HeadlessHost::isMainThread() {
    std::lock_guard lock(queueMutex_);
    return std::this_thread::get_id() == dispatcherId_;
}

void HeadlessHost::runOnMainThread(std::function<void()> task) {
    if (isMainThread()) {
        task();
        return;
    }
    std::promise<void> done;
    auto finished = done.get_future();
    postToMainThread([&task, &done] {
        task();
        done.set_value();
    });
    finished.wait();
}

void HeadlessHost::postToMainThread(std::function<void()> task) {
    {
        std::lock_guard lock(queueMutex_);
        tasks_.push_back(std::move(task));
    }
    queueSignal_.notify_one();
}

void HeadlessHost::drain() {
    runOnMainThread([] {});
}

// --- test set-up and inspection ---

void HeadlessHost::setWindowExists(int window, bool exists) {
    std::lock_guard lock(mutex_);
    if (valid(window)) {
        windows_[window].exists = exists;
        if (window < 8) {
            views_[window] = exists;
        }
    }
}

void HeadlessHost::setViewExists(int window, bool exists) {
    std::lock_guard lock(mutex_);
    if (window >= 0 && window < 8) {
        views_[window] = exists;
    }
}

void HeadlessHost::setTextViewExists(int window, bool exists) {
    std::lock_guard lock(mutex_);
    textViews_[window].exists = exists;
}

void HeadlessHost::setMenu(const std::string& title, std::vector<HostMenuItem> items) {
    std::lock_guard lock(mutex_);
    menus_[title] = std::move(items);
}

void HeadlessHost::removeMenu(const std::string& title) {
    std::lock_guard lock(mutex_);
    menus_.erase(title);
}

std::vector<HostMenuItem> HeadlessHost::menu(const std::string& title) const {
    std::lock_guard lock(mutex_);
    auto it = menus_.find(title);
    return it == menus_.end() ? std::vector<HostMenuItem>{} : it->second;
}

void HeadlessHost::setScreen(HostSize size) {
    std::lock_guard lock(mutex_);
    screen_ = size;
}

void HeadlessHost::setResources(std::string folder) {
    std::lock_guard lock(mutex_);
    resources_ = std::move(folder);
}

void HeadlessHost::setKeyWindow(int window) {
    std::lock_guard lock(mutex_);
    keyWindow_ = window;
}

void HeadlessHost::pushOpenAnswer(std::vector<std::string> paths) {
    std::lock_guard lock(mutex_);
    openAnswers_.push_back(std::move(paths));
}

void HeadlessHost::pushSaveAnswer(std::string path) {
    std::lock_guard lock(mutex_);
    saveAnswers_.push_back(std::move(path));
}

std::vector<OpenPanelRequest> HeadlessHost::openRequests() const {
    std::lock_guard lock(mutex_);
    return openRequests_;
}

void HeadlessHost::clearPanelAnswers() {
    std::lock_guard lock(mutex_);
    openAnswers_.clear();
    saveAnswers_.clear();
}

std::vector<SavePanelRequest> HeadlessHost::saveRequests() const {
    std::lock_guard lock(mutex_);
    return saveRequests_;
}

HeadlessHost::WindowState HeadlessHost::window(int number) const {
    std::lock_guard lock(mutex_);
    if (valid(number)) {
        return windows_[number];
    }
    WindowState missing;
    missing.exists = false;
    return missing;
}

HeadlessHost::TextViewState HeadlessHost::textView(int number) const {
    std::lock_guard lock(mutex_);
    auto it = textViews_.find(number);
    if (it != textViews_.end()) {
        return it->second;
    }
    TextViewState missing;
    missing.exists = false;
    return missing;
}

std::optional<HostImage> HeadlessHost::pasteboardImage() const {
    std::lock_guard lock(mutex_);
    return pasteboardImage_;
}

int HeadlessHost::bells() const {
    std::lock_guard lock(mutex_);
    return bells_;
}

bool HeadlessHost::writeWindowImage(std::uint8_t window, const std::string& path) const {
    if (window >= t_WindowCount || !t_ToolkitReady() || !t_WindowRecord(window).Initialized) {
        return false;
    }
    const t_Window& record = t_WindowRecord(window);
    const std::vector<std::uint8_t> rgb = g_ScreenRGB(window);
    const int width = record.Width;
    const int height = record.Height;
    return g_IsPNGName(path) ? g_WritePNG(path, width, height, rgb) : writeppm(path, width, height, rgb);
}

// --- Host: windows ---

bool HeadlessHost::hasWindow(int window) {
    std::lock_guard lock(mutex_);
    return valid(window) && windows_[window].exists;
}

std::optional<HostRect> HeadlessHost::windowFrame(int window) {
    std::lock_guard lock(mutex_);
    if (!valid(window) || !windows_[window].exists) {
        return std::nullopt;
    }
    return windows_[window].frame;
}

void HeadlessHost::setWindowFrame(int window, HostRect frame, bool display) {
    std::lock_guard lock(mutex_);
    if (valid(window)) {
        windows_[window].frame = frame;
        if (display) {
            ++windows_[window].redrawsNow;
        }
    }
}

void HeadlessHost::setViewFrame(int window, HostRect frame) {
    std::lock_guard lock(mutex_);
    if (valid(window)) {
        windows_[window].viewFrame = frame;
    }
}

void HeadlessHost::setWindowTitle(int window, const std::string& title) {
    std::lock_guard lock(mutex_);
    if (valid(window)) {
        windows_[window].title = title;
    }
}

void HeadlessHost::setWindowTitleVisible(int window, bool visible) {
    std::lock_guard lock(mutex_);
    if (valid(window)) {
        windows_[window].titleVisible = visible;
    }
}

void HeadlessHost::orderFront(int window) {
    std::lock_guard lock(mutex_);
    if (valid(window) && windows_[window].exists) {
        windows_[window].visible = true;
    }
}

void HeadlessHost::orderOut(int window) {
    std::lock_guard lock(mutex_);
    if (valid(window)) {
        windows_[window].visible = false;
        if (keyWindow_ == window) {
            keyWindow_ = 255;
        }
    }
}

bool HeadlessHost::isWindowVisible(int window) {
    std::lock_guard lock(mutex_);
    return valid(window) && windows_[window].visible;
}

void HeadlessHost::makeKeyAndOrderFront(int window) {
    std::lock_guard lock(mutex_);
    if (valid(window) && windows_[window].exists) {
        windows_[window].visible = true;
        keyWindow_ = window;
    }
}

void HeadlessHost::centerWindow(int window) {
    std::lock_guard lock(mutex_);
    if (valid(window)) {
        WindowState& w = windows_[window];
        w.frame.x = (screen_.width - w.frame.width) / 2;
        w.frame.y = (screen_.height - w.frame.height) / 2;
        ++w.centered;
    }
}

void HeadlessHost::setBackgroundColor(int window, HostColor color) {
    std::lock_guard lock(mutex_);
    if (valid(window)) {
        windows_[window].background = color;
    }
}

HostSize HeadlessHost::screenSize(int) {
    std::lock_guard lock(mutex_);
    return screen_;
}

int HeadlessHost::keyWindow() {
    std::lock_guard lock(mutex_);
    return keyWindow_;
}

double HeadlessHost::backingScale(int) {
    return 1;
}

int HeadlessHost::titleBarHeight() {
    return 0;
}

bool HeadlessHost::hasView(int window) {
    std::lock_guard lock(mutex_);
    return window >= 0 && window < 8 && views_[window];
}

void HeadlessHost::redrawView(int window, bool deferred) {
    std::lock_guard lock(mutex_);
    if (valid(window)) {
        ++(deferred ? windows_[window].redrawsDeferred : windows_[window].redrawsNow);
    }
}

// --- Host: menus, pasteboard, text views ---

std::optional<std::vector<HostMenuItem>> HeadlessHost::menuItems(std::string_view menuTitle) {
    std::lock_guard lock(mutex_);
    auto it = menus_.find(menuTitle);
    if (it == menus_.end()) {
        return std::nullopt;
    }
    return it->second;
}

bool HeadlessHost::deleteMenuItem(std::string_view menuTitle, int position) {
    std::lock_guard lock(mutex_);
    auto it = menus_.find(menuTitle);
    if (it == menus_.end() || position < 0 || position >= int(it->second.size())) {
        return false;
    }
    it->second.erase(it->second.begin() + position);
    return true;
}

std::optional<std::string> HeadlessHost::pasteboardText() {
    std::lock_guard lock(mutex_);
    return pasteboardText_;
}

void HeadlessHost::setPasteboardText(const std::string& text) {
    std::lock_guard lock(mutex_);
    pasteboardText_ = text;
    pasteboardImage_.reset();
}

void HeadlessHost::setPasteboardImage(const HostImage& image) {
    std::lock_guard lock(mutex_);
    pasteboardImage_ = image;
    pasteboardText_.reset();
}

bool HeadlessHost::hasTextView(int window) {
    std::lock_guard lock(mutex_);
    auto it = textViews_.find(window);
    return it != textViews_.end() && it->second.exists;
}

std::string HeadlessHost::textViewText(int window) {
    std::lock_guard lock(mutex_);
    auto it = textViews_.find(window);
    return it == textViews_.end() ? std::string{} : it->second.text;
}

void HeadlessHost::setTextViewText(int window, const std::string& text) {
    std::lock_guard lock(mutex_);
    textViews_[window].text = text;
}

void HeadlessHost::setUpTextView(int window) {
    std::lock_guard lock(mutex_);
    TextViewState& view = textViews_[window];
    view.text.clear();
    ++view.setUps;
}

void HeadlessHost::setRulerText(int window, const std::string& text) {
    std::lock_guard lock(mutex_);
    textViews_[window].ruler = text;
}

// --- Host: dialogs and the rest ---

std::vector<std::string> HeadlessHost::openPanel(const OpenPanelRequest& request) {
    std::lock_guard lock(mutex_);
    openRequests_.push_back(request);
    if (openAnswers_.empty()) {
        return {};
    }
    std::vector<std::string> answer = std::move(openAnswers_.front());
    openAnswers_.pop_front();
    return answer;
}

std::string HeadlessHost::savePanel(const SavePanelRequest& request) {
    std::lock_guard lock(mutex_);
    saveRequests_.push_back(request);
    if (saveAnswers_.empty()) {
        return {};
    }
    std::string answer = std::move(saveAnswers_.front());
    saveAnswers_.pop_front();
    return answer;
}

namespace {

// One line per dialog, so that a script can read them line by line.
void writeDialogLine(const std::string& text) {
    std::string line = text;
    for (std::size_t at = line.find('\n'); at != std::string::npos; at = line.find('\n', at)) {
        line.replace(at, 1, " | ");
    }
    std::fprintf(stderr, "dialog: %s\n", line.c_str());
    std::fflush(stderr);
}

}  // namespace

void HeadlessHost::messagePanel(const std::string& text) {
    {
        std::lock_guard lock(mutex_);
        messages_.push_back(text);
    }
    writeDialogLine(text);
}

void HeadlessHost::pushQuestionAnswer(std::string button) {
    std::lock_guard lock(mutex_);
    questionAnswers_.push_back(std::move(button));
}

std::string HeadlessHost::questionPanel(const std::string& text, const std::vector<std::string>& buttons) {
    std::string answer = buttons.empty() ? std::string() : buttons.back();
    {
        std::lock_guard lock(mutex_);
        messages_.push_back(text);
        if (!questionAnswers_.empty()) {
            answer = std::move(questionAnswers_.front());
            questionAnswers_.pop_front();
        }
    }
    writeDialogLine(text);
    return answer;
}

std::optional<std::size_t> HeadlessHost::listPanel(const ListPanelRequest& request) {
    messagePanel(request.title + "\n" + request.message);
    return std::nullopt;
}

std::vector<std::string> HeadlessHost::messages() const {
    std::lock_guard lock(mutex_);
    return messages_;
}

void HeadlessHost::bell() {
    std::lock_guard lock(mutex_);
    ++bells_;
}

std::string HeadlessHost::resourcesFolder() {
    std::lock_guard lock(mutex_);
    return resources_;
}

std::string HeadlessHost::applicationName() {
    return "Zarvik";
}

}  // namespace zarvik
