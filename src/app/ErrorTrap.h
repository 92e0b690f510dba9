#pragma once
// "On Error" for the windows: run a step, and turn an error it raises into a shown error box
// (or into silence) and a false result.

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
