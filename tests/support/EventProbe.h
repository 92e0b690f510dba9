#pragma once
// For tests: how many handlers an event still has connected.

#include <cstddef>

#include "platform/Event.h"

namespace tabora::test {

struct EventProbe {
    template <class... Args>
    static size_t HandlerCount(const platform::Event<Args...>& event) {
        return event.state_->slots.size();
    }
};

}  // namespace tabora::test
