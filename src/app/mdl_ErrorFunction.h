#pragma once
// The one place where the program speaks to the user about a failure or asks a question.
// Every report is one modal message box; nothing is logged.

#include <cstdint>
#include <string>

#include "platform/RuntimeError.h"

namespace tabora::mdl_ErrorFunction {

// Shows the error as "<number> <description>\r<source>" in a "VB Error" box (OK, stop icon),
// then clears it.
void ShowVbError(ErrorRecord& currentError);

// Shows message with the style word and title; returns the button code that closed the box.
int16_t ShowMessage(int32_t style, std::u16string message, std::u16string title);

// Shows the question; True when it was answered with OK or Yes.
bool ConfirmMessage(int32_t style, std::u16string message, std::u16string title);

// The text ShowVbError shows for an error.
std::u16string VbErrorText(const ErrorRecord& error);

}  // namespace tabora::mdl_ErrorFunction
