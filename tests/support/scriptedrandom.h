#pragma once

// A random source that returns a scripted sequence of draws and records when it is re-seeded, so a test
// can state exactly which values each drawing consumes.

#include "random.h"

#include <QList>
#include <QStringList>

namespace velmora::test {

class ScriptedRandom final : public RandomSource {
public:
    QList<float> draws;
    qsizetype position = 0;
    QStringList log; // "seed" and "draw" events in order
    bool exhausted = false;

    void script(QList<float> values)
    {
        draws = std::move(values);
        position = 0;
    }

    void reseed() override { log.append(QStringLiteral("seed")); }

    float next() override
    {
        log.append(QStringLiteral("draw"));
        if (position >= draws.size()) {
            // Running out means the code drew more often than the test expects. The flag is what the test
            // checks; sweeping [0, 1) meanwhile lets any redraw loop find a free index and end.
            exhausted = true;
            return static_cast<float>(m_sweep++ % 1024) / 1024.0f;
        }
        return draws.at(position++);
    }

    qsizetype remaining() const { return draws.size() - position; }

private:
    unsigned m_sweep = 0;
};

} // namespace velmora::test
