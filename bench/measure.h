#pragma once

// What the benchmarks share: a monotonic clock that separate processes can compare, medians, the peak
// resident memory of this process, and the rows of the one table they print.
//
// The start-up benchmark (startup.h) runs the window and a bare window in child processes and reads their
// first-paint times and memory; the operations benchmark (operations.h) drives a real window in this
// process. Both hand back rows; main.cpp prints them as one table.

#include <QList>
#include <QString>
#include <chrono>
#include <cstdint>
#include <functional>

namespace velmora::bench {

// Nanoseconds of the steady clock. On Linux and Windows it counts from a system-wide origin, so a time
// taken in a child process can be set against one taken in its parent.
std::int64_t NowNs();

// Median of the samples (the mean of the middle two for an even count); 0 for none.
double Median(QList<double> samples);

// Peak resident memory of this process in KiB (VmHWM), or -1 where the platform does not report it.
qint64 PeakResidentKiB();

// Runs fn runs times and returns the median of its durations in milliseconds. before runs ahead of each
// timed call, outside the timing.
double MedianMs(int runs, const std::function<void()> &fn, const std::function<void()> &before = {});

struct Row {
    QString measure;
    QString value;     // Velmora's figure
    QString reference; // the reference measured in the same run
    QString ratio;     // value against reference
    QString target;
    QString verdict; // "yes", "no", or "-" where there is no target to meet
};

QString Ms(double ms);
QString MiB(qint64 kib);
QString Ratio(double r);

} // namespace velmora::bench
