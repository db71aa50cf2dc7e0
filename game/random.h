// The random source: uniform numbers in [0, 1), reseeded from the clock before
// every shuffle and every random decision.
#pragma once

#include <cstdint>
#include <deque>
#include <random>

namespace vurp {

// SplitMix64: advances `state` and returns the next of its well-mixed 64-bit
// numbers. The scripted source draws from it, and so does anything else that
// needs numbers reproducible from a seed.
std::uint64_t SplitMix64(std::uint64_t &state);

class Random {
public:
    virtual ~Random() = default;
    virtual void Reseed() = 0;
    virtual double Next() = 0;
};

// The program's source: a standard generator seeded from the clock.
class ClockRandom final : public Random {
public:
    ClockRandom();
    void Reseed() override;
    double Next() override;

private:
    std::mt19937_64 engine_;
};

// The source of the replay driver and the tests: queued values first, then
// SplitMix64 from a settable state. Reseeding does nothing, so a script is a
// reproducible game.
class ScriptedRandom final : public Random {
public:
    void Reseed() override {}
    double Next() override;
    void Seed(std::uint64_t state);
    // Queues a value; values outside [0, 1) are clamped into it.
    void Push(double value);
    std::size_t Queued() const { return queue_.size(); }
    // The generator's state, and whether it was ever set by Seed.
    std::uint64_t State() const { return state_; }
    bool Seeded() const { return seeded_; }

private:
    std::deque<double> queue_;
    std::uint64_t state_ = 0;
    bool seeded_ = false;
};

} // namespace vurp
