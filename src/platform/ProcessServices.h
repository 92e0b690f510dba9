#pragma once
// Process services: the single-instance test and the file dialog used where the automation
// server offers none of its own.

#include <optional>
#include <string>

namespace tabora::platform {

class InstanceLock {
public:
    virtual ~InstanceLock() = default;
    // True when another instance of this program runs for the same user. The first caller
    // keeps the lock until its process ends, crash included.
    virtual bool IsAnotherInstanceRunning() = 0;
};

class FileDialog {
public:
    virtual ~FileDialog() = default;
    // filter as "description, pattern"; the chosen file's full path, or nothing on cancel.
    virtual std::optional<std::u16string> OpenFileName(const std::u16string& filter,
                                                       const std::u16string& title) = 0;
};

}  // namespace tabora::platform
