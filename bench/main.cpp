// Velmora's benchmarks: prints one table of figures, each the median of repeated runs and paired with a
// reference measured in the same run. scripts/bench.sh builds this optimised and runs it on a virtual
// X display; it can also be run by hand:
//   velmora_bench [--runs N] [--startup-runs N] [--platforms offscreen,xcb] [--instructions] [--startup-only]
// --instructions adds each platform's start-up counted in instructions (valgrind's callgrind); --startup-only
// leaves out the commands and files, as under Wine, where the window's files would go to the system's places.

#include "measure.h"
#include "operations.h"
#include "startup.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QThread>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

using namespace velmora::bench;

namespace {

int Value(int argc, char **argv, const char *option, int fallback)
{
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], option) == 0)
            return std::max(1, std::atoi(argv[i + 1]));
    return fallback;
}

QString Text(int argc, char **argv, const char *option, const QString &fallback)
{
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], option) == 0)
            return QString::fromLocal8Bit(argv[i + 1]);
    return fallback;
}

bool Flag(int argc, char **argv, const char *option)
{
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], option) == 0)
            return true;
    return false;
}

void Print(const QString &line)
{
    std::printf("%s\n", line.toUtf8().constData());
}

} // namespace

int main(int argc, char **argv)
{
    if (argc == 3 && std::strcmp(argv[1], "startup-child") == 0)
        return RunStartupChild(argc, argv, QString::fromLatin1(argv[2]));

    const int runs = Value(argc, argv, "--runs", 15);
    const int startupRuns = Value(argc, argv, "--startup-runs", 21);

    // A home of its own, so neither the children nor the window here find or leave a Selection file or an
    // export among the user's files.
    QTemporaryDir home;
    if (!home.isValid()) {
        std::fprintf(stderr, "bench: cannot make a temporary folder\n");
        return 1;
    }
    qputenv("HOME", QFile::encodeName(home.path()));
    qputenv("XDG_DATA_HOME", QFile::encodeName(home.filePath(QStringLiteral(".local/share"))));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.filePath(QStringLiteral(".config"))));
    qputenv("XDG_CACHE_HOME", QFile::encodeName(home.filePath(QStringLiteral(".cache"))));
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        const QString runtime = home.filePath(QStringLiteral("runtime"));
        QDir().mkpath(runtime);
        QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime));
    }

    QApplication app(argc, argv);
    const QString here = QGuiApplication::platformName();
    const QStringList platforms = Text(argc, argv, "--platforms", here).split(u',', Qt::SkipEmptyParts);

    QList<Row> rows;
    bool complete = true;
    for (const QString &platform : platforms) {
        const QString program = QCoreApplication::applicationFilePath();
        const QList<Row> startup = MeasureStartup(program, platform, startupRuns);
        complete = complete && !startup.isEmpty();
        rows += startup;
        if (Flag(argc, argv, "--instructions")) {
            const QList<Row> counted = CountStartupInstructions(program, platform);
            complete = complete && !counted.isEmpty();
            rows += counted;
        }
    }
    if (!Flag(argc, argv, "--startup-only"))
        rows += MeasureOperations(runs, home.path());

    Print(QStringLiteral(
              "Velmora %1 benchmarks: %2, %3 cores, Qt %4; commands on the %5 platform; medians of %6 "
              "runs (start-up: %7 starts of each)")
              .arg(QStringLiteral(VELMORA_VERSION), QSysInfo::prettyProductName())
              .arg(QThread::idealThreadCount())
              .arg(QString::fromLatin1(qVersion()), here)
              .arg(runs)
              .arg(startupRuns));
    Print(QString());
    Print(QStringLiteral("| Measure | Velmora | Reference (same run) | Ratio | Target | Met |"));
    Print(QStringLiteral("|---|---|---|---|---|---|"));
    bool allMet = true;
    for (const Row &row : rows) {
        Print(QStringLiteral("| %1 | %2 | %3 | %4 | %5 | %6 |")
                  .arg(row.measure, row.value, row.reference, row.ratio, row.target, row.verdict));
        allMet = allMet && row.verdict != QLatin1String("no");
    }
    Print(QString());
    Print(allMet ? QStringLiteral("Every target met.") : QStringLiteral("Some targets not met (Met: no)."));
    // Slow figures are figures; only a measurement that could not be made at all ends in failure.
    return complete ? 0 : 1;
}
