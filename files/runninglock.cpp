#include "runninglock.h"

#include "folders.h"
#include "places.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace velmora {

RunningLock::~RunningLock()
{
    release();
}

RunningLock::Outcome RunningLock::take(const FilePlaces &places)
{
    release();
    const QString selection = places.selectionFile();
    if (!makeFolderFor(selection).ok)
        return Outcome::NotPossible;
    // Four letters after the dot: the start-up's clean-up of interrupted saves removes "Selection." with
    // six, the temporary files' pattern, and must never take the lock for one of them.
    return lock(QDir::toNativeSeparators(
        QFileInfo(selection).absoluteDir().filePath(QStringLiteral("Selection.lock"))));
}

#ifdef Q_OS_WIN

RunningLock::Outcome RunningLock::lock(const QString &path)
{
    // Shared with no one: a second opening, by this process or another, is refused while the handle lives,
    // and the system removes the file when the handle closes.
    const auto name = reinterpret_cast<LPCWSTR>(path.utf16());
    HANDLE handle = CreateFileW(name, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    // Sharing with no one needs no right to write or delete: a file this user may only read still locks.
    if (handle == INVALID_HANDLE_VALUE && GetLastError() == ERROR_ACCESS_DENIED)
        handle = CreateFileW(name, GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return GetLastError() == ERROR_SHARING_VIOLATION ? Outcome::HeldElsewhere : Outcome::NotPossible;
    m_held = reinterpret_cast<qintptr>(handle);
    return Outcome::Taken;
}

void RunningLock::release()
{
    if (m_held != -1) {
        CloseHandle(reinterpret_cast<HANDLE>(m_held));
        m_held = -1;
    }
}

#else

RunningLock::Outcome RunningLock::lock(const QString &path)
{
    const QByteArray name = QFile::encodeName(path);
    // A holder that ends removes the file while it still holds it, so a program that opened the file just
    // before may then lock a file that is gone: the lock counts only while the name still leads to the
    // file locked, and otherwise the file made anew is tried.
    for (int attempt = 0; attempt < 8; ++attempt) {
        int fd = ::open(name.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
        // flock needs no right to write: a lock file left by another user (root, after a sudo) is locked
        // read-only, so that this user's two starts still exclude each other.
        if (fd < 0)
            fd = ::open(name.constData(), O_RDONLY | O_CLOEXEC);
        if (fd < 0)
            return Outcome::NotPossible;
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            const int error = errno;
            ::close(fd);
            return error == EWOULDBLOCK ? Outcome::HeldElsewhere : Outcome::NotPossible;
        }
        struct stat held {};
        struct stat named {};
        if (::fstat(fd, &held) == 0 && ::stat(name.constData(), &named) == 0 && held.st_dev == named.st_dev &&
            held.st_ino == named.st_ino) {
            m_held = fd;
            m_path = path;
            return Outcome::Taken;
        }
        ::close(fd);
    }
    return Outcome::NotPossible;
}

void RunningLock::release()
{
    if (m_held != -1) {
        // Removed while still held (see lock()).
        ::unlink(QFile::encodeName(m_path).constData());
        ::close(static_cast<int>(m_held));
        m_held = -1;
    }
}

#endif

} // namespace velmora
