#include "filebytes.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <unistd.h>
#endif

namespace velmora {

namespace {

#ifdef Q_OS_UNIX
// A rename is only durable once the folder that holds the name is on disk too.
void SyncFolder(const QString &folder)
{
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}
#endif

} // namespace

QStringEncoder SystemEncoder()
{
    return QStringEncoder(QStringConverter::System, QStringConverter::Flag::Stateless);
}

QStringDecoder SystemDecoder()
{
    // A text that starts with a byte-order mark keeps it: the decoder would otherwise drop it, and a name
    // would come back shorter than it was saved.
    return QStringDecoder(QStringConverter::System,
                          QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom);
}

QByteArray EncodeWithin(QStringView text, QStringEncoder &encoder, qsizetype limit)
{
    const auto encode = [&encoder](QStringView part) {
        encoder.resetState();
        return QByteArray(encoder.encode(part));
    };
    QByteArray whole = encode(text);
    if (whole.size() <= limit)
        return whole;

    // The encoded length grows with the prefix, so the longest prefix that fits is found by halving.
    // A prefix never ends between the two halves of a surrogate pair.
    const auto boundary = [text](qsizetype n) {
        return n > 0 && n < text.size() && text[n - 1].isHighSurrogate() && text[n].isLowSurrogate() ? n - 1
                                                                                                     : n;
    };
    qsizetype low = 0;
    qsizetype high = text.size() - 1;
    while (low < high) {
        const qsizetype mid = low + (high - low + 1) / 2;
        if (encode(text.first(boundary(mid))).size() <= limit)
            low = mid;
        else
            high = mid - 1;
    }
    return encode(text.first(boundary(low)));
}

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

bool WriteAll(QIODevice &device, const QByteArray &bytes, QString *error)
{
    if (device.write(bytes) == bytes.size())
        return true;
    if (error)
        *error = device.errorString();
    return false;
}

bool WriteExport(QIODevice &device, const QStringList &entries, QStringEncoder &encoder, QString *error)
{
    return WriteAll(device, ExportBytes(entries, encoder), error);
}

FileOutcome WriteFileAtomically(const QString &path, const QByteArray &bytes)
{
    FileOutcome outcome;
    const auto fail = [&outcome](const QString &reason) {
        outcome.ok = false;
        outcome.error = reason;
        return outcome;
    };

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return fail(file.errorString());
    // QSaveFile would commit a file cut short by a short write, so every step is checked here and the
    // temporary file is abandoned on the first error.
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        file.commit();
        return fail(reason);
    }
    if (!file.commit())
        return fail(file.errorString());
#ifdef Q_OS_UNIX
    SyncFolder(QFileInfo(path).absolutePath());
#endif
    return outcome;
}

} // namespace velmora
