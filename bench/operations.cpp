#include "operations.h"

#include "selectionfile.h"
#include "selectionlayout.h"
#include "textcodec.h"
#include "velmorawindow.h"

#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QFile>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <cstdio>

namespace velmora::bench {

namespace {

class AnswerOk final : public MessageBoxes {
public:
    MessageAnswer ask(QWidget *, const Message &) override { return MessageAnswer::Ok; }
};

class StayOpen final : public ProgramEnd {
public:
    void end(QWidget &) override {}
};

// Counts the paint events of every widget in one window, so a timing can run until the frame that shows
// a command's outcome has been painted.
class PaintCounter final : public QObject {
public:
    explicit PaintCounter(QWidget *window) : m_window(window) { qApp->installEventFilter(this); }
    ~PaintCounter() override { qApp->removeEventFilter(this); }
    int count() const { return m_count; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && watched->isWidgetType() &&
            static_cast<QWidget *>(watched)->window() == m_window)
            ++m_count;
        return QObject::eventFilter(watched, event);
    }

private:
    QWidget *m_window;
    int m_count = 0;
};

QString CommaList(const QString &stem, int count)
{
    QStringList items;
    items.reserve(count);
    for (int i = 0; i < count; ++i)
        items.append(stem + QString::number(i));
    return items.join(u',');
}

// Results as runs leave them: eight car lines and the separator, over and over.
QStringList ResultLines(int count)
{
    QStringList lines;
    lines.reserve(count);
    for (int i = 0; i < count; ++i)
        lines.append(i % 9 == 8 ? RunSeparator
                                : QStringLiteral("Industry %1 - boxcar-%2").arg(i % 9).arg(i % 1000));
    return lines;
}

class Bench {
public:
    explicit Bench(int runs) : m_runs(runs), m_window(WindowSeams{&m_answers, &m_end}), m_paints(&m_window)
    {
        m_window.Form_Load();
        m_window.show();
        Settle();
        m_list = m_window.findChild<QListWidget *>(QStringLiteral("lst1"));
        for (int row = 0; row < GridRows; ++row) {
            m_window.setTxtInd(row, QStringLiteral("Industry %1").arg(row));
            m_window.setTxtArr(row, CommaList(QStringLiteral("boxcar-%1-").arg(row), 1000));
        }
        m_window.setCountListIndex(CountList::Number, 7); // "8"
        // As many car types as the box holds: 8,000 of "type-0" to "type-7999" are 61 KiB.
        m_window.findChild<QPlainTextEdit *>(QStringLiteral("txtOld"))
            ->setPlainText(CommaList(QStringLiteral("type-"), 8000));
        m_window.setCountListIndex(CountList::Old, 19); // "20"
        Settle();
    }

    VelmoraWindow &window() { return m_window; }
    QPushButton *button(const char *name) { return m_window.findChild<QPushButton *>(QLatin1String(name)); }

    void FillResults(int count)
    {
        m_list->clear();
        m_list->addItems(ResultLines(count));
        Settle();
    }

    // No entry selected, as before a first export; the export then moves the selection to the last entry.
    void ClearSelection()
    {
        m_list->setCurrentItem(nullptr);
        m_list->clearSelection();
        Settle();
    }

    // The median time from a paste of text into txtOld, emptied first, to the end of the next painted frame.
    double PasteToFrame(const QString &text)
    {
        auto *box = m_window.findChild<QPlainTextEdit *>(QStringLiteral("txtOld"));
        return MedianMs(
            m_runs,
            [this, box] {
                const int painted = m_paints.count();
                box->paste();
                QElapsedTimer limit;
                limit.start();
                while (m_paints.count() == painted && limit.elapsed() < 60000)
                    QCoreApplication::processEvents();
            },
            [box, text] {
                box->clear();
                box->setFocus();
                QApplication::clipboard()->setText(text);
                Settle();
            });
    }

    // The median time from a click to the end of the next painted frame of the window.
    double ClickToFrame(QPushButton *button, const std::function<void()> &before = {})
    {
        return MedianMs(
            m_runs,
            [this, button] {
                const int painted = m_paints.count();
                button->click();
                QElapsedTimer limit;
                limit.start();
                while (m_paints.count() == painted && limit.elapsed() < 1000)
                    QCoreApplication::processEvents();
                if (m_paints.count() == painted)
                    std::fprintf(stderr, "bench: no frame was painted after %s\n",
                                 qPrintable(button->objectName()));
            },
            before);
    }

private:
    static void Settle()
    {
        for (int i = 0; i < 5; ++i)
            QCoreApplication::processEvents();
    }

    int m_runs;
    AnswerOk m_answers;
    StayOpen m_end;
    VelmoraWindow m_window;
    PaintCounter m_paints;
    QListWidget *m_list = nullptr;
};

Row GrowthRow(const QString &measure, const QList<double> &ms)
{
    // ms holds the medians at 1,000, 10,000 and 100,000 entries.
    const double ratio = ms[0] > 0 ? ms[2] / ms[0] : 0;
    return {measure + QStringLiteral(", 100,000 entries"),
            Ms(ms[2]),
            QStringLiteral("%1 at 1,000 entries, %2 at 10,000").arg(Ms(ms[0]), Ms(ms[1])),
            Ratio(ratio),
            QStringLiteral("≤ 16 ms; flat or linear (ratio ≤ 100)"),
            ms[2] <= 16.0 && ratio <= 100.0 ? QStringLiteral("yes") : QStringLiteral("no")};
}

} // namespace

QList<Row> MeasureOperations(int runs, const QString &folder)
{
    Bench bench(runs);
    const QList<int> sizes = {1000, 10000, 100000};
    QList<double> industryGo, carTypeGo, clear, exportMs;
    for (const int size : sizes) {
        bench.FillResults(size);
        industryGo.append(bench.ClickToFrame(bench.button("Command1")));
        bench.FillResults(size);
        carTypeGo.append(bench.ClickToFrame(bench.button("Command2")));
        bench.FillResults(size);
        exportMs.append(bench.ClickToFrame(bench.button("Command3"), [&bench] { bench.ClearSelection(); }));
        clear.append(
            bench.ClickToFrame(bench.button("Command6"), [&bench, size] { bench.FillResults(size); }));
    }

    QList<Row> rows;
    rows.append(GrowthRow(QStringLiteral("Industry Go!, 8 rows of 1,000 car types"), industryGo));
    rows.append(GrowthRow(QStringLiteral("Car-type Go!, 8,000 items"), carTypeGo));
    rows.append(GrowthRow(QStringLiteral("Clear of the results"), clear));
    rows.append(GrowthRow(QStringLiteral("Export"), exportMs));

    // The largest list the car-type box accepts, 32,768 one-letter car types (65,535 bytes), pasted; set
    // against a paste of 1,024 of them (2 KiB), which the box lays out word by word.
    const auto letters = [](int count) { return QStringList(count, QStringLiteral("a")).join(u','); };
    const double pasteLargest = bench.PasteToFrame(letters(32768));
    const double pasteSmall = bench.PasteToFrame(letters(1024));
    rows.append(
        {QStringLiteral("Paste of the largest car-type list the box accepts (32,768 items, 64 KiB) to "
                        "a painted frame"),
         Ms(pasteLargest), Ms(pasteSmall) + QStringLiteral(", a paste of 1,024 items"),
         Ratio(pasteSmall > 0 ? pasteLargest / pasteSmall : 0), QStringLiteral("≤ 32 ms (two frames)"),
         pasteLargest <= 32.0 ? QStringLiteral("yes") : QStringLiteral("no")});

    // The full table, gathered from the grid as the exit does. The save is set against a plain write of
    // the same bytes (the floor of any file of this size); the load, which fills the grid, against reading
    // and decoding the file alone.
    Code &code = bench.window().code();
    code.GatherIndustries();
    code.SplitCarTypes();
    const SelectionRecord record = code.record;
    QStringEncoder encoder = SystemEncoder();
    const QByteArray bytes = SelectionBytes(record, encoder);

    const QString path = folder + QStringLiteral("/Selection");
    const QString plain = folder + QStringLiteral("/plain");
    const QString saved = folder + QStringLiteral("/Selection.saved");
    const double save = MedianMs(runs, [&] { SaveSelection(record, path); });
    const double plainWrite = MedianMs(runs, [&] {
        QFile file(plain);
        if (file.open(QIODevice::WriteOnly))
            file.write(bytes);
    });
    QFile::remove(saved);
    QFile::copy(path, saved);
    const double load = MedianMs(
        runs, [&] { LoadSelection(code, bench.window(), path); },
        [&] {
            // An empty grid, as at start-up, so the load really fills every box.
            for (int row = 0; row < GridRows; ++row) {
                bench.window().setTxtInd(row, QString());
                bench.window().setTxtArr(row, QString());
            }
            QFile::remove(path);
            QFile::copy(saved, path);
        });
    // Reading and decoding the file without the grid: what the load costs before the window's boxes.
    const double decode = MedianMs(runs, [&] {
        QFile file(saved);
        QStringDecoder decoder = SystemDecoder();
        SelectionRecord read;
        if (file.open(QIODevice::ReadOnly))
            ParseSelection(file.readAll(), decoder, read);
    });

    const QString size = QStringLiteral("%1 KiB").arg(static_cast<double>(bytes.size()) / 1024, 0, 'f', 0);
    rows.append({QStringLiteral("Save of a full table (8 industries × 1,000 car types, %1)").arg(size),
                 Ms(save), Ms(plainWrite) + QStringLiteral(", plain write of the same bytes"),
                 Ratio(plainWrite > 0 ? save / plainWrite : 0), QStringLiteral("—"), QStringLiteral("—")});
    rows.append({QStringLiteral("Load of that table into the window"), Ms(load),
                 Ms(decode) + QStringLiteral(", reading and decoding the file alone"),
                 Ratio(decode > 0 ? load / decode : 0), QStringLiteral("—"), QStringLiteral("—")});
    return rows;
}

} // namespace velmora::bench
