#include "platform/com/ScopedOleInitialization.h"

#include <ole2.h>

#include "platform/com/ComError.h"

namespace tabora::com {

ScopedOleInitialization::ScopedOleInitialization() {
    ThrowIfFailed(OleInitialize(nullptr));
    HRESULT hr = CoRegisterMessageFilter(&filter_, previous_.Receive());
    if (FAILED(hr)) {
        OleUninitialize();
        throw ErrorFromHresult(hr);
    }
}

ScopedOleInitialization::~ScopedOleInitialization() {
    // COM releases our filter when the earlier one goes back in.
    CoRegisterMessageFilter(previous_.Get(), nullptr);
    previous_.Reset();
    OleUninitialize();
}

}  // namespace tabora::com
