#pragma once

// A random source for code that must not draw at all: every draw is 0, and nothing is recorded.

#include "random.h"

namespace velmora::test {

class NoRandom final : public RandomSource {
public:
    void reseed() override {}
    float next() override { return 0.0f; }
};

} // namespace velmora::test
