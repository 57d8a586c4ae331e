#include "selectionlayout.h"

#include "textcodec.h"

#include <QtEndian>
#include <algorithm>

namespace velmora {

namespace {

// The smallest space an element can take: an industry is an empty name, Used, Row, LastType and a bare
// array header; a car type is an empty counted text.
constexpr qsizetype MinIndustryBytes = 10;
constexpr qsizetype MinCarTypeBytes = 2;

void Put16(QByteArray &out, qint16 value)
{
    char bytes[2];
    qToLittleEndian(value, bytes);
    out.append(bytes, 2);
}

void Put32(QByteArray &out, quint32 value)
{
    char bytes[4];
    qToLittleEndian(value, bytes);
    out.append(bytes, 4);
}

void PutText(QByteArray &out, const QString &text, QStringEncoder &encoder)
{
    const QByteArray bytes = EncodeWithin(text, encoder);
    Put16(out, static_cast<qint16>(static_cast<quint16>(bytes.size())));
    out.append(bytes);
}

template <typename T, typename PutElement>
void PutArray(QByteArray &out, const GrowableArray<T> &array, PutElement putElement)
{
    if (!array.isDimensioned()) {
        Put16(out, 0);
        return;
    }
    Put16(out, 1);
    Put32(out, static_cast<quint32>(array.count()));
    Put32(out, 0); // lower bound
    for (const T &element : array.items())
        putElement(element);
}

// Reads the record front to back. Every read checks the bytes left first, and every element count is
// checked against them before anything is allocated, so a damaged file costs memory in proportion to its
// size, never what its counts claim.
class Reader {
public:
    Reader(QByteArrayView bytes, QStringDecoder &decoder) : m_bytes(bytes), m_decoder(decoder) {}

    const QString &error() const { return m_error; }

    bool read16(qint16 &value, const char *what)
    {
        if (!need(2, what))
            return false;
        value = qFromLittleEndian<qint16>(m_bytes.data() + m_pos);
        m_pos += 2;
        return true;
    }

    bool read32(quint32 &value, const char *what)
    {
        if (!need(4, what))
            return false;
        value = qFromLittleEndian<quint32>(m_bytes.data() + m_pos);
        m_pos += 4;
        return true;
    }

    bool readText(QString &text, const char *what)
    {
        qint16 raw = 0;
        if (!read16(raw, what))
            return false;
        const auto length = static_cast<qsizetype>(static_cast<quint16>(raw));
        if (!need(length, what))
            return false;
        m_decoder.resetState();
        text = m_decoder.decode(m_bytes.sliced(m_pos, length));
        m_pos += length;
        return true;
    }

    // The array header. Gives the element count, or -1 for an array that was never dimensioned; false for
    // a header this layout never holds or a count the remaining bytes cannot hold.
    bool readHeader(qsizetype &count, qsizetype minElementBytes, const char *what)
    {
        qint16 dimensions = 0;
        if (!read16(dimensions, what))
            return false;
        if (dimensions == 0) {
            count = -1;
            return true;
        }
        if (dimensions != 1)
            return fail(QStringLiteral("%1 has %2 dimensions at byte %3; only 0 or 1 can be read")
                            .arg(QLatin1String(what))
                            .arg(dimensions)
                            .arg(m_pos - 2));
        quint32 elements = 0;
        quint32 lowerBound = 0;
        if (!read32(elements, what) || !read32(lowerBound, what))
            return false;
        if (lowerBound != 0)
            return fail(QStringLiteral("%1 starts at index %2 instead of 0 (byte %3)")
                            .arg(QLatin1String(what))
                            .arg(static_cast<qint32>(lowerBound))
                            .arg(m_pos - 4));
        const qsizetype left = m_bytes.size() - m_pos;
        if (static_cast<quint64>(elements) * static_cast<quint64>(minElementBytes) >
            static_cast<quint64>(left))
            return fail(
                QStringLiteral("%1 announces %2 elements, more than the %3 bytes after byte %4 can hold")
                    .arg(QLatin1String(what))
                    .arg(elements)
                    .arg(left)
                    .arg(m_pos));
        count = static_cast<qsizetype>(elements);
        return true;
    }

private:
    bool need(qsizetype length, const char *what)
    {
        if (m_bytes.size() - m_pos >= length)
            return true;
        return fail(QStringLiteral("the file ends at byte %1, inside %2")
                        .arg(m_bytes.size())
                        .arg(QLatin1String(what)));
    }

    bool fail(const QString &reason)
    {
        m_error = reason;
        return false;
    }

    QByteArrayView m_bytes;
    QStringDecoder &m_decoder;
    qsizetype m_pos = 0;
    QString m_error;
};

bool ReadIndustry(Reader &reader, IndustryRecord &industry)
{
    qsizetype count = 0;
    if (!reader.readText(industry.Name, "an industry name") || !reader.read16(industry.Used, "an industry") ||
        !reader.read16(industry.Row, "an industry") || !reader.read16(industry.LastType, "an industry") ||
        !reader.readHeader(count, MinCarTypeBytes, "a car-type list"))
        return false;
    // A negative LastType is no list length at all; read it as a single car type.
    industry.LastType = std::max<qint16>(industry.LastType, 0);
    if (count < 0)
        return true;
    QList<QString> carTypes(count);
    for (QString &carType : carTypes) {
        if (!reader.readText(carType, "a car type"))
            return false;
    }
    industry.CarTypes.assign(std::move(carTypes));
    return true;
}

} // namespace

QByteArray SelectionBytes(const SelectionRecord &record, QStringEncoder &encoder)
{
    QByteArray out;
    Put16(out, record.RandomOrder);
    Put16(out, record.RunCount);
    Put16(out, record.IndustryCount);
    PutArray(out, record.Industries, [&](const IndustryRecord &industry) {
        PutText(out, industry.Name, encoder);
        Put16(out, industry.Used);
        Put16(out, industry.Row);
        Put16(out, industry.LastType);
        PutArray(out, industry.CarTypes, [&](const QString &carType) { PutText(out, carType, encoder); });
    });
    return out;
}

FileOutcome ParseSelection(QByteArrayView bytes, QStringDecoder &decoder, SelectionRecord &record)
{
    Reader reader(bytes, decoder);
    SelectionRecord read;
    qsizetype count = 0;
    bool ok = reader.read16(read.RandomOrder, "the record's head") &&
              reader.read16(read.RunCount, "the record's head") &&
              reader.read16(read.IndustryCount, "the record's head") &&
              reader.readHeader(count, MinIndustryBytes, "the industry table");
    if (ok && count >= 0) {
        QList<IndustryRecord> industries(count);
        for (IndustryRecord &industry : industries) {
            if (!(ok = ReadIndustry(reader, industry)))
                break;
        }
        if (ok)
            read.Industries.assign(std::move(industries));
    }
    if (!ok)
        return FileOutcome::failure(reader.error());

    // Only 1 means random order; the box knows no third state.
    read.RandomOrder = read.RandomOrder == 1 ? 1 : 0;
    // The count names the industries the grid gets back: never more than the grid's rows, nor than the
    // table holds, nor below none.
    const auto stored = static_cast<qint16>(std::min<qsizetype>(read.Industries.count(), GridRows));
    read.IndustryCount = std::clamp<qint16>(read.IndustryCount, 0, stored);
    record = std::move(read);
    return {};
}

} // namespace velmora
