#pragma once
// The message boxes of a soak run: each is recorded, the confirmation of a copy is answered as
// the run decides, and every other box with its first button, as a user clicking OK would.

#include <cstdint>
#include <deque>
#include <string>
#include <utility>
#include <vector>

#include "platform/MessageBoxService.h"

namespace tabora::soak {

inline constexpr char16_t kConfirmCopy[] = u"以下のSheetを作成しますか？";

struct SeenBox {
    std::u16string text;
    std::u16string title;
};

class SoakMessageBox : public platform::MessageBoxService {
public:
    // Answers (6 Yes, 7 No) for the next confirmations.
    void AnswerConfirmations(std::deque<int16_t> answers) { answers_ = std::move(answers); }
    int16_t Show(int32_t style, const std::u16string& text, const std::u16string& title) override {
        seen_.push_back({text, title});
        if (text == kConfirmCopy && !answers_.empty()) {
            const int16_t answer = answers_.front();
            answers_.pop_front();
            return answer;
        }
        switch (style & 7) {
            case 2:
                return 3;  // Abort
            case 3:
            case 4:
                return 6;  // Yes
            case 5:
                return 4;  // Retry
            default:
                return 1;  // OK
        }
    }
    const std::vector<SeenBox>& Seen() const { return seen_; }
    std::vector<SeenBox> TakeSeen() { return std::exchange(seen_, {}); }

private:
    std::deque<int16_t> answers_;
    std::vector<SeenBox> seen_;
};

}  // namespace tabora::soak
