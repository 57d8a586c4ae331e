#include "export.h"

#include "filebytes.h"

#include <QDir>
#include <QFileInfo>

namespace velmora {

bool WriteExport(QIODevice &device, const QStringList &entries, QString *error)
{
    QStringEncoder encoder = SystemEncoder();
    return WriteExport(device, entries, encoder, error);
}

FileOutcome ExportResults(const QStringList &entries, const QString &path)
{
    // The export's own folder always exists; a fallback folder (Documents) may still have to be made.
    FileOutcome outcome;
    if (!MakeFolderPath(QDir::toNativeSeparators(QFileInfo(path).absolutePath()) + QDir::separator(),
                        &outcome.error)) {
        outcome.ok = false;
        return outcome;
    }
    QStringEncoder encoder = SystemEncoder();
    return WriteFileAtomically(path, ExportBytes(entries, encoder));
}

} // namespace velmora
