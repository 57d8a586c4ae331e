#include "export.h"

#include "atomicfile.h"
#include "folders.h"
#include "textcodec.h"

namespace velmora {

QStringList exportHeading(qsizetype count)
{
    return {QStringLiteral("Made With Ostrel Velmora v2.01"),
            QStringLiteral("Total number of results: ") + QString::number(count), QString(34, u'_')};
}

QByteArray ExportBytes(const QStringList &entries, QStringEncoder &encoder)
{
    static constexpr QStringView lineEnd = u"\r\n";
    const QStringList heading = exportHeading(entries.size());
    qsizetype length = 0;
    for (const QString &line : heading)
        length += line.size() + lineEnd.size();
    for (const QString &entry : entries)
        length += entry.size() + lineEnd.size();
    // Line by line straight into the code page: a long list is never held a second time as one text, whose
    // fresh pages alone cost more than the conversion.
    QByteArray bytes(encoder.requiredSpace(length), Qt::Uninitialized);
    char *end = bytes.data();
    const auto put = [&encoder, &end](QStringView line) {
        end = encoder.appendToBuffer(end, line);
        end = encoder.appendToBuffer(end, lineEnd);
    };
    encoder.resetState();
    for (const QString &line : heading)
        put(line);
    for (const QString &entry : entries)
        put(entry);
    bytes.truncate(end - bytes.data());
    return bytes;
}

FileOutcome exportResults(const QStringList &entries, const QString &path)
{
    // The export's own folder always exists; a fallback folder (Documents) may still have to be made.
    if (FileOutcome made = makeFolderFor(path); !made.ok)
        return made;
    QStringEncoder encoder = SystemEncoder();
    return WriteFileAtomically(path, ExportBytes(entries, encoder));
}

} // namespace velmora
