#include "runninglock.h"

#include "folders.h"
#include "places.h"

#include <QDir>
#include <QFileInfo>

namespace velmora {

RunningLock::Outcome RunningLock::take(const QString &selectionFile, const QString &fallback,
                                       const WriteRights &rights)
{
    const QString selection = WritablePlace(selectionFile, fallback, rights);
    const QString folder = QDir::toNativeSeparators(QFileInfo(selection).absolutePath()) + QDir::separator();
    if (!MakeFolderPath(folder).ok)
        return Outcome::NotPossible;
    // Four letters after the dot: the start-up's clean-up of interrupted saves removes "Selection." with
    // six, the temporary files' pattern, and must never take the lock for one of them.
    auto lock = std::make_unique<QLockFile>(folder + QStringLiteral("Selection.lock"));
    lock->setStaleLockTime(0); // stale only when its program has gone, never by age
    if (lock->tryLock()) {
        m_lock = std::move(lock);
        return Outcome::Taken;
    }
    return lock->error() == QLockFile::LockFailedError ? Outcome::HeldElsewhere : Outcome::NotPossible;
}

} // namespace velmora
