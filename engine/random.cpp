#include "random.h"

#include <chrono>

namespace velmora {

ClockRandomSource::ClockRandomSource()
{
    reseed();
}

void ClockRandomSource::reseed()
{
    const auto ticks =
        static_cast<std::uint64_t>(std::chrono::high_resolution_clock::now().time_since_epoch().count());
    ++m_reseeds;
    std::seed_seq seq{static_cast<std::uint32_t>(ticks), static_cast<std::uint32_t>(ticks >> 32),
                      static_cast<std::uint32_t>(m_reseeds), static_cast<std::uint32_t>(m_reseeds >> 32)};
    m_engine.seed(seq);
}

void ClockRandomSource::seed(std::uint64_t value)
{
    std::seed_seq seq{static_cast<std::uint32_t>(value), static_cast<std::uint32_t>(value >> 32)};
    m_engine.seed(seq);
}

float ClockRandomSource::next()
{
    // The top 24 bits give every single-precision value k / 2^24 in [0, 1) with equal weight; unlike
    // generate_canonical<float> this can never round up to 1.
    return static_cast<float>(m_engine() >> 8) * 0x1p-24f;
}

} // namespace velmora
