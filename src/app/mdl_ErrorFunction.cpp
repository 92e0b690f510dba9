#include "app/mdl_ErrorFunction.h"

#include "excel/Conversions.h"
#include "platform/Runtime.h"

namespace tabora::mdl_ErrorFunction {

namespace {
constexpr int32_t kVbErrorStyle = platform::mb::kOkOnly + platform::mb::kCritical;
constexpr char16_t kVbErrorTitle[] = u"VB Error";
}  // namespace

std::u16string VbErrorText(const ErrorRecord& error) {
    return conversions::DecimalText(error.Number) + u" " + error.Description + u"\r" + error.Source;
}

void ShowVbError(ErrorRecord& currentError) {
    platform::MessageBox().Show(kVbErrorStyle, VbErrorText(currentError), kVbErrorTitle);
    currentError.Clear();
}

int16_t ShowMessage(int32_t style, std::u16string message, std::u16string title) {
    return platform::MessageBox().Show(style, message, title);
}

bool ConfirmMessage(int32_t style, std::u16string message, std::u16string title) {
    const int16_t answer = ShowMessage(style, std::move(message), std::move(title));
    return answer == platform::button::kOk || answer == platform::button::kYes;
}

}  // namespace tabora::mdl_ErrorFunction
