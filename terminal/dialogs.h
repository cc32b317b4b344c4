#pragma once
// The dialogues of the terminal, each answered by keys while it lies over the screen: a box with
// a text and buttons (messages, questions), and a line of its own asking for a file's path, with
// Tab completing the file name.
#include <string>
#include <vector>

#include "terminal/screen.h"
#include "toolkit/app/events.h"

namespace zarvik::terminal {

class Dialogue {
  public:
    virtual ~Dialogue() = default;
    virtual void key(const t_HostKeyEvent& key) = 0;
    virtual void draw(Screen& screen) const = 0;
    // The dialogue as one line of plain text, for the line mode.
    virtual std::string line() const = 0;
    bool finished() const { return finished_; }

  protected:
    bool finished_ = false;
};

// The buttons in order; the last one cancels and is marked at first, so that Return and Escape
// keep things as they are. A button's first letter chooses it; arrows and Tab move the mark.
class QuestionBox final : public Dialogue {
  public:
    QuestionBox(std::string text, std::vector<std::string> buttons);
    void key(const t_HostKeyEvent& key) override;
    void draw(Screen& screen) const override;
    std::string line() const override;
    const std::string& answer() const { return answer_; }

  private:
    std::vector<std::string> lines_;
    std::vector<std::string> buttons_;
    int selected_;
    std::string answer_;
};

class PathPrompt final : public Dialogue {
  public:
    PathPrompt(std::string label, const std::string& start);
    void key(const t_HostKeyEvent& key) override;
    void draw(Screen& screen) const override;
    std::string line() const override;
    // The path typed, empty when cancelled.
    std::string answer() const;

  private:
    std::string label_;
    std::u32string text_;
    std::size_t cursor_;
    bool cancelled_ = false;
};

// Completes the last part of a typed path from the names in its folder: as far as all names that
// begin with it agree, with "/" after a folder that is the only match. "~/" stands for $HOME.
std::string completePath(const std::string& typed);

}  // namespace zarvik::terminal
