#pragma once
// "On Error" for the windows: run a step, and turn an error it raises into a shown error box
// (or into silence) and a false result.

#include <utility>

#include "app/mdl_ErrorFunction.h"
#include "platform/RuntimeError.h"

namespace tabora {

// Runs body; an error is shown with ShowVbError and gives false.
template <class Body>
bool ShowErrorsOf(Body&& body) {
    try {
        body();
        return true;
    } catch (...) {
        ErrorRecord currentError = vb_error::CurrentError();
        mdl_ErrorFunction::ShowVbError(currentError);
        return false;
    }
}

// For the platform layers, where a native event enters the program: an error that no window
// trapped is shown as ShowErrorsOf shows it, and nothing leaves the handler, as no native event
// loop can take an exception. A box that cannot be shown leaves nothing else to do.
template <class Body>
void ReportErrorsAtEventBoundary(Body&& body) noexcept {
    try {
        ShowErrorsOf(std::forward<Body>(body));
    } catch (...) {
    }
}

// Runs body; an error is cleared without a word and gives false.
template <class Body>
bool IgnoreErrorsOf(Body&& body) {
    try {
        body();
        return true;
    } catch (...) {
        return false;
    }
}

}  // namespace tabora
