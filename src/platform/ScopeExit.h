#pragma once
// Runs a callable when the scope ends, on every path out of it: the one way this program puts a
// setting back after "set, do, put back" (alerts, Excel options, a modal owner's enabled state).

#include <type_traits>
#include <utility>

namespace tabora {

template <class F>
class [[nodiscard]] ScopeExit {
public:
    explicit ScopeExit(F f) noexcept(std::is_nothrow_move_constructible_v<F>) : f_(std::move(f)) {}
    ScopeExit(const ScopeExit&) = delete;
    ScopeExit& operator=(const ScopeExit&) = delete;
    ~ScopeExit() {
        if (active_) f_();
    }

    // Keeps the change: the callable will not run.
    void Release() noexcept { active_ = false; }

private:
    F f_;
    bool active_ = true;
};

}  // namespace tabora
