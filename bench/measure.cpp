#include "measure.h"

#include <QFile>
#include <algorithm>

namespace velmora::bench {

std::int64_t NowNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

double Median(QList<double> samples)
{
    if (samples.isEmpty())
        return 0;
    std::sort(samples.begin(), samples.end());
    const qsizetype mid = samples.size() / 2;
    return samples.size() % 2 == 1 ? samples[mid] : (samples[mid - 1] + samples[mid]) / 2;
}

qint64 PeakResidentKiB()
{
#ifdef Q_OS_LINUX
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:")) {
            bool ok = false;
            const qint64 kib = line.mid(6).trimmed().split(' ').value(0).toLongLong(&ok);
            return ok ? kib : -1;
        }
    }
    return -1;
#else
    return -1;
#endif
}

double MedianMs(int runs, const std::function<void()> &fn, const std::function<void()> &before)
{
    QList<double> samples;
    for (int i = 0; i < runs; ++i) {
        if (before)
            before();
        const std::int64_t start = NowNs();
        fn();
        samples.append(static_cast<double>(NowNs() - start) / 1e6);
    }
    return Median(samples);
}

QString Ms(double ms)
{
    return QStringLiteral("%1 ms").arg(ms, 0, 'f', ms < 10 ? 2 : 1);
}

QString MiB(qint64 kib)
{
    return kib < 0 ? QStringLiteral("n/a")
                   : QStringLiteral("%1 MiB").arg(static_cast<double>(kib) / 1024, 0, 'f', 1);
}

QString Ratio(double r)
{
    return QStringLiteral("%1").arg(r, 0, 'f', 2);
}

} // namespace velmora::bench
