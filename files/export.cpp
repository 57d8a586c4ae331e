#include "export.h"

#include "atomicfile.h"
#include "folders.h"
#include "textcodec.h"

#include <QDir>
#include <QFileInfo>

namespace velmora {

QStringList ExportHeading(qsizetype count)
{
    return {QStringLiteral("Made With Ostrel Velmora v2.01"),
            QStringLiteral("Total number of results: ") + QString::number(count), QString(34, u'_')};
}

QByteArray ExportBytes(const QStringList &entries, QStringEncoder &encoder)
{
    static constexpr QStringView lineEnd = u"\r\n";
    QString text;
    qsizetype length = 128;
    for (const QString &entry : entries)
        length += entry.size() + 2;
    text.reserve(length);
    for (const QString &line : ExportHeading(entries.size())) {
        text += line;
        text += lineEnd;
    }
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
