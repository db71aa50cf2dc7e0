#include "random.h"

#include <chrono>
#include <cmath>

namespace vurp {

std::uint64_t SplitMix64(std::uint64_t &state) {
    state += 0x9E3779B97F4A7C15ULL;
    std::uint64_t z = state;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

ClockRandom::ClockRandom() {
    Reseed();
}

void ClockRandom::Reseed() {
    const auto now = std::chrono::high_resolution_clock::now().time_since_epoch().count();
    std::seed_seq seq{static_cast<std::uint32_t>(now), static_cast<std::uint32_t>(now >> 32),
                      std::random_device{}()};
    engine_.seed(seq);
}

double ClockRandom::Next() {
    // 53 random bits scaled into [0, 1): never 1.
    return static_cast<double>(engine_() >> 11) * 0x1.0p-53;
}

double ScriptedRandom::Next() {
    if (!queue_.empty()) {
        const double value = queue_.front();
        queue_.pop_front();
        return value;
    }
    return static_cast<double>(SplitMix64(state_) >> 11) * 0x1.0p-53;
}

void ScriptedRandom::Seed(std::uint64_t state) {
    state_ = state;
    seeded_ = true;
}

void ScriptedRandom::Push(double value) {
    if (!(value >= 0.0)) {
        value = 0.0;
    }
    if (value >= 1.0) {
        value = std::nextafter(1.0, 0.0);
    }
    queue_.push_back(value);
}

} // namespace vurp
