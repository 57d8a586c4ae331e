#include "export.h"

#include "filebytes.h"

namespace velmora {

bool WriteExport(QIODevice &device, const QStringList &entries, QString *error)
{
    QStringEncoder encoder = SystemEncoder();
    return WriteExport(device, entries, encoder, error);
}

FileOutcome ExportResults(const QStringList &entries, const QString &path)
{
    QStringEncoder encoder = SystemEncoder();
    return WriteFileAtomically(path, ExportBytes(entries, encoder));
}

} // namespace velmora
