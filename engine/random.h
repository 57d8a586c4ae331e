#pragma once

#include <cstdint>
#include <random>

namespace velmora {

// A uniform source of single-precision values in [0, 1). Every drawing starts by re-seeding it, so tests
// substitute a scripted source and the program uses the clock-seeded one below.
class RandomSource {
public:
    virtual ~RandomSource() = default;
    virtual void reseed() = 0;
    virtual float next() = 0;
};

// Seeded from a high-resolution clock at every re-seed. A re-seed counter is mixed in as well, so two
// re-seeds within the same clock tick still give different sequences.
class ClockRandomSource final : public RandomSource {
public:
    ClockRandomSource();
    void reseed() override;
    float next() override;

    // Seeds with a fixed value; used by tests that need a real generator with a known sequence.
    void seed(std::uint64_t value);

private:
    std::mt19937 m_engine;
    std::uint64_t m_reseeds = 0;
};

} // namespace velmora
