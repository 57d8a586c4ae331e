// A child process for the tests that need one: saving while being killed, saving under a file-size limit,
// saving without the rights to the folder, and writing the fuzz target's seed corpus.
//
//   selection_save_helper loop PATH           saves the long and the short record in turn until killed,
//                                             printing "saved" after each save
//   selection_save_helper fsize PATH LIMIT    saves the long record with the file size limited to LIMIT
//   selection_save_helper export-fsize PATH LIMIT   exports many entries under the same limit
//   selection_save_helper as-nobody PATH      drops root's rights, then saves
//   selection_save_helper fallback-as-nobody PATH FALLBACK   drops root's rights, then saves at PATH, or at
//                                             FALLBACK when the system says PATH's folder refuses this user,
//                                             and prints the place before the outcome
//   selection_save_helper corpus FOLDER       writes one file per kind of table this program saves
//   selection_save_helper largest PATH        saves the largest table this program can write
//   selection_save_helper load PATH           loads the file into a model of the grid and prints the
//                                             outcome and the peak resident memory (for measuring)
//
// Exit status for the single saves: 0 when the save reported failure, 1 when it reported success, 2 when
// the set-up failed.

#include "export.h"
#include "filestest.h"
#include "modelcontrols.h"
#include "norandom.h"
#include "places.h"
#include "selectionfile.h"

#include <QDir>
#include <QTextStream>
#include <csignal>
#include <cstdio>
#include <grp.h>
#include <pwd.h>
#include <sys/resource.h>
#include <unistd.h>

using namespace velmora;
using namespace velmora::test;

namespace {

int Report(const FileOutcome &outcome)
{
    std::printf("%s\n", outcome.ok ? "saved" : qPrintable(outcome.error));
    return outcome.ok ? 1 : 0;
}

bool LimitFileSize(const char *limit)
{
    std::signal(SIGXFSZ, SIG_IGN);
    const auto bytes = static_cast<rlim_t>(QByteArray(limit).toULongLong());
    const rlimit size{bytes, bytes};
    return setrlimit(RLIMIT_FSIZE, &size) == 0;
}

bool DropRoot()
{
    if (geteuid() != 0)
        return true;
    const passwd *nobody = getpwnam("nobody");
    return nobody && setgroups(0, nullptr) == 0 && setgid(nobody->pw_gid) == 0 &&
           setuid(nobody->pw_uid) == 0 && geteuid() != 0;
}

int WriteCorpus(const QString &folder)
{
    QDir().mkpath(folder);
    const auto save = [&folder](const char *name, const SelectionRecord &record) {
        return SaveSelection(record, QDir(folder).filePath(QLatin1String(name))).ok;
    };
    SelectionRecord empty;
    SelectionRecord cleared = Table({Industry(QStringLiteral("Mill"), 0, {"hopper"})});
    cleared.IndustryCount = 0;
    cleared.Industries.redim(0);
    SelectionRecord stopped = Table({Industry(QStringLiteral("Mill"), 2, {"hopper", "boxcar"}),
                                     Industry(QStringLiteral("Dock"), 5, {"tank", "gondola", "flat"})});
    stopped.Industries[1].LastType = 0; // its box was empty at exit: the list stays, LastType does not
    IndustryRecord unsplit;
    unsplit.Name = QStringLiteral("Yard");
    unsplit.Row = 6;
    stopped.Industries.redimPreserve(3);
    stopped.Industries[2] = unsplit;
    stopped.IndustryCount = 3;
    QList<IndustryRecord> eight;
    for (int i = 0; i < 8; ++i)
        eight.append(
            Industry(QStringLiteral("Industry %1").arg(i), static_cast<qint16>(i), {"a", "", " b", "c "}));

    const bool ok =
        save("empty", empty) && save("cleared", cleared) && save("mill", ShortRecord()) &&
        save("unsplit", stopped) && save("eight", Table(eight, 1, 32767)) &&
        save("non-ascii", Table({Industry(QStringLiteral("Mühle Café"), 1, {"Kühlwagen", "€"})}, 1, 1));
    return ok ? 0 : 2;
}

int Load(const QString &path)
{
    ModelControls controls;
    NoRandom random;
    Code code(controls, random);
    controls.attach(code);
    const FileOutcome outcome = LoadSelection(code, controls, path);
    QFile status(QStringLiteral("/proc/self/status"));
    QByteArray peak;
    if (status.open(QIODevice::ReadOnly)) {
        for (const QByteArray &line : status.readAll().split('\n')) {
            if (line.startsWith("VmHWM:"))
                peak = line.mid(6).trimmed();
        }
    }
    std::printf("%s\npeak resident memory %s\n", outcome.ok ? "loaded" : qPrintable(outcome.error),
                peak.constData());
    return outcome.ok ? 1 : 0;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc < 3)
        return 2;
    const QByteArray mode = argv[1];
    const QString path = QString::fromLocal8Bit(argv[2]);

    if (mode == "loop") {
        const SelectionRecord records[] = {LongRecord(), ShortRecord()};
        std::printf("ready\n");
        std::fflush(stdout);
        for (unsigned i = 0;; ++i) {
            SaveSelection(records[i % 2], path);
            std::printf("saved\n");
            std::fflush(stdout);
        }
    }
    if (mode == "fsize" && argc == 4)
        return LimitFileSize(argv[3]) ? Report(SaveSelection(LongRecord(), path)) : 2;
    if (mode == "export-fsize" && argc == 4)
        return LimitFileSize(argv[3]) ? Report(exportResults(ManyEntries(20000), path)) : 2;
    if (mode == "as-nobody")
        return DropRoot() ? Report(SaveSelection(ShortRecord(), path)) : 2;
    if (mode == "fallback-as-nobody" && argc == 4) {
        if (!DropRoot())
            return 2;
        const QString place =
            FilePlaces({path, QString::fromLocal8Bit(argv[3]), QString(), QString()}).selectionFile();
        std::printf("%s\n", qPrintable(place));
        return Report(SaveSelection(ShortRecord(), place));
    }
    if (mode == "largest")
        return SaveSelection(LargestRecord(), path).ok ? 0 : 2;
    if (mode == "load")
        return Load(path);
    if (mode == "corpus")
        return WriteCorpus(path);
    return 2;
}
