#pragma once

// Small helpers shared by the files tests: byte arrays written out by hand, and records built by hand.

#include "selection.h"

#include <QByteArray>
#include <QStringList>
#include <QtEndian>
#include <initializer_list>

namespace velmora::test {

inline QByteArray Bytes(std::initializer_list<int> values)
{
    QByteArray out;
    for (int value : values)
        out.append(static_cast<char>(value));
    return out;
}

// Builds Selection files field by field, for files the writer would never produce.
class FileBuilder {
public:
    FileBuilder &i16(int value)
    {
        char b[2];
        qToLittleEndian(static_cast<qint16>(value), b);
        m_bytes.append(b, 2);
        return *this;
    }
    FileBuilder &u32(quint32 value)
    {
        char b[4];
        qToLittleEndian(value, b);
        m_bytes.append(b, 4);
        return *this;
    }
    FileBuilder &text(const QByteArray &bytes)
    {
        i16(static_cast<int>(bytes.size()));
        m_bytes.append(bytes);
        return *this;
    }
    FileBuilder &raw(const QByteArray &bytes)
    {
        m_bytes.append(bytes);
        return *this;
    }
    FileBuilder &header(quint32 count) { return i16(1).u32(count).u32(0); }
    FileBuilder &noArray() { return i16(0); }
    // An industry: name, Used, Row, LastType and its car types (a bare header when listed is false).
    FileBuilder &industry(const QByteArray &name, int row, int lastType, const QList<QByteArray> &types,
                          bool listed = true)
    {
        text(name).i16(0).i16(row).i16(lastType);
        if (!listed)
            return noArray();
        header(static_cast<quint32>(types.size()));
        for (const QByteArray &type : types)
            text(type);
        return *this;
    }
    FileBuilder &spare() { return industry({}, 0, 0, {}, false); }
    QByteArray bytes() const { return m_bytes; }

private:
    QByteArray m_bytes;
};

inline IndustryRecord Industry(const QString &name, qint16 row, const QStringList &types)
{
    IndustryRecord industry;
    industry.Name = name;
    industry.Row = row;
    industry.LastType = static_cast<qint16>(types.size() - 1);
    industry.CarTypes.assign(types);
    return industry;
}

// A table as a gathering leaves it: the industries, then one empty spare element.
inline SelectionRecord Table(const QList<IndustryRecord> &industries, qint16 randomOrder = 0,
                             qint16 runCount = 0)
{
    SelectionRecord record;
    record.RandomOrder = randomOrder;
    record.RunCount = runCount;
    record.IndustryCount = static_cast<qint16>(industries.size());
    QList<IndustryRecord> all = industries;
    all.append(IndustryRecord{});
    record.Industries.assign(all);
    return record;
}

// The two records the crash test's child saves in turn: a short one and one long enough that a kill often
// lands while it is being written.
inline SelectionRecord ShortRecord()
{
    return Table({Industry(QStringLiteral("Mill"), 0, {"hopper", "boxcar"})}, 1, 3);
}

inline SelectionRecord LongRecord()
{
    QList<IndustryRecord> industries;
    for (int i = 0; i < 8; ++i) {
        QStringList types;
        for (int t = 0; t < 2000; ++t)
            types.append(QStringLiteral("car type %1 of industry %2").arg(t).arg(i));
        industries.append(Industry(QStringLiteral("Industry %1").arg(i), static_cast<qint16>(i), types));
    }
    return Table(industries, 0, 12);
}

// The largest table this program can write (in UTF-8): eight industries and a spare carried over from a
// loaded table, each name and car-type box as long as a box takes, in characters of three bytes.
inline SelectionRecord LargestRecord()
{
    const auto euros = [](qsizetype n) { return QString(n, QChar(0x20AC)); };
    QList<IndustryRecord> industries;
    for (int i = 0; i < 8; ++i)
        industries.append(
            Industry(euros(21845), static_cast<qint16>(i), {euros(21844), euros(21844), euros(21845)}));
    SelectionRecord record = Table(industries, 1, 32767);
    record.Industries[8] = industries[0];
    return record;
}

// Many results lines, enough to pass a small file-size limit.
inline QStringList ManyEntries(int count)
{
    QStringList entries;
    for (int i = 0; i < count; ++i)
        entries.append(i % 4 == 3 ? QStringLiteral("--------")
                                  : QStringLiteral("Industry %1 - car type %1").arg(i));
    return entries;
}

} // namespace velmora::test
