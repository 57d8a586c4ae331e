#pragma once

// A plain model of the main window's controls for headless tests of the engine and the file code.
//
// It holds what the window's controls would show and records the calls that matter. Like the window,
// setting the Random Order box runs the box's handler, which copies the value into RandomOrder of the Code
// attached with attach(). A row or list index outside the controls is a fault in the code under test and
// stops the test at once.

#include "code.h"

#include <QStringList>
#include <array>

namespace velmora::test {

class ModelControls final : public Controls {
public:
    std::array<QString, GridRows> ind;
    std::array<QString, GridRows> arr;
    QString old;
    // The count lists as start-up fills them, with "5" selected in each.
    QStringList numberEntries{"1", "2", "3", "4", "5", "6", "7", "8"};
    QStringList oldEntries{"1",  "2",  "3",  "4",  "5",  "6",  "7",  "8",  "9",  "10",
                           "11", "12", "13", "14", "15", "16", "17", "18", "19", "20"};
    int numberIndex = 4;
    int oldIndex = 4;
    QList<int> listIndexWrites; // every index set on either count list, in order
    QStringList results;
    QString runCaption = QStringLiteral("0");
    int checkRand = 0;
    int checkRandSets = 0; // how often the box was set

    // The Code whose RandomOrder the box's handler keeps in step.
    void attach(Code &code) { m_code = &code; }

    QString txtInd(int row) const override { return ind[checked(row)]; }
    void setTxtInd(int row, const QString &text) override { ind[checked(row)] = text; }
    QString txtArr(int row) const override { return arr[checked(row)]; }
    void setTxtArr(int row, const QString &text) override { arr[checked(row)] = text; }
    QString txtOld() const override { return old; }

    QString countText(CountList list) const override
    {
        const QStringList &entries = list == CountList::Number ? numberEntries : oldEntries;
        const int index = list == CountList::Number ? numberIndex : oldIndex;
        return index >= 0 && index < entries.size() ? entries.at(index) : QString();
    }

    void setCountListIndex(CountList list, int index) override
    {
        const QStringList &entries = list == CountList::Number ? numberEntries : oldEntries;
        if (index < 0 || index >= entries.size())
            qFatal("count list index %d outside the list", index);
        (list == CountList::Number ? numberIndex : oldIndex) = index;
        listIndexWrites.append(index);
    }

    void appendResult(const QString &line) override { results.append(line); }
    void setRunCaption(const QString &caption) override { runCaption = caption; }

    void setCheckRand(int value) override
    {
        checkRand = value;
        ++checkRandSets;
        if (m_code)
            m_code->record.RandomOrder = static_cast<qint16>(value);
    }

    // Selects the count list entry that shows n.
    void requestCars(int n) { numberIndex = n - 1; }
    void requestTypes(int n) { oldIndex = n - 1; }

    // Every grid row, names first, for comparing a whole grid at once.
    QStringList grid() const
    {
        QStringList all;
        for (const QString &text : ind)
            all.append(text);
        for (const QString &text : arr)
            all.append(text);
        return all;
    }

private:
    static std::size_t checked(int row)
    {
        if (row < 0 || row >= GridRows)
            qFatal("grid row %d outside rows 0 to 7", row);
        return static_cast<std::size_t>(row);
    }

    Code *m_code = nullptr;
};

} // namespace velmora::test
