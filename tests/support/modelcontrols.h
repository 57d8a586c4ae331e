#pragma once

// A plain model of the window's controls for headless tests: the grid, the car-type list, the two count
// lists (with their entries and selection), the results list and the run counter caption. Setting the
// Random Order box copies the value into the state object, as the window's click handler does.

#include "code.h"
#include "controls.h"

#include <QStringList>
#include <array>

namespace velmora::test {

class ModelControls final : public Controls {
public:
    std::array<QString, GridRows> ind;
    std::array<QString, GridRows> arr;
    QString old;
    QStringList numberEntries{"1", "2", "3", "4", "5", "6", "7", "8"};
    QStringList oldEntries{"1",  "2",  "3",  "4",  "5",  "6",  "7",  "8",  "9",  "10",
                           "11", "12", "13", "14", "15", "16", "17", "18", "19", "20"};
    int numberIndex = 4;
    int oldIndex = 4;
    QStringList results;
    QString runCaption = QStringLiteral("0");
    int checkRand = 0;
    QList<int> listIndexWrites; // every index set on either count list, in order
    Code *code = nullptr;       // receives RandomOrder when the Random Order box is set

    QString txtInd(int row) const override { return ind.at(static_cast<std::size_t>(row)); }
    void setTxtInd(int row, const QString &text) override { ind.at(static_cast<std::size_t>(row)) = text; }
    QString txtArr(int row) const override { return arr.at(static_cast<std::size_t>(row)); }
    void setTxtArr(int row, const QString &text) override { arr.at(static_cast<std::size_t>(row)) = text; }
    QString txtOld() const override { return old; }

    QString countText(CountList list) const override
    {
        const QStringList &entries = list == CountList::Number ? numberEntries : oldEntries;
        const int index = list == CountList::Number ? numberIndex : oldIndex;
        return index >= 0 && index < entries.size() ? entries.at(index) : QString();
    }

    void setCountListIndex(CountList list, int index) override
    {
        (list == CountList::Number ? numberIndex : oldIndex) = index;
        listIndexWrites.append(index);
    }

    void appendResult(const QString &line) override { results.append(line); }
    void setRunCaption(const QString &caption) override { runCaption = caption; }

    void setCheckRand(int value) override
    {
        checkRand = value;
        if (code)
            code->record.RandomOrder = static_cast<qint16>(value);
    }

    // Selects the count list entry that shows n.
    void requestCars(int n) { numberIndex = n - 1; }
    void requestTypes(int n) { oldIndex = n - 1; }
};

} // namespace velmora::test
