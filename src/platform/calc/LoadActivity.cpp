#include "platform/calc/LoadActivity.h"

#include <atomic>

namespace tabora::calc {
namespace {

using Clock = std::chrono::steady_clock;

std::atomic<int> loadsRunning{0};
std::atomic<Clock::rep> lastLoadEnd{0};

}  // namespace

LoadInProgress::LoadInProgress() { ++loadsRunning; }

LoadInProgress::~LoadInProgress() {
    lastLoadEnd = Clock::now().time_since_epoch().count();
    --loadsRunning;
}

bool LoadsQuietFor(Clock::duration quiet) {
    const auto lastLoad = Clock::time_point(Clock::duration(lastLoadEnd.load()));
    return loadsRunning == 0 && Clock::now() - lastLoad >= quiet;
}

}  // namespace tabora::calc
