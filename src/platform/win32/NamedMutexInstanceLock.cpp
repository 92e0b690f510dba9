#include "platform/win32/Win32Services.h"

#include <sddl.h>

#include <vector>

#include "platform/win32/WideText.h"

namespace tabora::platform::win32 {

namespace {
struct LocalFreer {
    void operator()(void* memory) const { LocalFree(memory); }
};

struct BoundaryDeleter {
    void operator()(HANDLE boundary) const { DeleteBoundaryDescriptor(boundary); }
};
using Boundary = std::unique_ptr<std::remove_pointer_t<HANDLE>, BoundaryDeleter>;

// The user of this process's token. An elevated and a normal start of one user share it.
class UserSid {
public:
    UserSid() {
        HANDLE token = nullptr;
        if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return;
        DWORD size = 0;
        GetTokenInformation(token, TokenUser, nullptr, 0, &size);
        buffer_.resize(size);
        if (size == 0 || !GetTokenInformation(token, TokenUser, buffer_.data(), size, &size)) buffer_.clear();
        CloseHandle(token);
    }

    PSID Get() const {
        return buffer_.empty() ? nullptr : reinterpret_cast<const TOKEN_USER*>(buffer_.data())->User.Sid;
    }

    std::u16string Text() const {
        LPWSTR text = nullptr;
        if (Get() == nullptr || !ConvertSidToStringSidW(Get(), &text)) return {};
        std::unique_ptr<wchar_t, LocalFreer> owner(text);
        return FromWide(text, wcslen(text));
    }

private:
    std::vector<std::byte> buffer_;
};

// Security that lets the user in and nobody else.
class UserOnlySecurity {
public:
    explicit UserOnlySecurity(const std::u16string& sid) {
        const std::u16string sddl = u"D:P(A;;GA;;;" + sid + u")";
        PSECURITY_DESCRIPTOR descriptor = nullptr;
        if (ConvertStringSecurityDescriptorToSecurityDescriptorW(Wide(sddl), SDDL_REVISION_1, &descriptor,
                                                                 nullptr)) {
            descriptor_.reset(descriptor);
        }
        attributes_.lpSecurityDescriptor = descriptor_.get();
    }

    SECURITY_ATTRIBUTES* Get() { return descriptor_ ? &attributes_ : nullptr; }

private:
    std::unique_ptr<void, LocalFreer> descriptor_;
    SECURITY_ATTRIBUTES attributes_{sizeof(SECURITY_ATTRIBUTES), nullptr, FALSE};
};

using PrivateNamespace = std::unique_ptr<std::remove_pointer_t<HANDLE>, PrivateNamespaceCloser>;

struct FoundNamespace {
    PrivateNamespace handle;
    DWORD error = ERROR_SUCCESS;
};

// The program's private namespace bound to the user's SID. Only a process of that user can make
// it, so no other user can take its names first; it is not a session's, so the user's other
// sessions find it too.
FoundNamespace OpenUsersNamespace(const std::u16string& program, PSID user, SECURITY_ATTRIBUTES* security) {
    HANDLE raw = CreateBoundaryDescriptorW(Wide(program), 0);
    if (raw == nullptr) return {{}, ERROR_NOT_SUPPORTED};
    const bool bound = AddSIDToBoundaryDescriptor(&raw, user);  // may move the descriptor
    const Boundary boundary(raw);
    if (!bound) return {{}, ERROR_NOT_SUPPORTED};

    // A start that ends between our two calls takes the namespace with it: then make it again.
    for (int attempt = 0; attempt < 3; ++attempt) {
        if (HANDLE made = CreatePrivateNamespaceW(security, raw, Wide(program)))
            return {PrivateNamespace(made)};
        if (const DWORD error = GetLastError(); error != ERROR_ALREADY_EXISTS) return {{}, error};
        if (HANDLE opened = OpenPrivateNamespaceW(raw, Wide(program))) return {PrivateNamespace(opened)};
        if (const DWORD error = GetLastError(); error == ERROR_ACCESS_DENIED) return {{}, error};
    }
    return {{}, ERROR_NOT_SUPPORTED};
}
}  // namespace

std::u16string CurrentUserSid() { return UserSid().Text(); }

// The namespace itself goes with the last handle to it or to an object in it.
void PrivateNamespaceCloser::operator()(HANDLE handle) const { ClosePrivateNamespace(handle, 0); }

NamedMutexInstanceLock::NamedMutexInstanceLock(std::u16string program) : program_(std::move(program)) {}

NamedMutexInstanceLock::~NamedMutexInstanceLock() {
    if (mutex_ != nullptr) CloseHandle(mutex_);
}

bool NamedMutexInstanceLock::IsAnotherInstanceRunning() {
    if (mutex_ != nullptr) return false;  // this process holds it
    const UserSid user;
    if (user.Get() != nullptr) {
        UserOnlySecurity security(user.Text());
        FoundNamespace found = OpenUsersNamespace(program_, user.Get(), security.Get());
        // Made by a start of the user's that this one may not enter (an elevated one): it runs.
        if (found.error == ERROR_ACCESS_DENIED) return true;
        if (found.handle) {
            const bool running = AnotherHolds(program_ + u"\\Instance", security.Get());
            if (mutex_ != nullptr) namespace_ = std::move(found.handle);
            return running;
        }
    }
    // Without the user's SID, or on a system without private namespaces: the session's own lock.
    return AnotherHolds(u"Local\\" + program_ + u".Instance", nullptr);
}

bool NamedMutexInstanceLock::AnotherHolds(const std::u16string& name, SECURITY_ATTRIBUTES* security) {
    SetLastError(ERROR_SUCCESS);
    HANDLE mutex = CreateMutexW(security, FALSE, Wide(name));
    const DWORD error = GetLastError();
    // A mutex of that name this start may not open is held all the same (by an elevated start).
    if (mutex == nullptr) return error == ERROR_ACCESS_DENIED;
    if (error == ERROR_ALREADY_EXISTS) {
        CloseHandle(mutex);
        return true;
    }
    mutex_ = mutex;
    heldName_ = name;
    return false;
}

}  // namespace tabora::platform::win32
