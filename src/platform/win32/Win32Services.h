#pragma once
// The run-time services on Windows: the message box, the yield to the message loop, the file
// system, the ANSI code page, and the single-instance test.

#include <memory>

#include "platform/EventLoop.h"
#include "platform/FileSystem.h"
#include "platform/LegacyTextDecoder.h"
#include "platform/MessageBoxService.h"
#include "platform/ProcessServices.h"
#include "platform/com/WindowsSdk.h"

namespace tabora::platform::win32 {

// MessageBoxW, modal to every window of this thread: the style word's values are Windows' own
// (button set, icon, default button), and so are the button codes it returns.
class Win32MessageBox : public MessageBoxService {
public:
    int16_t Show(int32_t style, const std::u16string& text, const std::u16string& title) override;
};

class Win32EventLoop : public EventLoop {
public:
    void DoEvents() override;
};

// Files by GetFileAttributesW and CreateFileW; names are taken as they are, no wildcards.
class Win32FileSystem : public FileSystem {
public:
    bool IsOrdinaryFile(const std::u16string& path) override;
    // GetFullPathNameW: a drive-relative or rooted path takes the drive or folder it lacks.
    std::u16string AbsolutePath(const std::u16string& path) override;
    std::unique_ptr<ByteReader> OpenForReading(const std::u16string& path) override;
};

// The system's ANSI code page (932, Shift_JIS, on the systems the tool is made for).
class AnsiCodePageDecoder : public LegacyTextDecoder {
public:
    std::unique_ptr<TextDecoding> StartDecoding() override;
    std::unique_ptr<TextDecoding> StartFallbackDecoding() override;
};

// A decoding of any Windows code page (932 is Shift_JIS).
std::unique_ptr<TextDecoding> StartCodePageDecoding(unsigned codePage);

struct PrivateNamespaceCloser {
    void operator()(HANDLE handle) const;
};

// A named mutex per user, held until the process ends. It lives in a private namespace bound to
// the user's SID, which only the user's own processes can make: no other user can take its name
// first, and the user's other sessions see it. A mutex that this start may not open (an elevated
// start's) counts as held. Where the SID cannot be read or the system has no private namespaces,
// the lock is the session's own.
class NamedMutexInstanceLock : public InstanceLock {
public:
    explicit NamedMutexInstanceLock(std::u16string program = u"Tabora");
    ~NamedMutexInstanceLock() override;
    NamedMutexInstanceLock(const NamedMutexInstanceLock&) = delete;
    NamedMutexInstanceLock& operator=(const NamedMutexInstanceLock&) = delete;

    bool IsAnotherInstanceRunning() override;
    // The name of the mutex the lock holds (empty until it holds one), for tests.
    const std::u16string& HeldName() const { return heldName_; }

private:
    // Takes the mutex of that name unless another start holds it; true when one does.
    bool AnotherHolds(const std::u16string& name, SECURITY_ATTRIBUTES* security);

    std::u16string program_;
    std::u16string heldName_;
    std::unique_ptr<std::remove_pointer_t<HANDLE>, PrivateNamespaceCloser> namespace_;
    HANDLE mutex_ = nullptr;
};

// The current user's SID as text ("S-1-5-21-..."); empty when it cannot be read.
std::u16string CurrentUserSid();

}  // namespace tabora::platform::win32
