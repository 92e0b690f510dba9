#pragma once
// Errors as the Calc server reports them: Excel-like numbers, the server's words, and the
// source "LibreOffice Calc". Every UNO exception is turned into one of these before it leaves.

#include <cstdint>
#include <string>
#include <utility>

#include "platform/RuntimeError.h"

namespace tabora::calc {

inline constexpr char16_t kCalcSource[] = u"LibreOffice Calc";

// The numbers of the program's table, under the names the server's code uses them by.
enum CalcErrorNumber : int32_t {
    kErrOverflow = vb_error::kOverflow,                        // a number too large for its argument
    kErrSubscriptOutOfRange = vb_error::kSubscriptOutOfRange,  // no item with that index or name
    kErrTypeMismatch = vb_error::kTypeMismatch,                // an argument of the wrong type
    kErrObjectRequired = vb_error::kObjectRequired,            // an object argument that is not one of ours
    kErrCannotCreate = vb_error::kCannotCreateObject,          // the office could not be started
    kErrMemberNotFound = vb_error::kMemberNotFound,            // no such property or method
    kErrWrongArguments = vb_error::kWrongArgumentCount,        // wrong number of arguments
    kErrServerUnavailable = vb_error::kServerUnavailable,      // the office process has gone
    kErrRefused = vb_error::kApplicationDefined,               // the office refused the operation
};

// The error with the program's description for its number (vb_error::Description), and detail
// after it when given.
RuntimeError CalcFailure(int32_t number, std::u16string detail = {});
// The office refused, in Excel's words (excel/model/Messages.h).
inline RuntimeError Refused(std::u16string text) { return RuntimeError(kErrRefused, std::move(text), kCalcSource); }
inline RuntimeError OfficeStartError(std::u16string detail) {
    return CalcFailure(kErrCannotCreate, std::move(detail));
}

}  // namespace tabora::calc
