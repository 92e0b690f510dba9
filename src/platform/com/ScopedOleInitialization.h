#pragma once
// OLE on the user-interface thread for the life of this object: a single-threaded apartment
// (with drag and drop and the clipboard), and the busy-server message filter in place of any
// earlier one. Both are undone in reverse order on destruction.

#include "platform/com/WindowsSdk.h"
#include <objidl.h>

#include "platform/com/BusyServerMessageFilter.h"
#include "platform/com/ComPtr.h"

namespace tabora::com {

class ScopedOleInitialization {
public:
    // Raises the failure (for example a thread already in the multithreaded apartment).
    ScopedOleInitialization();
    ~ScopedOleInitialization();
    ScopedOleInitialization(const ScopedOleInitialization&) = delete;
    ScopedOleInitialization& operator=(const ScopedOleInitialization&) = delete;

    const BusyServerMessageFilter& Filter() const { return filter_; }

private:
    BusyServerMessageFilter filter_;
    ComPtr<IMessageFilter> previous_;
};

}  // namespace tabora::com
