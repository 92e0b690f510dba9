#include "LocalTestServer.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/com/ComAutomationServer.h"
#include "platform/com/WindowsSdk.h"

namespace tabora::test {

namespace {
void SetDefault(HKEY root, const std::wstring& path, const std::wstring& value) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(root, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegSetValueExW(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
}

std::wstring ServerPath() {
    wchar_t self[MAX_PATH];
    std::wstring path(self, GetModuleFileNameW(nullptr, self, MAX_PATH));
    return path.substr(0, path.find_last_of(L"\\/") + 1) + L"tabora_test_server.exe";
}
}  // namespace

void RegisterTestServer(const TestServerClass& test) {
    SetDefault(HKEY_CLASSES_ROOT, std::wstring(test.progId) + L"\\CLSID", test.clsid);
    SetDefault(HKEY_CLASSES_ROOT, std::wstring(L"CLSID\\") + test.clsid + L"\\LocalServer32",
               L"\"" + ServerPath() + L"\" " + test.clsid);
}

ObjectRef CreateTestServer(const TestServerClass& test) {
    return com::ComAutomationServer(reinterpret_cast<const char16_t*>(test.progId)).CreateApplication();
}

}  // namespace tabora::test
