#include "platform/Runtime.h"

#include "platform/RuntimeError.h"

namespace tabora::platform {

namespace {
Runtime& Installed() {
    static Runtime runtime;  // only the UI thread touches it
    return runtime;
}

template <class T>
T& Require(T* service) {
    if (service == nullptr) throw vb_error::Raise(vb_error::kObjectNotSet);
    return *service;
}
}  // namespace

ScopedRuntime::ScopedRuntime(Runtime runtime) : previous_(Installed()) { Installed() = runtime; }
ScopedRuntime::~ScopedRuntime() { Installed() = previous_; }

MessageBoxService& MessageBox() { return Require(Installed().messageBox); }
EventLoop& Events() { return Require(Installed().events); }
FileSystem& Files() { return Require(Installed().files); }
LegacyTextDecoder& LegacyText() { return Require(Installed().legacyText); }

}  // namespace tabora::platform
