#pragma once
// Our own local automation server (tabora_test_server.exe, beside the test program), registered
// under HKEY_CLASSES_ROOT for a class of its own, which COM starts in a process of its own as it
// starts Excel: every call crosses a process boundary.

#include "excel/Automation.h"

namespace tabora::test {

struct TestServerClass {
    const wchar_t* progId;
    const wchar_t* clsid;
};
inline constexpr TestServerClass kTestServer{L"Tabora.TestServer", L"{6C1E0A52-6F0B-4E39-9B7E-2F3D6A1C9E50}"};
// A class of its own for the window tests, whose slow calls hold up no other test's server.
inline constexpr TestServerClass kWindowTestServer{L"Tabora.WindowTestServer",
                                                   L"{6C1E0A52-6F0B-4E39-9B7E-2F3D6A1C9E52}"};

// ProgID and class, the server told which class to serve.
void RegisterTestServer(const TestServerClass& test);
// A new application object of the class's server.
ObjectRef CreateTestServer(const TestServerClass& test);

}  // namespace tabora::test
