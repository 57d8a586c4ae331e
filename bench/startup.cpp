#include "startup.h"

#include "velmorawindow.h"

#include <QApplication>
#include <QProcess>
#include <QTimer>
#include <cstdio>
#include <memory>

namespace velmora::bench {

namespace {

// The bare window's size: the Velmora window's client area, 552 x 368 pixels.
constexpr QSize BareSize(552, 368);

// Notes the end of the first frame: the top-level widget's first paint event comes first, then the rest of
// the window paints and the frame is flushed, all before the event loop takes the zero-time timer.
class FirstFrame final : public QObject {
public:
    explicit FirstFrame(QWidget *window) : QObject(window)
    {
        m_done.setSingleShot(true);
        connect(&m_done, &QTimer::timeout, this, [] {
            const std::int64_t painted = NowNs();
            std::printf("painted %lld %lld\n", static_cast<long long>(painted),
                        static_cast<long long>(PeakResidentKiB()));
            std::fflush(stdout);
            QCoreApplication::exit(0);
        });
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && !m_done.isActive() && !m_seen) {
            m_seen = true;
            m_done.start(0);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QTimer m_done;
    bool m_seen = false;
};

struct ChildResult {
    bool ok = false;
    double ms = 0;
    qint64 kib = -1;
};

ChildResult RunChild(const QString &program, const QString &platform, const QString &kind)
{
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), platform);
    child.setProcessEnvironment(env);
    child.setProgram(program);
    child.setArguments({QStringLiteral("startup-child"), kind});
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);

    const std::int64_t started = NowNs();
    child.start();
    if (!child.waitForFinished(30000) || child.exitStatus() != QProcess::NormalExit ||
        child.exitCode() != 0) {
        child.kill();
        child.waitForFinished();
        return {};
    }
    const QList<QByteArray> words = child.readAllStandardOutput().trimmed().split(' ');
    if (words.size() != 3 || words[0] != "painted")
        return {};
    ChildResult result;
    result.ok = true;
    result.ms = static_cast<double>(words[1].toLongLong() - started) / 1e6;
    result.kib = words[2].toLongLong();
    return result;
}

} // namespace

int RunStartupChild(int &argc, char **argv, const QString &kind)
{
    QApplication app(argc, argv);
    std::unique_ptr<QWidget> window;
    if (kind == QLatin1String("window")) {
        // As the program's main() does.
        QApplication::setApplicationName(QStringLiteral("Velmora"));
        QApplication::setApplicationDisplayName(QStringLiteral("Ostrel Velmora v2.1"));
        window = std::make_unique<VelmoraWindow>();
    } else if (kind == QLatin1String("bare")) {
        window = std::make_unique<QWidget>(nullptr, Qt::FramelessWindowHint);
        window->setFixedSize(BareSize);
    } else {
        std::fprintf(stderr, "startup-child: unknown kind %s\n", qPrintable(kind));
        return 2;
    }
    new FirstFrame(window.get());
    window->show();
    return QApplication::exec();
}

QList<Row> MeasureStartup(const QString &program, const QString &platform, int runs)
{
    QList<double> windowMs, bareMs, windowKiB, bareKiB;
    // One unmeasured start of each first, so both find the libraries in the page cache.
    const bool warm = RunChild(program, platform, QStringLiteral("window")).ok &&
                      RunChild(program, platform, QStringLiteral("bare")).ok;
    if (!warm) {
        std::fprintf(stderr, "bench: the start-up children do not start on platform %s\n",
                     qPrintable(platform));
        return {};
    }
    for (int i = 0; i < runs; ++i) {
        const QStringList order = i % 2 == 0 ? QStringList{QStringLiteral("window"), QStringLiteral("bare")}
                                             : QStringList{QStringLiteral("bare"), QStringLiteral("window")};
        for (const QString &kind : order) {
            const ChildResult r = RunChild(program, platform, kind);
            if (!r.ok) {
                std::fprintf(stderr, "bench: a %s start on %s failed\n", qPrintable(kind),
                             qPrintable(platform));
                continue;
            }
            (kind == QLatin1String("window") ? windowMs : bareMs).append(r.ms);
            (kind == QLatin1String("window") ? windowKiB : bareKiB).append(static_cast<double>(r.kib));
        }
    }

    const double wMs = Median(windowMs);
    const double bMs = Median(bareMs);
    const auto wKiB = static_cast<qint64>(Median(windowKiB));
    const auto bKiB = static_cast<qint64>(Median(bareKiB));
    const double timeRatio = bMs > 0 ? wMs / bMs : 0;
    const double memoryRatio = bKiB > 0 ? static_cast<double>(wKiB) / static_cast<double>(bKiB) : 0;
    const QString bare =
        QStringLiteral("bare frameless %1x%2 window").arg(BareSize.width()).arg(BareSize.height());

    QList<Row> rows;
    rows.append({QStringLiteral("Start-up to first painted frame (%1, median of %2)")
                     .arg(platform)
                     .arg(windowMs.size()),
                 Ms(wMs), Ms(bMs) + QStringLiteral(", ") + bare, Ratio(timeRatio),
                 QStringLiteral("≤ 1.20 × bare"),
                 timeRatio <= 1.20 ? QStringLiteral("yes") : QStringLiteral("no")});
    if (wKiB >= 0 && bKiB > 0) {
        rows.append({QStringLiteral("Peak resident memory after start-up (%1)").arg(platform), MiB(wKiB),
                     MiB(bKiB) + QStringLiteral(", ") + bare, Ratio(memoryRatio),
                     QStringLiteral("≤ 1.15 × bare"),
                     memoryRatio <= 1.15 ? QStringLiteral("yes") : QStringLiteral("no")});
    }
    return rows;
}

} // namespace velmora::bench
