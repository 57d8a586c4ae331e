#include "atomicfile.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <cerrno>

#ifdef Q_OS_WIN
#include <windows.h>
#endif
#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <unistd.h>
#endif

namespace velmora {

namespace {

// The system's error code of the call that just failed, read before anything else can replace it.
int LastSystemError()
{
#ifdef Q_OS_WIN
    return static_cast<int>(GetLastError());
#else
    return errno;
#endif
}

void ClearSystemError()
{
#ifdef Q_OS_WIN
    SetLastError(0);
#else
    errno = 0;
#endif
}

// The device's reason, unless the device only knows that something failed ("Unknown error"): then the
// system's own words for the code it left behind.
QString Reason(const QIODevice &device, int systemError)
{
    const auto *file = qobject_cast<const QFileDevice *>(&device);
    const bool deviceKnows = file ? file->error() != QFileDevice::NoError : !device.errorString().isEmpty();
    if (deviceKnows || systemError == 0)
        return device.errorString();
    return qt_error_string(systemError);
}

#ifdef Q_OS_UNIX
// Qt's commit syncs the data but ignores a failure to do so, and a disk that fills up can report it only
// here; so the data is synced, and checked, before the commit.
bool SyncData(QSaveFile &file)
{
    return ::fsync(file.handle()) == 0 || errno == EINVAL || errno == EROFS;
}

// A rename is only durable once the folder that holds the name is on disk too.
void SyncFolder(const QString &folder)
{
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}
#endif

// Whether name is target's name, a dot and six ASCII letters of mixed case: the name QSaveFile's temporary
// file takes (QTemporaryFile replaces "XXXXXX" with letters drawn from A-Z and a-z).
bool LeftoverName(QStringView name, QStringView target)
{
    constexpr qsizetype randomLetters = 6;
    if (name.size() != target.size() + 1 + randomLetters || !name.startsWith(target) ||
        name[target.size()] != u'.')
        return false;
    bool lower = false;
    bool upper = false;
    for (const QChar c : name.last(randomLetters)) {
        lower |= c >= u'a' && c <= u'z';
        upper |= c >= u'A' && c <= u'Z';
        if (!(c >= u'a' && c <= u'z') && !(c >= u'A' && c <= u'Z'))
            return false;
    }
    return lower && upper;
}

} // namespace

FileOutcome WriteAll(QIODevice &device, QByteArrayView bytes)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        ClearSystemError();
        const qint64 written = device.write(bytes.data() + done, bytes.size() - done);
        if (written <= 0)
            return FileOutcome::failure(Reason(device, LastSystemError()));
        done += static_cast<qsizetype>(written);
    }
    return {};
}

FileOutcome WriteFileAtomically(const QString &path, QByteArrayView bytes)
{
    QSaveFile file(path);
    ClearSystemError();
    if (!file.open(QIODevice::WriteOnly))
        return FileOutcome::failure(Reason(file, LastSystemError()));
    // QSaveFile would commit a file cut short by a short write, so every step is checked here and the
    // temporary file is abandoned on the first error.
    FileOutcome outcome = WriteAll(file, bytes);
    if (outcome.ok) {
        ClearSystemError();
        if (!file.flush())
            outcome = FileOutcome::failure(Reason(file, LastSystemError()));
    }
#ifdef Q_OS_UNIX
    if (outcome.ok && !SyncData(file))
        outcome = FileOutcome::failure(qt_error_string(errno));
#endif
    if (!outcome.ok) {
        file.cancelWriting();
        file.commit();
        return outcome;
    }
    ClearSystemError();
    if (!file.commit())
        return FileOutcome::failure(Reason(file, LastSystemError()));
#ifdef Q_OS_UNIX
    SyncFolder(QFileInfo(path).absolutePath());
#endif
    return outcome;
}

int removeAtomicWriteLeftovers(const QString &path)
{
    const QFileInfo target(path);
    const QDateTime settled = QDateTime::currentDateTimeUtc().addSecs(-60);
    int removed = 0;
    // Regular files only, links not followed: a link or a folder of that name is not one of ours.
    const QFileInfoList entries =
        QDir(target.absolutePath())
            .entryInfoList(QDir::Files | QDir::Hidden | QDir::NoSymLinks, QDir::NoSort);
    for (const QFileInfo &entry : entries) {
        if (LeftoverName(entry.fileName(), target.fileName()) && entry.lastModified().toUTC() < settled &&
            QFile::remove(entry.absoluteFilePath()))
            ++removed;
    }
    return removed;
}

} // namespace velmora
