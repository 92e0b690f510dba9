#pragma once
// The record of a run-time error and the exception that carries it.
//
// The program's procedures trap errors where they arise: a failing call throws RuntimeError,
// the handler catches it, and the record goes to ShowVbError or is dropped. Errors from the
// automation server travel the same way, with the server's own number, description and source.

#include <cstdint>
#include <exception>
#include <string>
#include <utility>

namespace tabora {

struct ErrorRecord {
    int32_t Number = 0;  // 0 means "no error"
    std::u16string Description;
    std::u16string Source;

    void Clear() {
        Number = 0;
        Description.clear();
        Source.clear();
    }
    friend bool operator==(const ErrorRecord&, const ErrorRecord&) = default;
};

class RuntimeError : public std::exception {
public:
    explicit RuntimeError(ErrorRecord record) : record_(std::move(record)) {}
    RuntimeError(int32_t number, std::u16string description, std::u16string source)
        : record_{number, std::move(description), std::move(source)} {}

    const ErrorRecord& Record() const noexcept { return record_; }
    int32_t Number() const noexcept { return record_.Number; }
    const char* what() const noexcept override { return "tabora::RuntimeError"; }

private:
    ErrorRecord record_;
};

// The program's own run-time errors, numbered as Visual Basic numbers them.
namespace vb_error {
inline constexpr char16_t kSource[] = u"Tabora";

enum Number : int32_t {
    kInvalidProcedureCall = 5,
    kOverflow = 6,
    kOutOfMemory = 7,
    kSubscriptOutOfRange = 9,
    kTypeMismatch = 13,
    kBadFileNameOrNumber = 52,
    kFileNotFound = 53,
    kDeviceIoError = 57,
    kPermissionDenied = 70,
    kPathNotFound = 76,
    kObjectNotSet = 91,
    kObjectRequired = 424,
    kCannotCreateObject = 429,
    kNoAutomationInterface = 430,
    kMemberNotFound = 438,
    kActionNotSupported = 445,
    kNamedArgumentNotFound = 448,
    kArgumentNotOptional = 449,
    kWrongArgumentCount = 450,
    kServerUnavailable = 462,
    kApplicationDefined = 1004,
    // An automation error keeps its HRESULT as its number: RPC_E_DISCONNECTED, the server has
    // cut its objects off (the user closed Excel).
    kObjectDisconnected = -2147417848,
};

// The error in flight, as a record; call only inside a catch block. Errors that are not the
// program's run-time errors become the nearest one (out of memory, invalid procedure call).
ErrorRecord CurrentError();

// The one table of the program's error texts: the Japanese description of one of the numbers
// above, as Visual Basic shows it (empty for others).
std::u16string Description(int32_t number);

// The error as the program raises it: number, its description, source "Tabora".
inline RuntimeError Raise(int32_t number) { return RuntimeError(number, Description(number), kSource); }
}  // namespace vb_error

}  // namespace tabora
