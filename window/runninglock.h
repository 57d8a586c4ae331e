#pragma once

// One Velmora at a time for each home.
//
// Two Velmoras with the same home would share one Selection file: the one that closed last would overwrite
// the other's table without a word, and a table one of them loaded would be gone for the other. So each
// program holds a lock file, "Selection.lock" beside the Selection file it would save, for as long as it
// runs. QLockFile writes the holder's process into it, so a lock left by a program that has gone (a crash,
// a kill) is taken over; a lock whose holder still runs, however old, is not.

#include <QLockFile>
#include <QString>
#include <memory>

namespace velmora {

class WriteRights;

class RunningLock {
public:
    enum class Outcome {
        Taken,         // this program holds the lock until it ends
        HeldElsewhere, // another Velmora with this home is running
        NotPossible,   // no lock file can be made there; the save at exit will say why
    };

    // Takes the lock in the folder where this user's Selection file goes (selectionFile, or the fallback
    // when rights refuse that), making the folder when it is missing.
    Outcome take(const QString &selectionFile, const QString &fallback, const WriteRights &rights);

private:
    std::unique_ptr<QLockFile> m_lock;
};

} // namespace velmora
