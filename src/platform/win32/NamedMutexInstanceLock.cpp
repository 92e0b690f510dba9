#include "platform/win32/Win32Services.h"

#include <sddl.h>

#include <vector>

#include "platform/win32/WideText.h"

namespace tabora::platform::win32 {

std::u16string CurrentUserSid() {
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return {};
    DWORD size = 0;
    GetTokenInformation(token, TokenUser, nullptr, 0, &size);
    std::vector<std::byte> buffer(size);
    std::u16string text;
    if (size > 0 && GetTokenInformation(token, TokenUser, buffer.data(), size, &size)) {
        LPWSTR sid = nullptr;
        if (ConvertSidToStringSidW(reinterpret_cast<TOKEN_USER*>(buffer.data())->User.Sid, &sid)) {
            text = FromWide(sid, wcslen(sid));
            LocalFree(sid);
        }
    }
    CloseHandle(token);
    return text;
}

NamedMutexInstanceLock::NamedMutexInstanceLock(std::u16string program)
    : name_(std::move(program) + u".Instance." + CurrentUserSid()) {}

NamedMutexInstanceLock::~NamedMutexInstanceLock() {
    if (mutex_ != nullptr) CloseHandle(mutex_);
}

bool NamedMutexInstanceLock::IsAnotherInstanceRunning() {
    if (mutex_ != nullptr) return false;  // this process holds it
    constexpr const char16_t* kGlobal = u"Global\\";
    for (const char16_t* scope : {kGlobal, u"Local\\"}) {
        const std::u16string name = scope + name_;
        SetLastError(ERROR_SUCCESS);
        HANDLE mutex = CreateMutexW(nullptr, FALSE, Wide(name));
        const DWORD error = GetLastError();
        if (mutex == nullptr) {
            if (error == ERROR_ACCESS_DENIED && scope == kGlobal) continue;
            // A session's mutex of that name that may not be opened is held all the same.
            return error == ERROR_ACCESS_DENIED;
        }
        if (error == ERROR_ALREADY_EXISTS) {
            CloseHandle(mutex);
            return true;
        }
        mutex_ = mutex;
        heldName_ = name;
        return false;
    }
    return false;
}

}  // namespace tabora::platform::win32
