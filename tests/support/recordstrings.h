#pragma once

// How QCOMPARE shows the engine's records when they differ: every field, texts quoted, long texts cut.

#include "selection.h"

#include <QStringList>
#include <QtTest>

namespace velmora {

namespace detail {

inline QString Shown(const QString &text)
{
    constexpr qsizetype Limit = 40;
    if (text.size() <= Limit)
        return u'"' + text + u'"';
    return u'"' + text.first(Limit) + QStringLiteral("\"... (%1 characters)").arg(text.size());
}

template <typename T, typename Show> QString ShownArray(const GrowableArray<T> &array, Show show)
{
    if (!array.isDimensioned())
        return QStringLiteral("never dimensioned");
    QStringList parts;
    for (const T &element : array.items())
        parts.append(show(element));
    return u'[' + parts.join(QStringLiteral(", ")) + u']';
}

inline QString ShownIndustry(const IndustryRecord &industry)
{
    return QStringLiteral("{Name %1, Used %2, Row %3, LastType %4, CarTypes %5}")
        .arg(Shown(industry.Name))
        .arg(industry.Used)
        .arg(industry.Row)
        .arg(industry.LastType)
        .arg(ShownArray(industry.CarTypes, Shown));
}

} // namespace detail

inline char *toString(const IndustryRecord &industry)
{
    return qstrdup(detail::ShownIndustry(industry).toUtf8().constData());
}

inline char *toString(const SelectionRecord &record)
{
    const QString text = QStringLiteral("{RandomOrder %1, RunCount %2, IndustryCount %3, Industries %4}")
                             .arg(record.RandomOrder)
                             .arg(record.RunCount)
                             .arg(record.IndustryCount)
                             .arg(detail::ShownArray(record.Industries, detail::ShownIndustry));
    return qstrdup(text.toUtf8().constData());
}

} // namespace velmora
