#pragma once
// A message-box service that records every box and answers from a script.

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "platform/MessageBoxService.h"

namespace tabora::test {

struct ShownBox {
    int32_t style;
    std::u16string text;
    std::u16string title;
};

class ScriptedMessageBox : public platform::MessageBoxService {
public:
    // Answers to give, in order. With the script used up, a box is answered with its first
    // button (OK, Abort, Yes or Retry).
    void Answer(int16_t button) { script_.push_back(button); }
    // What happens while the next box is open, before it is answered: the events its own
    // message loop runs.
    void WhileNextIsOpen(std::function<void()> action) { whileOpen_.push_back(std::move(action)); }

    int16_t Show(int32_t style, const std::u16string& text, const std::u16string& title) override;

    const std::vector<ShownBox>& Shown() const { return shown_; }
    void ClearShown() { shown_.clear(); }

private:
    std::deque<int16_t> script_;
    std::deque<std::function<void()>> whileOpen_;
    std::vector<ShownBox> shown_;
};

}  // namespace tabora::test
