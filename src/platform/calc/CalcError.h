#pragma once
// Errors as the Calc server reports them: Excel-like numbers, the server's words, and the
// source "LibreOffice Calc". Every UNO exception is turned into one of these before it leaves.

#include <cstdint>
#include <string>
#include <utility>

#include "platform/RuntimeError.h"

namespace tabora::calc {

inline constexpr char16_t kCalcSource[] = u"LibreOffice Calc";

enum CalcErrorNumber : int32_t {
    kErrSubscriptOutOfRange = 9,   // no item with that index or name
    kErrTypeMismatch = 13,         // an argument of the wrong type
    kErrObjectRequired = 424,      // an object argument that is not one of ours
    kErrCannotCreate = 429,        // the office could not be started
    kErrMemberNotFound = 438,      // no such property or method
    kErrWrongArguments = 450,      // wrong number of arguments
    kErrServerUnavailable = 462,   // the office process has gone
    kErrRefused = 1004,            // the office refused the operation
};

// The error with the standard description for its number, and detail after it when given.
RuntimeError CalcFailure(int32_t number, std::u16string detail = {});
inline RuntimeError OfficeStartError(std::u16string detail) {
    return CalcFailure(kErrCannotCreate, std::move(detail));
}

}  // namespace tabora::calc
