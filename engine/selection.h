#pragma once

// The selection engine's data model.
//
// `SelectionRecord` is the industry table together with the Random Order choice and the run counter; it is
// rebuilt from the window's industry grid before every industry run and before the table is saved at exit,
// and it is exactly what the Selection file stores. Its arrays behave like the growable arrays the file
// format was designed around: they can be re-dimensioned while keeping their elements, and an array that
// has never been given elements is a different thing from one holding a single empty element (the file
// writes the first as a bare two-byte header).

#include <QList>
#include <QString>
#include <QtGlobal>

namespace velmora {

// 16-bit truth values as the file stores them.
inline constexpr qint16 True = -1;
inline constexpr qint16 False = 0;

template <typename T> class GrowableArray {
public:
    // False for an array that has never been given elements (stored as dimension count 0).
    bool isDimensioned() const { return m_dimensioned; }
    qsizetype count() const { return m_items.size(); }
    qsizetype upperBound() const { return m_items.size() - 1; }

    // Re-dimension to the bounds 0..upper, keeping the elements within them unchanged, dropping those
    // beyond and adding empty ones where the array grows.
    void redimPreserve(qsizetype upper)
    {
        m_dimensioned = true;
        m_items.resize(upper + 1);
    }

    // Re-dimension to the bounds 0..upper with every element empty.
    void redim(qsizetype upper)
    {
        m_dimensioned = true;
        m_items.clear();
        m_items.resize(upper + 1);
    }

    // Give the array exactly these elements (the loader rebuilds arrays this way).
    void assign(QList<T> items)
    {
        m_dimensioned = true;
        m_items = std::move(items);
    }

    T &operator[](qsizetype i) { return m_items[i]; }
    const T &operator[](qsizetype i) const { return m_items[i]; }
    const QList<T> &items() const { return m_items; }

    friend bool operator==(const GrowableArray &, const GrowableArray &) = default;

private:
    QList<T> m_items;
    bool m_dimensioned = false;
};

struct IndustryRecord {
    QString Name;
    qint16 Used = False;
    qint16 Row = 0;
    qint16 LastType = 0; // upper bound of CarTypes
    GrowableArray<QString> CarTypes;

    friend bool operator==(const IndustryRecord &, const IndustryRecord &) = default;
};

struct SelectionRecord {
    qint16 RandomOrder = 0; // value of the Random Order box; only 1 means random order
    qint16 RunCount = 0;
    qint16 IndustryCount = 0;
    GrowableArray<IndustryRecord> Industries; // upper bound IndustryCount after a gathering: one spare

    friend bool operator==(const SelectionRecord &, const SelectionRecord &) = default;
};

// The largest number of items a comma list may contribute: LastType and the car-type run's last index are
// 16-bit values, so a list is read up to its 32,768th item and the rest is ignored.
inline constexpr qsizetype MaxListItems = 32768;

inline constexpr int GridRows = 8;
inline constexpr qint16 MaxRunCount = 32767;

} // namespace velmora
