// The window against its design: every control's name, kind, caption, geometry and tab position, the
// stacking where controls overlap, the focus order, the fonts, and captions that fit their controls.

#include "windowtest.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>
#include <QStyleOptionGroupBox>

using namespace velmora;
using namespace velmora::test;

namespace {

// The design's figures, in twips, copied from the layout drawings. Container-relative.
struct Expected {
    const char *name;
    const char *kind; // Qt class the control must be
    const char *caption;
    int left, top, width, height;
    int tab; // -1: none
    bool inFrame;
};

const Expected Design[] = {
    {"Command6", "QPushButton", "Clear", 7080, 4440, 855, 255, 40, false},
    {"Command5", "QPushButton", "Clear", 4560, 2880, 855, 255, 39, false},
    {"checkData", "QCheckBox", "Save Data", 6720, 4800, 1215, 255, 36, false},
    {"Frame1", "QGroupBox", "Velmora", 120, 480, 8055, 4935, 0, false},
    {"Shape1", "velmora::Shape", nullptr, 0, 0, 8295, 5535, -1, false},
    {"cmdclose", "velmora::MouseLabel", "X", 7920, 120, 255, 255, -1, false},
    {"lblHead", "velmora::MouseLabel", nullptr, 120, 120, 6735, 255, -1, false},
    {"cmdmin", "velmora::MouseLabel", "--", 7680, 120, 255, 255, -1, false},
    {"boxHead", "velmora::Shape", nullptr, 120, 120, 8055, 255, -1, false},
    {"Command4", "QPushButton", "Clear", 3600, 840, 855, 255, 38, true},
    {"checkRand", "velmora::WrapCheckBox", "Random Order", 4440, 2760, 975, 495, 37, true},
    {"lst1", "QListWidget", nullptr, 5520, 480, 2295, 3375, 28, true},
    {"Command3", "QPushButton", "Export", 5520, 3960, 855, 255, 20, true},
    {"Command2", "QPushButton", "Go!", 3600, 480, 855, 255, 2, true},
    {"cboOld", "QComboBox", nullptr, 4560, 720, 855, 315, 27, true},
    {"Command1", "QPushButton", "Go!", 4440, 2040, 855, 255, 19, true},
    {"cboNumber", "QComboBox", nullptr, 4440, 1680, 855, 315, 24, true},
    {"txtOld", "QPlainTextEdit", nullptr, 240, 480, 3255, 645, 1, true},
    {"Label9", "QLabel",
     "For Car Type entry, you may enter as many car types as you like in this format: hopper,boxcar,flatcar",
     240, 4680, 7575, 255, -1, true},
    {"Label7", "QLabel", "# Of Cars:", 4440, 1440, 855, 255, -1, true},
    {"Line2", "velmora::Shape", nullptr, 240, 1320, 5040, 15, -1, true},
    {"Label3", "QLabel", "# Of Cars:", 4560, 480, 855, 255, -1, true},
    {"Label2", "QLabel", "e.g. hopper,boxcar,flatcar", 1320, 240, 2175, 255, -1, true},
    {"Label1", "QLabel", "Car Types:", 240, 240, 855, 255, -1, true},
    {"Label4", "QLabel", "Number of results:", 5520, 240, 1335, 255, -1, true},
    {"lblres", "QLabel", "0", 6960, 240, 855, 255, -1, true},
    {"Label6", "QLabel", "Industry:", 240, 1440, 855, 255, -1, true},
    {"Label8", "QLabel", "Suitable Car Types:", 2400, 1440, 1695, 255, -1, true},
};

QRect Pixels(int left, int top, int width, int height)
{
    return {left / 15, top / 15, width / 15, height / 15};
}

// Where a control's caption is drawn, as its style lays it out.
QRect TextRoom(QWidget *widget)
{
    QStyle *style = widget->style();
    if (auto *check = qobject_cast<QCheckBox *>(widget)) {
        QStyleOptionButton option;
        option.initFrom(check);
        return style->subElementRect(QStyle::SE_CheckBoxContents, &option, check);
    }
    if (auto *button = qobject_cast<QPushButton *>(widget)) {
        QStyleOptionButton option;
        option.initFrom(button);
        return style->subElementRect(QStyle::SE_PushButtonContents, &option, button);
    }
    if (auto *combo = qobject_cast<QComboBox *>(widget)) {
        QStyleOptionComboBox option;
        option.initFrom(combo);
        return style->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, combo);
    }
    return widget->contentsRect();
}

} // namespace

class LayoutTest : public QObject {
    Q_OBJECT

private:
    Harness m_h;

private slots:
    void init()
    {
        QVERIFY(m_h.begin());
        m_h.open();
    }
    void cleanup() { m_h.finish(); }

    void windowIsFramelessFixedAndPlaced()
    {
        VelmoraWindow &w = *m_h.window;
        QCOMPARE(w.objectName(), QStringLiteral("Velmora"));
        QCOMPARE(w.windowTitle(), QStringLiteral("Ostrel Velmora v2.1"));
        QVERIFY(w.windowFlags().testFlag(Qt::FramelessWindowHint));
        QVERIFY(w.isWindow());
        QCOMPARE(w.size(), QSize(552, 368));
        QCOMPARE(w.minimumSize(), QSize(552, 368));
        QCOMPARE(w.maximumSize(), QSize(552, 368));
        QCOMPARE(w.pos(), QPoint(98, 87));
        QCOMPARE(w.windowPosition(), QPointF(1470, 1305));

        const QImage icon = w.windowIcon().pixmap(32, 32).toImage();
        QCOMPARE(icon.size(), QSize(32, 32));
        QSet<QRgb> colours;
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x)
                colours.insert(icon.pixel(x, y));
        QVERIFY2(colours.size() <= 16, qPrintable(QString::number(colours.size())));
        QVERIFY(colours.size() >= 4); // a picture, not a blank
    }

    void everyControlMatchesTheDesign_data()
    {
        QTest::addColumn<int>("index");
        for (int i = 0; i < int(std::size(Design)); ++i)
            QTest::newRow(Design[i].name) << i;
        for (int row = 0; row < 8; ++row) {
            QTest::newRow(qPrintable(QStringLiteral("txtInd(%1)").arg(row))) << -1 - row;
            QTest::newRow(qPrintable(QStringLiteral("txtArr(%1)").arg(row))) << -9 - row;
        }
    }
    void everyControlMatchesTheDesign()
    {
        QFETCH(int, index);
        Expected e{};
        QString name;
        if (index >= 0) {
            e = Design[index];
            name = QString::fromLatin1(e.name);
        } else {
            // The grid: rows 360 twips apart from 1680, names at 240, car types at 2400, 1815 x 285.
            const bool ind = index >= -8;
            const int row = ind ? -1 - index : -9 - index;
            name = QStringLiteral("%1(%2)").arg(ind ? "txtInd" : "txtArr").arg(row);
            e = {nullptr,
                 "QLineEdit",
                 "",
                 ind ? 240 : 2400,
                 1680 + 360 * row,
                 1815,
                 285,
                 (ind ? 3 : 4) + 2 * row,
                 true};
        }
        QWidget *widget = m_h.child(name);
        QCOMPARE(widget->metaObject()->className(), e.kind);
        QCOMPARE(widget->parentWidget()->objectName(),
                 e.inFrame ? QStringLiteral("Frame1") : QStringLiteral("Velmora"));
        QCOMPARE(widget->geometry(), Pixels(e.left, e.top, e.width, e.height));
        if (e.caption != nullptr) {
            QString caption;
            if (auto *label = qobject_cast<QLabel *>(widget))
                caption = label->text();
            else if (auto *button = qobject_cast<QAbstractButton *>(widget))
                caption = button->text();
            else if (auto *frame = qobject_cast<QGroupBox *>(widget))
                caption = frame->title();
            else if (auto *edit = qobject_cast<QLineEdit *>(widget))
                caption = edit->text();
            QCOMPARE(caption, QString::fromUtf8(e.caption));
        }
        // Controls with a tab position take the focus with Tab; the drawn ones never take it.
        QCOMPARE(widget->focusPolicy() == Qt::StrongFocus || widget->focusPolicy() == Qt::WheelFocus,
                 e.tab > 0);
    }

    void captionsDetailsAndTitleStrip()
    {
        auto *head = m_h.child<QLabel>(QStringLiteral("lblHead"));
        QVERIFY(head->text().startsWith(QStringLiteral(" Velmora v2.1")));
        QCOMPARE(m_h.child<QLabel>(QStringLiteral("cmdclose"))->toolTip(), QStringLiteral("End Velmora"));
        QCOMPARE(m_h.child<QLabel>(QStringLiteral("cmdmin"))->toolTip(),
                 QStringLiteral("Minimise Velmora to the taskbar"));
        QVERIFY(m_h.child<QLabel>(QStringLiteral("Label1"))->toolTip().isEmpty());
        QCOMPARE(m_h.child<QLabel>(QStringLiteral("cmdclose"))->alignment() & Qt::AlignHorizontal_Mask,
                 Qt::AlignHCenter);
        QCOMPARE(m_h.child<QLabel>(QStringLiteral("Label2"))->alignment() & Qt::AlignHorizontal_Mask,
                 Qt::AlignRight);
        QCOMPARE(m_h.child<QLabel>(QStringLiteral("Label9"))->alignment() & Qt::AlignHorizontal_Mask,
                 Qt::AlignHCenter);
        QCOMPARE(m_h.child<QLabel>(QStringLiteral("Label6"))->alignment() & Qt::AlignHorizontal_Mask,
                 Qt::AlignLeft);
        // Label2's right edge meets txtOld's.
        QCOMPARE(m_h.child(QStringLiteral("Label2"))->geometry().right(),
                 m_h.child(QStringLiteral("txtOld"))->geometry().right());

        for (const char *name : {"cmdclose", "cmdmin", "lblHead"}) {
            auto *label = m_h.child<QLabel>(QString::fromLatin1(name));
            QCOMPARE(label->palette().color(QPalette::WindowText), QColor(Qt::white));
            QVERIFY(!label->autoFillBackground());
        }
        // The grey band of the title strip and the window's outline, as drawn.
        const QImage image = m_h.window->grab().toImage();
        QCOMPARE(image.pixelColor(8 + 460, 8 + 8), QColor(128, 128, 128)); // between lblHead and "--"
        QCOMPARE(image.pixelColor(500, 9), QColor(128, 128, 128));
        const QColor line = m_h.window->palette().color(QPalette::WindowText);
        for (const QPoint p :
             {QPoint(0, 0), QPoint(1, 200), QPoint(300, 1), QPoint(551, 100), QPoint(200, 367)})
            QCOMPARE(image.pixelColor(p), line);
        QVERIFY(image.pixelColor(2, 200) != line);
        // Line2 across the frame, one pixel high, from frame x 16 to 351.
        const QPoint frame = m_h.child(QStringLiteral("Frame1"))->pos();
        QCOMPARE(image.pixelColor(frame + QPoint(16, 88)), line);
        QCOMPARE(image.pixelColor(frame + QPoint(351, 88)), line);
        QVERIFY(image.pixelColor(frame + QPoint(200, 89)) != line);

        // Screen readers announce the button labels as close and minimise.
        QCOMPARE(m_h.child(QStringLiteral("cmdclose"))->accessibleName(), QStringLiteral("Close"));
        QCOMPARE(m_h.child(QStringLiteral("cmdmin"))->accessibleName(), QStringLiteral("Minimise"));
        QVERIFY(!m_h.child(QStringLiteral("cmdclose"))->accessibleDescription().isEmpty());
        QVERIFY(!m_h.child(QStringLiteral("cmdmin"))->accessibleDescription().isEmpty());
    }

    void stackingWhereControlsOverlap()
    {
        // Later siblings are drawn over earlier ones.
        const auto above = [this](const char *upper, const char *lower) {
            QWidget *a = m_h.child(QString::fromLatin1(upper));
            QWidget *b = m_h.child(QString::fromLatin1(lower));
            const QObjectList &siblings = a->parentWidget()->children();
            return siblings.indexOf(a) > siblings.indexOf(b);
        };
        QVERIFY(above("Command5", "Frame1"));
        QVERIFY(above("Command6", "Frame1"));
        QVERIFY(above("checkData", "Frame1"));
        QVERIFY(above("Command6", "Command5"));
        QVERIFY(above("cmdclose", "cmdmin")); // they overlap by one pixel
        QVERIFY(above("lblHead", "boxHead"));
        QVERIFY(above("cmdmin", "boxHead"));
        QVERIFY(above("Shape1", "cmdclose"));
        // Boxes cover the last strip of the labels that head them.
        QVERIFY(above("txtOld", "Label1"));
        QVERIFY(above("cboOld", "Label3"));
        QVERIFY(above("cboNumber", "Label7"));
        QVERIFY(above("lst1", "Label4"));
        QVERIFY(above("txtInd(0)", "Label6"));
        QVERIFY(above("txtArr(0)", "Label8"));
        // Where they overlap on screen, the pixel belongs to the upper control.
        QWidget *frame = m_h.child(QStringLiteral("Frame1"));
        QCOMPARE(frame->childAt(16 + 5, 32 + 0), m_h.child(QStringLiteral("txtOld")));
        QCOMPARE(m_h.window->childAt(528, 10), m_h.child(QStringLiteral("cmdclose")));
        QCOMPARE(m_h.window->childAt(480, 300), m_h.child(QStringLiteral("Command6")));
    }

    void focusStartsInTxtOldAndTabsInDesignOrder()
    {
        m_h.window->show();
        QVERIFY(QTest::qWaitForWindowActive(m_h.window.get()));
        QCOMPARE(QApplication::focusWidget(), m_h.child(QStringLiteral("txtOld")));

        QStringList expected = {"txtOld", "Command2"};
        for (int row = 0; row < 8; ++row)
            expected << QStringLiteral("txtInd(%1)").arg(row) << QStringLiteral("txtArr(%1)").arg(row);
        expected << "Command1"
                 << "Command3"
                 << "cboNumber"
                 << "cboOld"
                 << "lst1"
                 << "checkData"
                 << "checkRand"
                 << "Command4"
                 << "Command5"
                 << "Command6"
                 << "txtOld";
        QStringList seen = {QApplication::focusWidget()->objectName()};
        for (int i = 1; i < expected.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            seen << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(seen, expected);
    }

    void titleFontsAndDialogFont()
    {
        for (const char *name : {"cmdclose", "cmdmin", "lblHead"}) {
            const QFont font = m_h.child(QString::fromLatin1(name))->font();
            const QFontInfo info(font);
            QCOMPARE(info.pointSizeF(), 9.75);
            QCOMPARE(info.bold(), QByteArray(name) != "lblHead");
            // "MS Sans Serif" where it exists, otherwise the platform's sans-serif interface font.
            const QString interfaceFamily =
                QFontInfo(QFontDatabase::systemFont(QFontDatabase::GeneralFont)).family();
            QVERIFY2(info.family() == QStringLiteral("MS Sans Serif") || info.family() == interfaceFamily,
                     qPrintable(info.family()));
        }
        const QFont dialog = m_h.child(QStringLiteral("Label1"))->font();
        QVERIFY(dialog.pointSizeF() <= 8.0);
        QVERIFY(dialog.pointSizeF() >= 6.0); // still readable
        QCOMPARE(m_h.child(QStringLiteral("txtInd(0)"))->font(), dialog);
        QCOMPARE(m_h.child(QStringLiteral("Command1"))->font(), dialog);
    }

    // Measures every caption and count-list entry with the font its control really uses, in the room its
    // style leaves for text.
    void everyCaptionFitsItsControl()
    {
        const QList<QWidget *> widgets = m_h.window->findChildren<QWidget *>();
        int checked = 0;
        for (QWidget *widget : widgets) {
            QStringList texts;
            bool wraps = false;
            if (auto *label = qobject_cast<QLabel *>(widget))
                texts << label->text();
            else if (auto *box = qobject_cast<QCheckBox *>(widget)) {
                texts << box->text();
                wraps = widget->height() > 20;
            } else if (auto *button = qobject_cast<QPushButton *>(widget))
                texts << button->text();
            else if (auto *combo = qobject_cast<QComboBox *>(widget)) {
                for (int i = 0; i < combo->count(); ++i)
                    texts << combo->itemText(i);
            }
            if (auto *frame = qobject_cast<QGroupBox *>(widget)) {
                QStyleOptionGroupBox option;
                option.initFrom(frame);
                option.text = frame->title();
                option.subControls = QStyle::SC_GroupBoxLabel;
                const QRect room = frame->style()->subControlRect(QStyle::CC_GroupBox, &option,
                                                                  QStyle::SC_GroupBoxLabel, frame);
                QVERIFY(QFontMetrics(frame->font()).horizontalAdvance(frame->title()) <= room.width());
                ++checked;
                continue;
            }
            const QRect room = TextRoom(widget);
            const QFontMetrics metrics(widget->font());
            for (const QString &text : texts) {
                if (text.isEmpty())
                    continue;
                ++checked;
                if (wraps) {
                    const QRect needed =
                        metrics.boundingRect(QRect(0, 0, room.width(), 1000), Qt::TextWordWrap, text);
                    QVERIFY2(needed.width() <= room.width() && needed.height() <= room.height(),
                             qPrintable(widget->objectName()));
                    // Two text lines high, and the caption does break after "Random".
                    QVERIFY(metrics.horizontalAdvance(text) > room.width());
                } else {
                    QVERIFY2(metrics.horizontalAdvance(text) <= room.width(),
                             qPrintable(QStringLiteral("%1: \"%2\" needs %3 of %4")
                                            .arg(widget->objectName(), text)
                                            .arg(metrics.horizontalAdvance(text))
                                            .arg(room.width())));
                    QVERIFY2(metrics.height() <= room.height(), qPrintable(widget->objectName()));
                }
            }
        }
        QVERIFY(checked >= 20 + 28); // the captions and both count lists' entries
    }
};

QTEST_MAIN(LayoutTest)
#include "tst_layout.moc"
