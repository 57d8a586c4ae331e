#include "export.h"

#include "atomicfile.h"
#include "folders.h"
#include "textcodec.h"

#include <QDir>
#include <QFileInfo>

namespace velmora {

QByteArray ExportBytes(const QStringList &entries, QStringEncoder &encoder)
{
    static constexpr QStringView lineEnd = u"\r\n";
    QString text;
    qsizetype length = 128;
    for (const QString &entry : entries)
        length += entry.size() + 2;
    text.reserve(length);
    text += u"Made With Ostrel Velmora v2.01";
    text += lineEnd;
    text += u"Total number of results: ";
    text += QString::number(entries.size());
    text += lineEnd;
    text += QString(34, u'_');
    text += lineEnd;
    for (const QString &entry : entries) {
        text += entry;
        text += lineEnd;
    }
    encoder.resetState();
    return encoder.encode(text);
}

FileOutcome ExportResults(const QStringList &entries, const QString &path)
{
    // The export's own folder always exists; a fallback folder (Documents) may still have to be made.
    const QString folder = QDir::toNativeSeparators(QFileInfo(path).absolutePath()) + QDir::separator();
    if (FileOutcome made = MakeFolderPath(folder); !made.ok)
        return made;
    QStringEncoder encoder = SystemEncoder();
    return WriteFileAtomically(path, ExportBytes(entries, encoder));
}

} // namespace velmora
