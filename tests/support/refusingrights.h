#pragma once

// Write rights for tests: refuses the folders listed and everything below them, and notes every folder it
// is asked about, so a test can make the program's own places refuse it without taking any real rights.

#include "places.h"

#include <QDir>
#include <QStringList>

namespace velmora::test {

class RefusingRights final : public WriteRights {
public:
    QStringList refused; // in either separator
    mutable QStringList asked;

    bool mayWrite(const QString &folder) const override
    {
        asked.append(folder);
        const QString clean = QDir::cleanPath(QDir::fromNativeSeparators(folder));
        for (const QString &no : refused) {
            const QString refusedClean = QDir::cleanPath(QDir::fromNativeSeparators(no));
            if (clean == refusedClean || clean.startsWith(refusedClean + u'/'))
                return false;
        }
        return true;
    }
};

} // namespace velmora::test
