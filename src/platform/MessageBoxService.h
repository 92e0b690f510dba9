#pragma once
// The modal message box: text, title, and the style word's button set and icon.

#include <cstdint>
#include <string>

namespace tabora::platform {

// The style word, a sum of one value of each group.
namespace mb {
inline constexpr int32_t kOkOnly = 0, kOkCancel = 1, kAbortRetryIgnore = 2, kYesNoCancel = 3, kYesNo = 4,
                         kRetryCancel = 5;
inline constexpr int32_t kCritical = 16, kQuestion = 32, kExclamation = 48, kInformation = 64;
// The style of the wrapper's yes/no confirmations (36).
inline constexpr int32_t kYesNoQuestion = kYesNo + kQuestion;
inline constexpr int32_t kDefaultButton1 = 0, kDefaultButton2 = 256, kDefaultButton3 = 512;
inline constexpr int32_t kButtonsMask = 0x0F, kIconMask = 0xF0, kDefaultMask = 0xF00;
}  // namespace mb

// The button that closed a box.
namespace button {
inline constexpr int16_t kOk = 1, kCancel = 2, kAbort = 3, kRetry = 4, kIgnore = 5, kYes = 6, kNo = 7;
}

class MessageBoxService {
public:
    virtual ~MessageBoxService() = default;
    // Shows one application-modal box; a carriage return in the text starts a new line.
    virtual int16_t Show(int32_t style, const std::u16string& text, const std::u16string& title) = 0;
};

}  // namespace tabora::platform
