#pragma once
// The message boxes of a soak run: each is recorded with its answer, the confirmation of a copy
// and the question whether to save a workbook are answered as the run decides, and every other
// box with its first button, as a user clicking OK would.

#include <cstdint>
#include <deque>
#include <string>
#include <utility>
#include <vector>

#include "platform/MessageBoxService.h"

namespace tabora::soak {

inline constexpr char16_t kConfirmCopy[] = u"以下のSheetを作成しますか？";
inline constexpr char16_t kSaveChangesEnd[] = u"への変更を保存しますか?";

struct SeenBox {
    std::u16string text;
    std::u16string title;
    int16_t answer = 0;
};

class SoakMessageBox : public platform::MessageBoxService {
public:
    // Answers (6 Yes, 7 No) for the next confirmations.
    void AnswerConfirmations(std::deque<int16_t> answers) { answers_ = std::move(answers); }
    // The answer (6 Yes, 7 No, 2 Cancel) to the questions whether to save a workbook.
    void AnswerSaveQuestions(int16_t answer) { saveAnswer_ = answer; }
    int16_t Show(int32_t style, const std::u16string& text, const std::u16string& title) override {
        const int16_t answer = Answer(style, text);
        seen_.push_back({text, title, answer});
        return answer;
    }
    const std::vector<SeenBox>& Seen() const { return seen_; }
    std::vector<SeenBox> TakeSeen() { return std::exchange(seen_, {}); }

private:
    int16_t Answer(int32_t style, const std::u16string& text) {
        if (text == kConfirmCopy && !answers_.empty()) {
            const int16_t answer = answers_.front();
            answers_.pop_front();
            return answer;
        }
        if (text.ends_with(kSaveChangesEnd)) return saveAnswer_;
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

    int16_t saveAnswer_ = 6;
    std::deque<int16_t> answers_;
    std::vector<SeenBox> seen_;
};

}  // namespace tabora::soak
