#include "platform/win32/UiGuard.h"

#include "app/mdl_ErrorFunction.h"
#include "platform/RuntimeError.h"

namespace tabora::platform::win32 {

void Guarded(const std::function<void()>& handler) noexcept {
    try {
        handler();
    } catch (const RuntimeError& error) {
        ErrorRecord record = error.Record();
        try {
            mdl_ErrorFunction::ShowVbError(record);
        } catch (...) {
        }
    } catch (...) {
        ErrorRecord record = vb_error::Raise(vb_error::kOutOfMemory).Record();
        try {
            mdl_ErrorFunction::ShowVbError(record);
        } catch (...) {
        }
    }
}

}  // namespace tabora::platform::win32
