#include "terminal/dialogs.h"

#include <algorithm>
#include <cstdlib>
#include <cwctype>
#include <filesystem>
#include <system_error>

#include "terminal/keydecoder.h"
#include "util/encoding.h"

namespace zarvik::terminal {
namespace {

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines{""};
    for (char c : text) {
        if (c == '\r' || c == '\n') {
            lines.emplace_back();
        } else {
            lines.back() += c;
        }
    }
    return lines;
}

std::string utf8Of(const std::u32string& text) {
    std::string out;
    for (char32_t c : text) {
        utf8append(out, c);
    }
    return out;
}

char32_t folded(char32_t c) {
    return static_cast<char32_t>(std::towlower(static_cast<wint_t>(c)));
}

}  // namespace

QuestionBox::QuestionBox(std::string text, std::vector<std::string> buttons)
    : lines_(linesOf(text)), buttons_(std::move(buttons)), selected_(int(buttons_.size()) - 1) {
    if (buttons_.empty()) {
        buttons_.push_back("OK");
        selected_ = 0;
    }
}

void QuestionBox::key(const t_HostKeyEvent& key) {
    // Keys typed with the answer in one go do not change it.
    if (finished_ || key.Characters.empty()) {
        return;
    }
    const char32_t c = key.Characters.front();
    const int count = int(buttons_.size());
    if (c == 13 || c == U' ') {
        answer_ = buttons_[std::size_t(selected_)];
        finished_ = true;
    } else if (c == 27) {
        answer_ = buttons_.back();
        finished_ = true;
    } else if (c == kLeftKey || c == 25) {
        selected_ = (selected_ + count - 1) % count;
    } else if (c == kRightKey || c == 9) {
        selected_ = (selected_ + 1) % count;
    } else if (c >= 32 && c < 0xF700) {
        for (const std::string& button : buttons_) {
            const std::u32string title = scalarsOf(button);
            if (!title.empty() && folded(title.front()) == folded(c)) {
                answer_ = button;
                finished_ = true;
                return;
            }
        }
    }
}

void QuestionBox::draw(Screen& screen) const {
    screen.drawBox(lines_, buttons_, selected_);
}

std::string QuestionBox::line() const {
    std::string text;
    for (const std::string& part : lines_) {
        if (!part.empty()) {
            text += (text.empty() ? "" : " ") + part;
        }
    }
    for (const std::string& button : buttons_) {
        text += " [" + button + "]";
    }
    return text;
}

PathPrompt::PathPrompt(std::string label, const std::string& start)
    : label_(std::move(label)), text_(scalarsOf(start)), cursor_(text_.size()) {}

void PathPrompt::key(const t_HostKeyEvent& key) {
    if (finished_ || key.Characters.empty()) {
        return;
    }
    const char32_t c = key.Characters.front();
    if (c == 13) {
        finished_ = true;
    } else if (c == 27) {
        cancelled_ = true;
        finished_ = true;
    } else if (c == 9) {
        text_ = scalarsOf(completePath(utf8Of(text_)));
        cursor_ = text_.size();
    } else if (c == 127) {
        if (cursor_ > 0) {
            text_.erase(--cursor_, 1);
        }
    } else if (c == kDeleteKey) {
        if (cursor_ < text_.size()) {
            text_.erase(cursor_, 1);
        }
    } else if (c == kLeftKey) {
        cursor_ = cursor_ > 0 ? cursor_ - 1 : 0;
    } else if (c == kRightKey) {
        cursor_ = std::min(cursor_ + 1, text_.size());
    } else if (c == kHomeKey || c == 1) {
        cursor_ = 0;
    } else if (c == kEndKey || c == 5) {
        cursor_ = text_.size();
    } else if (c >= 32 && (c < 0xF700 || c > 0xF8FF)) {
        text_.insert(cursor_++, 1, c);
    }
}

void PathPrompt::draw(Screen& screen) const {
    screen.drawPromptLine(label_, text_, cursor_);
}

std::string PathPrompt::line() const {
    return label_ + " " + utf8Of(text_);
}

std::string PathPrompt::answer() const {
    if (cancelled_ || text_.empty()) {
        return {};
    }
    std::string path = utf8Of(text_);
    if (path.starts_with("~/")) {
        const char* home = std::getenv("HOME");
        path = std::string(home != nullptr ? home : "") + path.substr(1);
    }
    return std::filesystem::absolute(path).lexically_normal().string();
}

std::string completePath(const std::string& typed) {
    namespace fs = std::filesystem;
    std::string expanded = typed;
    const char* home = std::getenv("HOME");
    const bool tilde = typed.starts_with("~/") && home != nullptr;
    if (tilde) {
        expanded = std::string(home) + typed.substr(1);
    }
    const std::size_t slash = expanded.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : expanded.substr(0, slash + 1);
    const std::string stem = slash == std::string::npos ? expanded : expanded.substr(slash + 1);
    std::vector<std::string> matches;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        const std::string name = it->path().filename().string();
        if (name.starts_with(stem) && (!name.starts_with('.') || stem.starts_with('.'))) {
            matches.push_back(it->is_directory(error) ? name + "/" : name);
        }
    }
    if (matches.empty()) {
        return typed;
    }
    std::string common = matches.front();
    for (const std::string& name : matches) {
        std::size_t same = 0;
        while (same < common.size() && same < name.size() && common[same] == name[same]) {
            ++same;
        }
        common.resize(same);
    }
    // A cut inside a UTF-8 character would leave half a letter: back off to its start.
    std::size_t lead = common.size();
    while (lead > 0 && (static_cast<unsigned char>(common[lead - 1]) & 0xC0) == 0x80) {
        --lead;
    }
    if (lead > 0) {
        const auto first = static_cast<unsigned char>(common[lead - 1]);
        const std::size_t length = first >= 0xF0 ? 4 : first >= 0xE0 ? 3 : first >= 0xC0 ? 2 : 1;
        if (common.size() - (lead - 1) < length) {
            common.resize(lead - 1);
        }
    }
    if (common.size() <= stem.size()) {
        return typed;
    }
    const std::string head = slash == std::string::npos ? "" : typed.substr(0, typed.size() - stem.size());
    return head + common;
}

}  // namespace zarvik::terminal
