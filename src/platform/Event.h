#pragma once
// A control event with any number of handlers, each connected for the life of a Connection.
//
// Raise calls a snapshot of the handlers, so a handler may connect or disconnect handlers (its
// own included) while the event runs; one that was disconnected before its turn is skipped, and
// one connected meanwhile waits for the next Raise. A handler may even destroy the control that
// owns the event: the rest of the snapshot is then skipped.

#include <cstdint>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace tabora::test {
struct EventProbe;
}

namespace tabora::platform {

class Connection {
public:
    Connection() = default;
    Connection(std::weak_ptr<void> owner, std::function<void()> disconnect)
        : owner_(std::move(owner)), disconnect_(std::move(disconnect)) {}
    Connection(Connection&& other) noexcept { *this = std::move(other); }
    Connection& operator=(Connection&& other) noexcept {
        if (this != &other) {
            Disconnect();
            owner_ = std::move(other.owner_);
            disconnect_ = std::exchange(other.disconnect_, nullptr);
        }
        return *this;
    }
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;
    ~Connection() { Disconnect(); }

    // False once disconnected, or when the event's control is gone.
    bool Connected() const { return disconnect_ != nullptr && !owner_.expired(); }

    void Disconnect() {
        if (disconnect_ && !owner_.expired()) disconnect_();
        disconnect_ = nullptr;
        owner_.reset();
    }

private:
    std::weak_ptr<void> owner_;
    std::function<void()> disconnect_;
};

template <class... Args>
class Event {
public:
    using Handler = std::function<void(Args...)>;

    [[nodiscard]] Connection Connect(Handler handler) {
        const uint64_t id = state_->nextId++;
        state_->slots.push_back({id, std::make_shared<Handler>(std::move(handler))});
        std::weak_ptr<State> weak = state_;
        return Connection(state_, [weak, id] {
            if (auto state = weak.lock()) std::erase_if(state->slots, [id](const Slot& s) { return s.id == id; });
        });
    }

    // For platform layers and test doubles: run every connected handler, in connection order.
    void Raise(Args... args) {
        const std::weak_ptr<State> alive = state_;
        const std::vector<Slot> snapshot = state_->slots;
        for (const Slot& slot : snapshot) {
            const std::shared_ptr<State> state = alive.lock();
            if (!state) return;  // the event went with its control
            if (IsConnected(*state, slot.id)) (*slot.handler)(args...);
        }
    }

private:
    friend struct test::EventProbe;  // tests count the handlers left connected

    struct Slot {
        uint64_t id;
        std::shared_ptr<Handler> handler;
    };
    struct State {
        std::vector<Slot> slots;
        uint64_t nextId = 1;
    };
    static bool IsConnected(const State& state, uint64_t id) {
        for (const Slot& s : state.slots)
            if (s.id == id) return true;
        return false;
    }

    std::shared_ptr<State> state_ = std::make_shared<State>();
};

}  // namespace tabora::platform
