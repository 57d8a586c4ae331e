#pragma once

// How the files layer reports: every operation that can fail returns a FileOutcome, and the window shows
// its error to the user as it stands. A load can succeed and still carry an error (the table was restored,
// but the file could not be deleted afterwards), so ok and error are separate.

#include <QString>

namespace velmora {

struct FileOutcome {
    bool ok = true;
    QString error;  // why it failed, in the system's words where the system gave a reason
    QString keptAs; // a Selection file that could not be loaded was moved here

    static FileOutcome failure(QString reason)
    {
        FileOutcome outcome;
        outcome.ok = false;
        outcome.error = std::move(reason);
        return outcome;
    }
};

} // namespace velmora
