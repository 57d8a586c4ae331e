#include "startup.h"

#include "fonts.h"
#include "places.h"
#include "runninglock.h"
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
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
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
            // Counted under callgrind, the start ends here: the count is of the work to the first frame,
            // not of the window's teardown.
            if (qEnvironmentVariableIsSet("VELMORA_BENCH_END_AT_FRAME"))
                std::_Exit(0);
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
// any of Velmora's start-up work (layout table, fitting the dialog font, Selection file, count lists).
// With `titleFonts`, the title strip's three labels carry the design's own fonts, as Velmora's do (9.75 pt,
// the close and minimise labels bold); every other control keeps the platform's default font.
std::unique_ptr<QWidget> SameControls(bool titleFonts)
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
    auto *head = new QLabel(QStringLiteral(" Velmora v2.1 - by Ostrel Software"), window.get());
    head->setGeometry(8, 8, 449, 17);
    auto *minimise = new QLabel(QStringLiteral("--"), window.get());
    minimise->setGeometry(512, 8, 17, 17);
    auto *close = new QLabel(QStringLiteral("X"), window.get());
    close->setGeometry(528, 8, 17, 17);
    if (titleFonts) {
        const QFont regular = titleFont(false);
        QFont bold = regular;
        bold.setWeight(QFont::Bold);
        head->setFont(regular);
        minimise->setFont(bold);
        close->setFont(bold);
    }
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

// The instructions one start of the kind executes to its first frame, counted by callgrind; 0 where it
// could not be counted.
qint64 CountInstructions(const QString &program, const QString &platform, const QString &kind)
{
    QTemporaryDir dir;
    if (!dir.isValid())
        return 0;
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), platform);
    env.insert(QStringLiteral("VELMORA_BENCH_END_AT_FRAME"), QStringLiteral("1"));
    child.setProcessEnvironment(env);
    const QString out = dir.filePath(QStringLiteral("callgrind.out"));
    child.start(QStringLiteral("valgrind"), {QStringLiteral("--tool=callgrind"), QStringLiteral("-q"),
                                             QStringLiteral("--callgrind-out-file=") + out, program,
                                             QStringLiteral("startup-child"), kind});
    if (!child.waitForFinished(600000) || child.exitCode() != 0) {
        child.kill();
        child.waitForFinished();
        return 0;
    }
    QFile counts(out);
    if (!counts.open(QIODevice::ReadOnly))
        return 0;
    while (!counts.atEnd()) {
        const QByteArray line = counts.readLine().trimmed();
        if (line.startsWith("totals:") || line.startsWith("summary:"))
            return line.split(' ').value(1).toLongLong();
    }
    return 0;
}

} // namespace

int RunStartupChild(int &argc, char **argv, const QString &kind)
{
    QApplication app(argc, argv);
    RunningLock lock;
    std::unique_ptr<QWidget> window;
    if (kind == QLatin1String("window")) {
        // As the program's main() does.
        QApplication::setApplicationName(QStringLiteral("Velmora"));
        lock.take(FilePlaces());
        auto velmora = std::make_unique<VelmoraWindow>();
        velmora->Form_Load();
        window = std::move(velmora);
    } else if (kind == QLatin1String("bare")) {
        window = std::make_unique<QWidget>(nullptr, Qt::FramelessWindowHint);
        window->setFixedSize(BareSize);
    } else if (kind == QLatin1String("controls")) {
        window = SameControls(true);
    } else if (kind == QLatin1String("plain")) {
        window = SameControls(false);
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
    const QStringList kinds = {QStringLiteral("window"), QStringLiteral("bare"), QStringLiteral("controls"),
                               QStringLiteral("plain")};
    QMap<QString, QList<double>> ms, kib;
    // Each run's starts, kind by kind (one that failed is left out): the ratios are taken start by start
    // within a run, as a busy patch of the machine weighs on the starts of one run alike.
    QList<QMap<QString, double>> runMs;
    // One unmeasured start of each first, so all find the libraries in the page cache.
    for (const QString &kind : kinds) {
        if (!RunChild(program, platform, kind).ok) {
            std::fprintf(stderr, "bench: the %s start-up child does not start on platform %s\n",
                         qPrintable(kind), qPrintable(platform));
            return {};
        }
    }
    for (int i = 0; i < runs; ++i) {
        QMap<QString, double> &run = runMs.emplace_back();
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
            run.insert(kind, r.ms);
        }
    }

    const auto medianMs = [&ms](const QString &kind) { return Median(ms[kind]); };
    const auto medianKiB = [&kib](const QString &kind) { return static_cast<qint64>(Median(kib[kind])); };
    const auto ratio = [](double value, double reference) { return reference > 0 ? value / reference : 0; };
    const auto met = [](bool yes) { return yes ? QStringLiteral("yes") : QStringLiteral("no"); };

    // The targets are set against the window of the same standard controls in the design's fonts: what the
    // toolkit itself costs for such a window is the floor, and everything above it is Velmora's own. The
    // same controls with the title strip in the default font show what the design's title fonts cost, and
    // the bare window what showing any window at all costs.
    struct Reference {
        QString kind;
        QString what;
        QString against; // the measure's name in the rows without a target
        bool target = false;
    };
    const QList<Reference> references = {
        {QStringLiteral("controls"),
         QStringLiteral("the same standard controls in the design's fonts, no behaviour"),
         {},
         true},
        {QStringLiteral("plain"), QStringLiteral("the same controls, the title strip in the default font"),
         QStringLiteral("… the same, against the controls in the default font")},
        {QStringLiteral("bare"),
         QStringLiteral("bare frameless %1x%2 window").arg(BareSize.width()).arg(BareSize.height()),
         QStringLiteral("… the same, against a bare window")},
    };
    // The median of the start-by-start ratios (see runMs above).
    const auto pairedRatio = [&runMs](const QString &kind) {
        QList<double> ratios;
        for (const QMap<QString, double> &run : runMs)
            if (run.contains(QStringLiteral("window")) && run.value(kind) > 0)
                ratios.append(run.value(QStringLiteral("window")) / run.value(kind));
        return Median(ratios);
    };
    const auto addRows = [&](const QString &measure, double limit, const auto &ratioTo, const auto &format) {
        QList<Row> added;
        for (const Reference &reference : references) {
            const double r = ratioTo(reference.kind);
            added.append({reference.target ? measure : reference.against, format(QStringLiteral("window")),
                          format(reference.kind) + QStringLiteral(", ") + reference.what, Ratio(r),
                          reference.target ? QStringLiteral("≤ %1 × same controls").arg(limit, 0, 'f', 2)
                                           : QStringLiteral("—"),
                          reference.target ? met(r <= limit) : QStringLiteral("—")});
        }
        return added;
    };

    QList<Row> rows = addRows(QStringLiteral("Start-up to first painted frame (%1, median of %2)")
                                  .arg(platform)
                                  .arg(ms[QStringLiteral("window")].size()),
                              1.05, pairedRatio, [&](const QString &kind) { return Ms(medianMs(kind)); });
    if (medianKiB(QStringLiteral("window")) >= 0 && medianKiB(QStringLiteral("bare")) > 0)
        rows += addRows(
            QStringLiteral("Peak resident memory after start-up (%1)").arg(platform), 1.02,
            [&](const QString &kind) {
                return ratio(static_cast<double>(medianKiB(QStringLiteral("window"))),
                             static_cast<double>(medianKiB(kind)));
            },
            [&](const QString &kind) { return MiB(medianKiB(kind)); });
    return rows;
}

QList<Row> CountStartupInstructions(const QString &program, const QString &platform)
{
    const qint64 window = CountInstructions(program, platform, QStringLiteral("window"));
    const qint64 controls = CountInstructions(program, platform, QStringLiteral("controls"));
    if (window <= 0 || controls <= 0) {
        std::fprintf(stderr, "bench: callgrind could not count a start on platform %s\n",
                     qPrintable(platform));
        return {};
    }
    const auto millions = [](qint64 count) {
        return QStringLiteral("%1 million").arg(static_cast<double>(count) / 1e6, 0, 'f', 1);
    };
    const double ratio = static_cast<double>(window) / static_cast<double>(controls);
    return {{QStringLiteral("Instructions to first painted frame (%1, callgrind)").arg(platform),
             millions(window),
             millions(controls) +
                 QStringLiteral(", the same standard controls in the design's fonts, no behaviour"),
             Ratio(ratio), QStringLiteral("≤ 1.05 × same controls"),
             ratio <= 1.05 ? QStringLiteral("yes") : QStringLiteral("no")}};
}

} // namespace velmora::bench
