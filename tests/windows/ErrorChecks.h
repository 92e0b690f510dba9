#pragma once
// Helpers that catch a run-time error and name it readably (UTF-8) in a failure.

#include "platform/com/WindowsSdk.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/RuntimeError.h"

namespace tabora {

inline std::string Utf8(const std::u16string& text) {
    if (text.empty()) return {};
    const auto* wide = reinterpret_cast<const wchar_t*>(text.data());
    const int units = static_cast<int>(text.size());
    std::string bytes(WideCharToMultiByte(CP_UTF8, 0, wide, units, nullptr, 0, nullptr, nullptr), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide, units, bytes.data(), static_cast<int>(bytes.size()), nullptr, nullptr);
    return bytes;
}

namespace test {
// Success for no error; else a failure that names the error.
inline ::testing::AssertionResult NoError(const ErrorRecord& error) {
    if (error.Number == 0) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "error " << error.Number << " \"" << Utf8(error.Description)
                                         << "\" from \"" << Utf8(error.Source) << '"';
}

// The error a call raised; number 0 when it raised none.
template <class Call>
ErrorRecord ErrorOf(Call call) {
    try {
        call();
    } catch (const RuntimeError& error) {
        return error.Record();
    }
    return {};
}
}  // namespace test

// Runs a step; a run-time error it raises fails the test with the error's number and text.
#define EXPECT_NO_ERROR(statement) EXPECT_TRUE(::tabora::test::NoError(::tabora::test::ErrorOf([&] { statement; })))

}  // namespace tabora
