#include "terminal/terminalhost.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <future>

#include "terminal/signals.h"
#include "toolkit/app/menus.h"
#include "toolkit/app/presentation.h"
#include "toolkit/app/printer.h"
#include "toolkit/modifiers.h"
#include "toolkit/screen/window.h"

namespace zarvik::terminal {
namespace {

constexpr int kPasteboardWindow = 8;
constexpr int kPrinterWindow = 9;
constexpr int kConsoleWindow = 10;

// Titles of the text windows until the program names them.
const char* const kTextTitles[3] = {"Zwischenablage", "Drucker", "Systemkonsole"};

// How long the rest of an escape sequence may take to arrive before a lone Escape is the key.
constexpr int kEscapeWaitMs = 40;

// How long the line mode waits for a screen that is still being written to settle.
constexpr int kSettleMs = 50;

// The keys the terminal keeps for itself (named in "Bedienung"): F10 the menus, F2 the next
// window, F5 and F6 take back and redo (Ctrl+Z suspends, as in every terminal program).
constexpr char32_t kMenuKey = functionKeyCharacter(10);
constexpr char32_t kNextWindowKey = functionKeyCharacter(2);
constexpr char32_t kTakeBackKey = functionKeyCharacter(5);
constexpr char32_t kRedoKey = functionKeyCharacter(6);

std::string base64(const std::string& bytes) {
    static constexpr char kDigits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    for (std::size_t i = 0; i < bytes.size(); i += 3) {
        std::uint32_t group = std::uint32_t(static_cast<unsigned char>(bytes[i])) << 16;
        if (i + 1 < bytes.size()) {
            group |= std::uint32_t(static_cast<unsigned char>(bytes[i + 1])) << 8;
        }
        if (i + 2 < bytes.size()) {
            group |= std::uint32_t(static_cast<unsigned char>(bytes[i + 2]));
        }
        out += kDigits[(group >> 18) & 63];
        out += kDigits[(group >> 12) & 63];
        out += i + 1 < bytes.size() ? kDigits[(group >> 6) & 63] : '=';
        out += i + 2 < bytes.size() ? kDigits[group & 63] : '=';
    }
    return out;
}

// The program's texts end lines with carriage returns; everything else in a terminal with line feeds.
std::string withLineFeeds(std::string text) {
    std::replace(text.begin(), text.end(), '\r', '\n');
    return text;
}

}  // namespace

TerminalHost::TerminalHost(Callbacks callbacks, bool lineMode)
    : callbacks_(std::move(callbacks)),
      lineMode_(lineMode),
      menus_(menusOfTable()),
      mainThread_(std::this_thread::get_id()) {
    int ends[2] = {-1, -1};
    if (::pipe2(ends, O_CLOEXEC | O_NONBLOCK) == 0) {
        wakeRead_ = ends[0];
        wakeWrite_ = ends[1];
    }
    for (int n : {kPasteboardWindow, kPrinterWindow, kConsoleWindow}) {
        textViews_[n] = {};
        windows_[std::size_t(n)].title = kTextTitles[n - kPasteboardWindow];
    }
}

TerminalHost::~TerminalHost() {
    stop();
    if (&host() == this) {
        setHost(nullptr);
    }
}

bool TerminalHost::start() {
    rememberTerminalModes();
    signalRead_ = installSignalPipe();
    return wakeRead_ >= 0 && signalRead_ >= 0 && (lineMode_ || screen_.start());
}

void TerminalHost::stop() {
    screen_.stop();
}

int TerminalHost::run() {
    while (!ending_) {
        turn();
    }
    return status_;
}

void TerminalHost::end(int status) {
    status_ = status;
    ending_ = true;
}

void TerminalHost::turn() {
    // Whatever changed is drawn before the loop goes to sleep.
    if (dirty_) {
        render();
    }
    pollfd waits[3] = {{STDIN_FILENO, POLLIN, 0}, {wakeRead_, POLLIN, 0}, {signalRead_, POLLIN, 0}};
    // Asleep until something happens; only a started escape sequence waits a moment for its rest.
    const int wait = !pending_.empty()     ? 0
                     : decoder_.pending()  ? kEscapeWaitMs
                     : lineMode_ && dirty_ ? kSettleMs
                                           : -1;
    const int ready = ::poll(waits, 3, wait);
    std::vector<TerminalInput> inputs;
    if (ready == 0 && decoder_.pending()) {
        inputs = decoder_.flush();
    }
    if (ready > 0 && (waits[2].revents & POLLIN) != 0) {
        while (const int number = takeSignal()) {
            answerSignal(number);
        }
    }
    if (ready > 0 && (waits[0].revents & (POLLIN | POLLHUP | POLLERR)) != 0) {
        char bytes[4096];
        const ssize_t n = ::read(STDIN_FILENO, bytes, sizeof bytes);
        if (n > 0 && lineMode_) {
            answerLines(std::string_view(bytes, std::size_t(n)));
        } else if (n > 0) {
            inputs = decoder_.feed(std::string_view(bytes, std::size_t(n)));
        } else if (n == 0 || (errno != EAGAIN && errno != EINTR)) {
            answerSignal(SIGHUP);  // the terminal went away
        }
    }
    if (ready > 0 && (waits[1].revents & POLLIN) != 0) {
        char drained[64];
        while (::read(wakeRead_, drained, sizeof drained) > 0) {
        }
    }
    runTasks();
    // Keys typed ahead wait in order: a dialogue that one of them opens takes the ones after it.
    pending_.insert(pending_.end(), inputs.begin(), inputs.end());
    while (!pending_.empty() && !ending_ && (dialogues_.empty() || !dialogues_.back()->finished())) {
        const TerminalInput input = pending_.front();
        pending_.pop_front();
        answerInput(input);
    }
}

void TerminalHost::runTasks() {
    for (;;) {
        std::function<void()> task;
        {
            std::lock_guard lock(tasksMutex_);
            if (tasks_.empty()) {
                return;
            }
            task = std::move(tasks_.front());
            tasks_.pop_front();
        }
        task();
    }
}

void TerminalHost::answerSignal(int number) {
    switch (number) {
        case SIGWINCH:
            screen_.resized();
            dirty_ = true;
            break;
        case SIGTSTP:
            // Suspended as the terminal expects; `fg` continues here and draws everything anew.
            screen_.suspend();
            ::kill(::getpid(), SIGSTOP);
            screen_.resume();
            dirty_ = true;
            break;
        case SIGCONT:
            screen_.resume();
            dirty_ = true;
            break;
        default:
            // Ctrl+C, SIGTERM, a dropped connection: the game is kept by its autosave; the terminal
            // is given back by the caller of run().
            end(128 + number);
            break;
    }
}

void TerminalHost::answerInput(const TerminalInput& input) {
    if (input.kind == TerminalInput::Kind::Click) {
        answerClick(input.click);
    } else {
        answerKey(input.key);
    }
}

void TerminalHost::answerKey(const t_HostKeyEvent& key) {
    const char32_t c = key.Characters.empty() ? 0 : key.Characters.front();
    if (!dialogues_.empty()) {
        dialogues_.back()->key(key);
        dirty_ = true;
        return;
    }
    if (menuBar_.isOpen()) {
        const int open = menuBar_.openMenu();
        dirty_ = true;
        if (const std::optional<t_MenuRow> row = menuBar_.key(key)) {
            choose(menus_[std::size_t(open)].title, *row);
        }
        return;
    }
    if (c == kMenuKey) {
        menuBar_.open();
        dirty_ = true;
        return;
    }
    if (c == kNextWindowKey) {
        showNext();
        return;
    }
    const t_MenuCommand wanted = c == kTakeBackKey ? t_MenuCommand::TakeBack
                                 : c == kRedoKey   ? t_MenuCommand::Redo
                                                   : t_MenuCommand::None;
    // Ctrl and a letter: the menu item with that shortcut (Shift cannot be told apart here).
    const bool control = t_HasModifier(key.ModifierFlags, t_ModifierBit::Control) && c >= 1 && c <= 26;
    for (const TerminalMenu& menu : menus_) {
        for (const t_MenuRow& row : menu.rows) {
            const bool byKey = control && row.Key == char('a' + c - 1) &&
                               row.Modifiers == t_ModifierMask(t_ModifierBit::Command);
            if (byKey || (wanted != t_MenuCommand::None && row.Command == wanted)) {
                choose(menu.title, row);
                return;
            }
        }
    }
    viewKeyDown(0, key);
    viewKeyUp();
}

void TerminalHost::answerLines(std::string_view bytes) {
    typed_.append(bytes);
    for (std::size_t end = typed_.find('\n'); end != std::string::npos; end = typed_.find('\n')) {
        const std::string line = typed_.substr(0, end);
        typed_.erase(0, end + 1);
        if (line == "Brett" || line == "brett") {
            for (const std::string& rank : boardLines(screenLines(0))) {
                writeLine(rank);
            }
            continue;
        }
        // A single letter answers a question by itself; a Return after it would answer the next.
        std::u32string keys = scalarsOf(line);
        if (keys.size() != 1) {
            keys.push_back(U'\r');
        }
        for (char32_t c : keys) {
            const t_HostKeyEvent key =
                c == U'\r' ? t_HostKeyEvent{36, U"\r", 0} : t_HostKeyEvent{255, {c}, 0};
            answerKey(key);
        }
    }
}

void TerminalHost::writeNewLines(const std::vector<std::string>& screen) {
    for (const std::string& line : lines_.update(screen)) {
        writeLine(line);
    }
    settling_.clear();
}

void TerminalHost::writeLine(const std::string& text) {
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

void TerminalHost::answerClick(const TerminalClick& click) {
    const int window = shownWindow();
    if (!dialogues_.empty() || menuBar_.isOpen() || window < 0 || window >= t_WindowCount) {
        return;
    }
    if (!click.press) {
        viewMouseUp();
        return;
    }
    const t_Window& w = t_WindowRecord(std::uint8_t(window));
    if (!w.Initialized || w.Font.Width <= 0 || w.Font.Height <= 0) {
        return;
    }
    // The middle of the cell's pixels, measured as a desktop host does: from the bottom left of the
    // window's content, borders included.
    const double x = click.column * w.Font.Width + w.Font.Width / 2.0 + w.BorderWidth;
    const double y = w.BorderHeight + w.Height - (click.row * w.Font.Height + w.Font.Height / 2.0);
    viewMouseDown(std::uint8_t(window), t_HostMouseEvent{click.right ? 2u : 1u, 0}, x, y, click.right);
}

void TerminalHost::choose(const std::string& menu, const t_MenuRow& row) {
    dirty_ = true;
    if (row.Tag == t_MenuTag::Quit) {
        if (callbacks_.quit) {
            callbacks_.quit();
        }
    } else if (row.Tag == t_MenuTag::Manual || row.Tag == t_MenuTag::About) {
        if (callbacks_.help) {
            callbacks_.help(row.Tag);
        }
    } else {
        t_MenuEventHandler(t_HostMenuChoice{menu, t_HostMenuItemOf(row)});
    }
}

void TerminalHost::runDialogue(Dialogue& dialogue) {
    dialogues_.push_back(&dialogue);
    menuBar_.close();
    dirty_ = true;
    if (lineMode_) {
        writeNewLines(screenLines(0));  // what the program wrote comes before the question
        writeLine(dialogue.line());
    }
    while (!dialogue.finished() && !ending_) {
        turn();
    }
    dialogues_.pop_back();
    dirty_ = true;
}

int TerminalHost::shownWindow() const {
    for (auto it = order_.rbegin(); it != order_.rend(); ++it) {
        if (*it <= kConsoleWindow) {
            return *it;
        }
    }
    return -1;
}

// F2: the game, the printer, the system console in turn.
void TerminalHost::showNext() {
    const int shown = shownWindow();
    const int next = shown == kPrinterWindow ? kConsoleWindow : shown == kConsoleWindow ? 0 : kPrinterWindow;
    orderFront(next);
}

void TerminalHost::render() {
    dirty_ = false;
    if (lineMode_) {
        // A line is written once the program waits for input or has stopped writing for a moment,
        // never half printed.
        std::vector<std::string> screen = screenLines(0);
        if (!t_WaitingForInput() && screen != settling_) {
            settling_ = std::move(screen);
            dirty_ = true;
            return;
        }
        writeNewLines(screen);
        return;
    }
    if (screen_.tooSmall()) {
        screen_.drawTooSmall();
        screen_.flush();
        return;
    }
    const int shown = shownWindow();
    if (shown >= 0 && shown < t_WindowCount) {
        screen_.drawWindow(std::uint8_t(shown));
    } else {
        screen_.drawText(shown >= 0 ? windows_[std::size_t(shown)].title : std::string(),
                         shown >= 0 ? textViews_[shown] : std::string());
    }
    if (menuBar_.isOpen()) {
        std::vector<std::string> titles;
        for (const TerminalMenu& menu : menus_) {
            titles.push_back(menu.title);
        }
        std::vector<std::string> items;
        for (const t_MenuRow& row : menus_[std::size_t(menuBar_.openMenu())].rows) {
            items.emplace_back(row.Title);
        }
        screen_.drawMenuBar(titles, menuBar_.openMenu(), items, menuBar_.item());
    }
    for (const Dialogue* dialogue : dialogues_) {
        dialogue->draw(screen_);
    }
    screen_.flush();
}

void TerminalHost::appendConsoleLine(const std::string& line) {
    std::string& text = textViews_[kConsoleWindow];
    text += line;
    text += '\r';
    // The oldest lines go, so that a long session does not grow without end.
    std::size_t lines = std::size_t(std::count(text.begin(), text.end(), '\r'));
    std::size_t cut = 0;
    while (lines > p_ConsoleLineLimit) {
        cut = text.find('\r', cut) + 1;
        --lines;
    }
    text.erase(0, cut);
    dirty_ = dirty_ || shownWindow() == kConsoleWindow;
}

// --- Host: main thread ---

bool TerminalHost::isMainThread() {
    return std::this_thread::get_id() == mainThread_;
}

void TerminalHost::runOnMainThread(std::function<void()> task) {
    if (isMainThread()) {
        task();
        return;
    }
    std::promise<void> done;
    std::future<void> finished = done.get_future();
    postToMainThread([&task, &done] {
        task();
        done.set_value();
    });
    finished.wait();
}

void TerminalHost::postToMainThread(std::function<void()> task) {
    {
        std::lock_guard lock(tasksMutex_);
        tasks_.push_back(std::move(task));
    }
    const char byte = 1;
    [[maybe_unused]] const ssize_t n = ::write(wakeWrite_, &byte, 1);
}

// --- Host: windows ---

bool TerminalHost::hasWindow(int window) {
    return valid(window);
}

std::optional<HostRect> TerminalHost::windowFrame(int window) {
    if (!valid(window)) {
        return std::nullopt;
    }
    return windows_[std::size_t(window)].frame;
}

void TerminalHost::setWindowFrame(int window, HostRect frame, bool) {
    if (valid(window)) {
        windows_[std::size_t(window)].frame = frame;
    }
}

void TerminalHost::setViewFrame(int, HostRect) {}

void TerminalHost::setWindowTitle(int window, const std::string& title) {
    if (valid(window)) {
        windows_[std::size_t(window)].title = title;
        dirty_ = true;
    }
}

void TerminalHost::setWindowTitleVisible(int, bool) {}

void TerminalHost::orderFront(int window) {
    if (!valid(window)) {
        return;
    }
    windows_[std::size_t(window)].visible = true;
    std::erase(order_, window);
    order_.push_back(window);
    dirty_ = true;
}

void TerminalHost::orderOut(int window) {
    if (!valid(window)) {
        return;
    }
    windows_[std::size_t(window)].visible = false;
    std::erase(order_, window);
    dirty_ = true;
}

bool TerminalHost::isWindowVisible(int window) {
    return valid(window) && windows_[std::size_t(window)].visible;
}

void TerminalHost::makeKeyAndOrderFront(int window) {
    orderFront(window);
}

void TerminalHost::centerWindow(int) {}

void TerminalHost::setBackgroundColor(int, HostColor) {}

HostSize TerminalHost::screenSize(int) {
    return HostSize{1920, 1080};
}

int TerminalHost::keyWindow() {
    return order_.empty() ? 255 : order_.back();
}

double TerminalHost::backingScale(int) {
    return 1;
}

int TerminalHost::titleBarHeight() {
    return 0;
}

bool TerminalHost::hasView(int window) {
    return window >= 0 && window < t_WindowCount;
}

void TerminalHost::redrawView(int window, bool) {
    dirty_ = dirty_ || window == shownWindow();
}

// --- Host: menus ---

std::optional<std::vector<HostMenuItem>> TerminalHost::menuItems(std::string_view menuTitle) {
    for (const TerminalMenu& menu : menus_) {
        if (menu.title == menuTitle) {
            std::vector<HostMenuItem> items;
            for (const t_MenuRow& row : menu.rows) {
                items.push_back(t_HostMenuItemOf(row));
            }
            return items;
        }
    }
    return std::nullopt;
}

bool TerminalHost::deleteMenuItem(std::string_view menuTitle, int position) {
    for (TerminalMenu& menu : menus_) {
        if (menu.title == menuTitle && position >= 0 && position < int(menu.rows.size())) {
            menu.rows.erase(menu.rows.begin() + position);
            menuBar_.close();
            return true;
        }
    }
    return false;
}

// --- Host: pasteboard and text views ---

std::optional<std::string> TerminalHost::pasteboardText() {
    return pasteboard_;
}

// The terminal's clipboard is set through OSC 52 where the terminal allows it; the program keeps
// its own copy, since it cannot read the terminal's back.
void TerminalHost::setPasteboardText(const std::string& text) {
    pasteboard_ = text;
    textViews_[kPasteboardWindow] = text;
    if (screen_.started()) {
        screen_.writeRaw("\x1b]52;c;" + base64(withLineFeeds(text)) + "\x07");
    }
}

void TerminalHost::setPasteboardImage(const HostImage&) {
    pasteboard_.reset();
    bell();  // a terminal holds no pictures
}

bool TerminalHost::hasTextView(int window) {
    return textViews_.contains(window);
}

std::string TerminalHost::textViewText(int window) {
    const auto it = textViews_.find(window);
    return it == textViews_.end() ? std::string() : it->second;
}

void TerminalHost::setTextViewText(int window, const std::string& text) {
    if (textViews_.contains(window)) {
        textViews_[window] = text;
        dirty_ = dirty_ || window == shownWindow();
    }
}

void TerminalHost::setUpTextView(int window) {
    setTextViewText(window, {});
}

void TerminalHost::setRulerText(int, const std::string&) {}

// --- Host: dialogues ---

std::vector<std::string> TerminalHost::openPanel(const OpenPanelRequest& request) {
    std::error_code error;
    std::string folder = std::filesystem::current_path(error).string();
    PathPrompt prompt(request.title.empty() ? "Öffnen:" : request.title + ":",
                      folder.empty() ? "" : folder + "/");
    runDialogue(prompt);
    const std::string path = prompt.answer();
    return path.empty() ? std::vector<std::string>{} : std::vector<std::string>{path};
}

std::string TerminalHost::savePanel(const SavePanelRequest& request) {
    std::error_code error;
    const std::string folder = std::filesystem::current_path(error).string();
    PathPrompt prompt(request.nameFieldLabel, (folder.empty() ? "" : folder + "/") + request.proposedName);
    runDialogue(prompt);
    return prompt.answer();
}

void TerminalHost::messagePanel(const std::string& text) {
    QuestionBox box(text, {"OK"});
    runDialogue(box);
}

std::string TerminalHost::questionPanel(const std::string& text, const std::vector<std::string>& buttons) {
    QuestionBox box(text, buttons);
    runDialogue(box);
    // Ended meanwhile (a signal): the cancelling answer.
    return box.finished() || buttons.empty() ? box.answer() : buttons.back();
}

void TerminalHost::bell() {
    if (screen_.started()) {
        screen_.writeRaw("\a");
    }
}

std::string TerminalHost::resourcesFolder() {
    return defaultResourcesFolder();
}

std::string TerminalHost::applicationName() {
    return "Zarvik";
}

}  // namespace zarvik::terminal
