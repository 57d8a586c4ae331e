#pragma once

// One Velmora at a time for each home.
//
// Two Velmoras with the same home would share one Selection file: the one that closed last would overwrite
// the other's table without a word, and a table one of them loaded would be gone for the other. So each
// program holds a lock file, "Selection.lock" beside the Selection file it would save, for as long as it
// runs. The lock is the system's own (flock on Unix; on Windows, the file opened for this program alone),
// so the system lets go of it when the program ends, however it ends: a lock left by a crash or a kill is
// simply taken, and one whose program still runs never is. Taking it writes nothing, so the start does not
// wait for the disk. The code for each platform is kept function by function in runninglock.cpp.

#include <QString>
#include <QtGlobal>

namespace velmora {

class FilePlaces;

class RunningLock {
public:
    enum class Outcome {
        Taken,         // this program holds the lock until it ends
        HeldElsewhere, // another Velmora with this home is running
        NotPossible,   // no lock file can be made there; the save at exit will say why
    };

    RunningLock() = default;
    ~RunningLock();
    RunningLock(const RunningLock &) = delete;
    RunningLock &operator=(const RunningLock &) = delete;

    // Takes the lock in the folder where this user's Selection file goes (FilePlaces::selectionFile),
    // making the folder when it is missing.
    Outcome take(const FilePlaces &places);

private:
    Outcome lock(const QString &path);
    void release();

    qintptr m_held = -1; // the locked file: a descriptor on Unix, a handle on Windows
    QString m_path;
};

} // namespace velmora
