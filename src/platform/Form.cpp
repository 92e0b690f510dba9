// The form lifecycle, the same on every platform.
#include <utility>

#include "platform/Forms.h"
#include "platform/ScopeExit.h"

namespace tabora::platform {

namespace {
constexpr int32_t kCannotChangeWhileMinimized = 384;
}

void Form::RefuseWhileMinimized(bool minimized) {
    if (minimized) {
        throw RuntimeError(kCannotChangeWhileMinimized, u"フォームが最小化または最大化されているときは変更できません。",
                           vb_error::kSource);
    }
}

void Form::SetEnabled(bool enabled) {
    enabled_ = enabled;
    ApplyEnabled();
}

void Form::Load() {
    if (loaded_) return;
    loaded_ = true;
    LoadEvent.Raise();
}

void Form::Show() {
    if (!loaded_) Load();
    if (!loaded_) return;  // the load step unloaded it again
    const bool firstTime = !shown_;
    ShowWindow(firstTime);
    if (!firstTime) return;
    shown_ = true;
    // As on the desktop: the first show sizes the window, then activates it.
    Resize.Raise();
    if (loaded_) Activate.Raise();
}

void Form::ShowModal(Form& owner) {
    if (&owner == this || modalOwner_ != nullptr) throw vb_error::Raise(vb_error::kInvalidProcedureCall);
    modalOwner_ = &owner;
    ++owner.modalChildren_;
    owner.ApplyEnabled();
    // Released by Unload already, before the window goes, so that the owner takes the
    // activation; here on every other way out.
    const ScopeExit release([this] { ReleaseModalOwner(); });
    PrepareModal(owner);
    Show();
    if (loaded_) RunModalLoop();
}

void Form::ReleaseModalOwner() {
    Form* owner = std::exchange(modalOwner_, nullptr);
    if (owner == nullptr) return;
    --owner->modalChildren_;
    owner->ApplyEnabled();
    ModalEnded(*owner);
}

void Form::RunHandler(const std::function<void()>& handler) {
    const std::weak_ptr<Handlers> formAlive = handlers_;
    ++handlers_->running;
    try {
        handler();
    } catch (...) {
        if (!formAlive.expired()) HandlerReturned();
        throw;
    }
    if (!formAlive.expired()) HandlerReturned();
}

void Form::HandlerReturned() {
    if (--handlers_->running > 0 || !std::exchange(handlers_->unloadAsked, false)) return;
    Unload();
}

void Form::Unload() {
    if (!loaded_ || unloading_ || modalChildren_ > 0) return;
    if (handlers_->running > 0) {
        handlers_->unloadAsked = true;
        return;
    }
    {
        const ScopeExit done([this] { unloading_ = false; });
        unloading_ = true;
        UnloadEvent.Raise();
    }
    loaded_ = false;
    shown_ = false;
    ReleaseModalOwner();
    HideWindow();
    EndModalLoop();
}

}  // namespace tabora::platform
