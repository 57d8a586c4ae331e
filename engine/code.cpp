#include "code.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace velmora {

QStringList SplitCommaList(const QString &text)
{
    QStringList items = text.split(u',', Qt::KeepEmptyParts);
    if (items.size() > MaxListItems)
        items.resize(MaxListItems);
    return items;
}

qsizetype DrawIndex(float r, qsizetype count)
{
    // The product is formed in double precision, where it is exact for every count a list can have, so a
    // draw just below 1 cannot round up to count; the clamp guards the rest.
    const auto index =
        static_cast<qsizetype>(std::floor(static_cast<double>(r) * static_cast<double>(count)));
    return std::clamp<qsizetype>(index, 0, count - 1);
}

qsizetype RoundedIndex(float s, qsizetype lastType)
{
    // nearbyint rounds in the default mode: to nearest, ties to even.
    const auto index =
        static_cast<qsizetype>(std::nearbyint(static_cast<double>(s) * static_cast<double>(lastType)));
    return std::clamp<qsizetype>(index, 0, lastType);
}

namespace {

// The count list's text as a whole number. The lists only ever show "1" and up; anything else is read as
// a request for a single item rather than for none.
int CountRequest(const Controls &controls, CountList list)
{
    bool ok = false;
    const int n = controls.countText(list).trimmed().toInt(&ok);
    return ok ? std::max(n, 1) : 1;
}

} // namespace

Code::Code(Controls &controls, RandomSource &random) : m_controls(controls), m_random(random)
{
}

void Code::GatherIndustries()
{
    record.IndustryCount = 0;
    for (int row = 0; row < GridRows; ++row) {
        const QString name = m_controls.txtInd(row);
        if (name.isEmpty())
            continue;
        record.Industries.redimPreserve(record.IndustryCount + 1);
        IndustryRecord &industry = record.Industries[record.IndustryCount];
        industry.Used = False;
        industry.Name = name;
        industry.LastType = 0;
        industry.Row = static_cast<qint16>(row);
        ++record.IndustryCount;
    }
}

qint16 Code::SplitCarTypes()
{
    for (qsizetype i = 0; i < record.IndustryCount; ++i) {
        IndustryRecord &industry = record.Industries[i];
        const QString text = m_controls.txtArr(industry.Row);
        if (text.isEmpty())
            return 0;
        const QStringList items = SplitCommaList(text);
        industry.LastType = static_cast<qint16>(items.size() - 1);
        industry.CarTypes.assign(items);
    }
    return 1;
}

void Code::IndustryGo()
{
    record.IndustryCount = 0;
    GatherIndustries();
    if (record.IndustryCount > 0 && SplitCarTypes() != 0)
        PickIndustryCars();
}

void Code::PickIndustryCars()
{
    m_random.reseed();
    const qint16 count = record.IndustryCount;
    int n = CountRequest(m_controls, CountList::Number);
    if (n >= count) {
        // Re-set also when the request equals the count, so the list always shows what is drawn.
        m_controls.setCountListIndex(CountList::Number, count - 1);
        n = count;
    }

    const auto appendCar = [this](const IndustryRecord &industry) {
        const auto c = RoundedIndex(m_random.next(), industry.LastType);
        m_controls.appendResult(industry.Name + QStringLiteral(" - ") + industry.CarTypes[c]);
    };

    if (record.RandomOrder == 1) {
        for (int line = 0; line < n; ++line) {
            qsizetype k = DrawIndex(m_random.next(), count);
            while (record.Industries[k].Used != False)
                k = DrawIndex(m_random.next(), count);
            record.Industries[k].Used = True;
            appendCar(record.Industries[k]);
        }
    } else {
        for (int i = 0; i < n; ++i)
            appendCar(record.Industries[i]);
    }
    EndRun();
}

void Code::PickCarTypes()
{
    const QString text = m_controls.txtOld();
    if (text.isEmpty())
        return;
    const QStringList items = SplitCommaList(text);
    const qsizetype u = items.size() - 1;
    if (u <= 0)
        return;

    if (CountRequest(m_controls, CountList::Old) > u)
        m_controls.setCountListIndex(CountList::Old, static_cast<int>(u));

    const qsizetype m = u + 1;
    std::vector<bool> used(static_cast<std::size_t>(m), false);
    m_random.reseed();
    const qsizetype draws = std::min<qsizetype>(CountRequest(m_controls, CountList::Old), m);
    for (qsizetype d = 0; d < draws; ++d) {
        qsizetype i = DrawIndex(m_random.next(), m);
        while (used[static_cast<std::size_t>(i)])
            i = DrawIndex(m_random.next(), m);
        used[static_cast<std::size_t>(i)] = true;
        m_controls.appendResult(items[i]);
    }
    EndRun();
}

void Code::ClearIndustryTable()
{
    record.Industries.redim(0);
}

void Code::EndRun()
{
    m_controls.appendResult(RunSeparator);
    // A 16-bit counter that stops at its largest value instead of wrapping to a negative count.
    if (record.RunCount < MaxRunCount)
        ++record.RunCount;
    m_controls.setRunCaption(QString::number(record.RunCount));
}

} // namespace velmora
