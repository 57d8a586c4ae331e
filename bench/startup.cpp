#include "startup.h"

#include "velmorawindow.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMap>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
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

// The standard Qt controls the Velmora window is made of, as many of each kind and with captions of the
// same length, in a frameless window of its size: what the toolkit itself costs for such a window, without
// any of Velmora's start-up work (layout table, fonts, Selection file, count lists).
std::unique_ptr<QWidget> SameControls()
{
    auto window = std::make_unique<QWidget>(nullptr, Qt::FramelessWindowHint);
    window->setFixedSize(BareSize);
    auto *frame = new QGroupBox(QStringLiteral("Velmora"), window.get());
    frame->setGeometry(8, 32, 537, 329);
    int next = 0;
    const auto place = [&next](QWidget *widget, int width, int height) {
        widget->setGeometry(8 + (next % 4) * 130, 16 + (next / 4) * 26, width, height);
        ++next;
    };
    for (int i = 0; i < 16; ++i)
        place(new QLineEdit(frame), 121, 19);
    auto *text = new QPlainTextEdit(frame);
    text->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    text->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    place(text, 217, 43);
    for (const int last : {8, 20}) {
        auto *list = new QComboBox(frame);
        for (int n = 1; n <= last; ++n)
            list->addItem(QString::number(n));
        list->setCurrentIndex(4);
        place(list, 57, 21);
    }
    place(new QListWidget(frame), 153, 225);
    for (const char *caption : {"Go!", "Go!", "Export", "Clear"})
        place(new QPushButton(QLatin1String(caption), frame), 57, 17);
    place(new QCheckBox(QStringLiteral("Random Order"), frame), 65, 33);
    for (const char *caption : {"Car Types:", "e.g. hopper,boxcar,flatcar", "# Of Cars:",
                                "Number of results:", "0", "Industry:", "# Of Cars:", "Suitable Car Types:"})
        place(new QLabel(QLatin1String(caption), frame), 121, 17);
    place(new QLabel(QStringLiteral("For Car Type entry, you may enter as many car types as you like in this "
                                    "format: hopper,boxcar,flatcar"),
                     frame),
          505, 17);
    // The controls that lie on the window itself, where Velmora has them.
    (new QPushButton(QStringLiteral("Clear"), window.get()))->setGeometry(472, 296, 57, 17);
    (new QPushButton(QStringLiteral("Clear"), window.get()))->setGeometry(304, 192, 57, 17);
    (new QCheckBox(QStringLiteral("Save Data"), window.get()))->setGeometry(448, 320, 81, 17);
    (new QLabel(QStringLiteral(" Velmora v2.1"), window.get()))->setGeometry(8, 8, 449, 17);
    (new QLabel(QStringLiteral("--"), window.get()))->setGeometry(512, 8, 17, 17);
    (new QLabel(QStringLiteral("X"), window.get()))->setGeometry(528, 8, 17, 17);
    return window;
}

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
        window = std::make_unique<VelmoraWindow>();
    } else if (kind == QLatin1String("bare")) {
        window = std::make_unique<QWidget>(nullptr, Qt::FramelessWindowHint);
        window->setFixedSize(BareSize);
    } else if (kind == QLatin1String("controls")) {
        window = SameControls();
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
    const QStringList kinds = {QStringLiteral("window"), QStringLiteral("bare"), QStringLiteral("controls")};
    QMap<QString, QList<double>> ms, kib;
    // One unmeasured start of each first, so all find the libraries in the page cache.
    for (const QString &kind : kinds) {
        if (!RunChild(program, platform, kind).ok) {
            std::fprintf(stderr, "bench: the %s start-up child does not start on platform %s\n",
                         qPrintable(kind), qPrintable(platform));
            return {};
        }
    }
    for (int i = 0; i < runs; ++i) {
        // The order turns round from run to run, so no kind always follows another.
        for (qsizetype k = 0; k < kinds.size(); ++k) {
            const QString &kind = kinds[(i + k) % kinds.size()];
            const ChildResult r = RunChild(program, platform, kind);
            if (!r.ok) {
                std::fprintf(stderr, "bench: a %s start on %s failed\n", qPrintable(kind),
                             qPrintable(platform));
                continue;
            }
            ms[kind].append(r.ms);
            kib[kind].append(static_cast<double>(r.kib));
        }
    }

    const auto medianMs = [&ms](const QString &kind) { return Median(ms[kind]); };
    const auto medianKiB = [&kib](const QString &kind) { return static_cast<qint64>(Median(kib[kind])); };
    const auto ratio = [](double value, double reference) { return reference > 0 ? value / reference : 0; };
    const double wMs = medianMs(QStringLiteral("window"));
    const double bMs = medianMs(QStringLiteral("bare"));
    const double cMs = medianMs(QStringLiteral("controls"));
    const qint64 wKiB = medianKiB(QStringLiteral("window"));
    const qint64 bKiB = medianKiB(QStringLiteral("bare"));
    const qint64 cKiB = medianKiB(QStringLiteral("controls"));
    const QString bare =
        QStringLiteral("bare frameless %1x%2 window").arg(BareSize.width()).arg(BareSize.height());
    const QString controls = QStringLiteral("a window of the same standard controls, no behaviour");
    const auto met = [](bool yes) { return yes ? QStringLiteral("yes") : QStringLiteral("no"); };

    // The targets are set against the window of the same standard controls: what the toolkit itself costs
    // for such a window is the floor, and everything above it is Velmora's own. The bare window stays as
    // a reference for what showing any window at all costs.
    QList<Row> rows;
    const QString startup = QStringLiteral("Start-up to first painted frame (%1, median of %2)")
                                .arg(platform)
                                .arg(ms[QStringLiteral("window")].size());
    rows.append({startup, Ms(wMs), Ms(cMs) + QStringLiteral(", ") + controls, Ratio(ratio(wMs, cMs)),
                 QStringLiteral("≤ 1.05 × same controls"), met(ratio(wMs, cMs) <= 1.05)});
    rows.append({QStringLiteral("… the same, against a bare window"), Ms(wMs),
                 Ms(bMs) + QStringLiteral(", ") + bare, Ratio(ratio(wMs, bMs)), QStringLiteral("—"),
                 QStringLiteral("—")});
    if (wKiB >= 0 && bKiB > 0 && cKiB > 0) {
        const auto w = static_cast<double>(wKiB);
        rows.append({QStringLiteral("Peak resident memory after start-up (%1)").arg(platform), MiB(wKiB),
                     MiB(cKiB) + QStringLiteral(", ") + controls, Ratio(ratio(w, static_cast<double>(cKiB))),
                     QStringLiteral("≤ 1.02 × same controls"),
                     met(ratio(w, static_cast<double>(cKiB)) <= 1.02)});
        rows.append({QStringLiteral("… the same, against a bare window"), MiB(wKiB),
                     MiB(bKiB) + QStringLiteral(", ") + bare, Ratio(ratio(w, static_cast<double>(bKiB))),
                     QStringLiteral("—"), QStringLiteral("—")});
    }
    return rows;
}

} // namespace velmora::bench
