#pragma once

// A plain model of the main window's controls for headless tests of the engine and the file code.
//
// It holds what the window's controls would show and counts the calls that matter. Like the window, setting
// the Random Order box runs the box's handler, which copies the value into RandomOrder of the Code attached
// with attach(). A row outside the grid is a fault in the code under test and stops the test at once.

#include "code.h"

#include <QStringList>
#include <array>

namespace velmora::test {

class ModelControls final : public Controls {
public:
    std::array<QString, GridRows> ind;
    std::array<QString, GridRows> arr;
    QString old;
    int numberIndex = 4; // cboNumber shows "1" to "8"; the window selects "5" at start-up
    int oldIndex = 4;    // cboOld shows "1" to "20"
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
        return QString::number((list == CountList::Number ? numberIndex : oldIndex) + 1);
    }

    void setCountListIndex(CountList list, int index) override
    {
        const int entries = list == CountList::Number ? 8 : 20;
        if (index < 0 || index >= entries)
            qFatal("count list index %d outside the list", index);
        (list == CountList::Number ? numberIndex : oldIndex) = index;
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
