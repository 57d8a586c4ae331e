#include "selectionfile.h"

#include "atomicfile.h"
#include "folders.h"
#include "selectionlayout.h"
#include "textcodec.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <filesystem>
#include <system_error>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace velmora {

namespace {

QString TooLarge(qint64 size)
{
    return QStringLiteral("the file is %1 bytes long, more than the %2 bytes of the largest table Velmora "
                          "writes")
        .arg(size)
        .arg(MaxSelectionFileBytes);
}

#ifdef Q_OS_UNIX
// What a path that is no regular file leads to, in words for the message.
QString Kind(mode_t mode)
{
    if (S_ISDIR(mode))
        return QStringLiteral("a folder");
    if (S_ISFIFO(mode))
        return QStringLiteral("a pipe (FIFO)");
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return QStringLiteral("a device");
    if (S_ISSOCK(mode))
        return QStringLiteral("a socket");
    return QStringLiteral("no regular file");
}

QString NotRegular(mode_t mode)
{
    return QStringLiteral("it is %1, not a file Velmora saved").arg(Kind(mode));
}
#endif

// The whole file, if it is a regular file no larger than the largest Selection file. Anything else (a
// device, a pipe, a folder, or a link to one) is refused before a byte is read, and without an open that
// could wait: a pipe with no writer would block a plain open for ever, and a device such as /dev/zero
// never ends.
FileOutcome ReadSelectionBytes(const QString &path, QByteArray &bytes)
{
    QFile file(path);
#ifdef Q_OS_UNIX
    const QByteArray name = QFile::encodeName(path);
    struct stat info {};
    if (::stat(name.constData(), &info) != 0)
        return FileOutcome::failure(qt_error_string(errno));
    if (!S_ISREG(info.st_mode))
        return FileOutcome::failure(NotRegular(info.st_mode));
    // The path may have been swapped since: open without waiting and ask the open file again.
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return FileOutcome::failure(qt_error_string(errno));
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        const int error = errno;
        ::close(fd);
        return FileOutcome::failure(S_ISREG(info.st_mode) ? qt_error_string(error)
                                                          : NotRegular(info.st_mode));
    }
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return FileOutcome::failure(file.errorString());
    }
    const qint64 size = info.st_size;
#else
    const QFileInfo info(path);
    if (info.exists() && !info.isFile())
        return FileOutcome::failure(info.isDir() ? QStringLiteral("it is a folder, not a file Velmora saved")
                                                 : QStringLiteral("it is no regular file"));
    if (!file.open(QIODevice::ReadOnly))
        return FileOutcome::failure(file.errorString());
    const qint64 size = file.size();
#endif
    if (size > MaxSelectionFileBytes)
        return FileOutcome::failure(TooLarge(size));

    // One byte more than the size, to see a file that grew since it was measured; never more than the
    // largest file and that byte.
    bytes.resize(static_cast<qsizetype>(size) + 1);
    qsizetype done = 0;
    while (done < bytes.size()) {
        const qint64 got = file.read(bytes.data() + done, bytes.size() - done);
        if (got < 0)
            return FileOutcome::failure(file.errorString());
        if (got == 0)
            break;
        done += static_cast<qsizetype>(got);
    }
    if (done > MaxSelectionFileBytes)
        return FileOutcome::failure(TooLarge(done));
    bytes.truncate(done);
    return {};
}

} // namespace

void RestoreSelection(const SelectionRecord &record, Controls &controls)
{
    const qsizetype rows = std::clamp<qsizetype>(record.IndustryCount, 0,
                                                 std::min<qsizetype>(record.Industries.count(), GridRows));
    for (int i = 0; i < rows; ++i) {
        const IndustryRecord &industry = record.Industries[i];
        controls.setTxtInd(i, industry.Name);
        const qsizetype stored =
            std::min<qsizetype>(industry.LastType + qsizetype{1}, industry.CarTypes.count());
        if (stored <= 0)
            continue;
        QString text = controls.txtArr(i);
        for (qsizetype j = 0; j < stored; ++j) {
            if (j > 0)
                text += u',';
            text += industry.CarTypes[j];
        }
        controls.setTxtArr(i, text);
    }
    // Read the value before setting the box: the box's handler writes RandomOrder, which may be this
    // very record.
    const int randomOrder = record.RandomOrder == 1 ? 1 : 0;
    controls.setCheckRand(randomOrder);
}

FileOutcome SaveSelection(const SelectionRecord &record, const QString &path)
{
    if (FileOutcome made = makeFolderFor(path); !made.ok)
        return made;
    QStringEncoder encoder = SystemEncoder();
    return WriteFileAtomically(path, SelectionBytes(record, encoder));
}

FileOutcome LoadSelection(Code &code, Controls &controls, const QString &path)
{
    SelectionRecord record;
    FileOutcome outcome;
    {
        QByteArray bytes;
        outcome = ReadSelectionBytes(path, bytes);
        if (outcome.ok) {
            QStringDecoder decoder = SystemDecoder();
            outcome = ParseSelection(bytes, decoder, record);
        }
    }

    if (!outcome.ok) {
        // Set the file aside instead of deleting it: nothing the user saved is lost, and the next start
        // is not stopped by the same file again.
        const QString aside = path + QStringLiteral(".unreadable");
        // The rename replaces an older unreadable file only once this one is known to be movable, and it
        // never falls back to copying, which would read the pipe or device just refused.
        std::error_code error;
        std::filesystem::rename(std::filesystem::path(path.toStdU16String()),
                                std::filesystem::path(aside.toStdU16String()), error);
        if (!error)
            outcome.keptAs = aside;
        else
            outcome.error +=
                QStringLiteral("; it could not be renamed to %1 either: %2")
                    .arg(QDir::toNativeSeparators(aside), QString::fromStdString(error.message()));
        return outcome;
    }

    code.record = std::move(record);
    RestoreSelection(code.record, controls);
    QFile file(path);
    if (!file.remove())
        outcome.error =
            QStringLiteral("the file could not be deleted after loading: %1").arg(file.errorString());
    return outcome;
}

} // namespace velmora
