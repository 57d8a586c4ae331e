#include "velmorawindow.h"

#include "accessibility.h"
#include "atomicfile.h"
#include "export.h"
#include "folders.h"
#include "layout.h"
#include "packaging/velmora.xpm" // the program's icon, velmora_xpm
#include "printing.h"
#include "runninglock.h"
#include "selectionfile.h"
#include "selectionlayout.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QListWidget>
#include <QLocale>
#include <QMouseEvent>
#include <QPixmap>
#include <QPrinter>
#include <QPushButton>
#include <QSessionManager>
#include <QWindow>
#include <cstdio>

namespace velmora {

namespace {

// The virtual-key codes of the keys the window handles, as Form_KeyDown receives them.
constexpr int keyF1 = 112;
constexpr int keyF12 = 123;
constexpr int keyEscape = 27;

// The virtual-key code of a Qt key the window handles; 0 for any other key.
int virtualKeyCode(int qtKey)
{
    switch (qtKey) {
    case Qt::Key_F1:
        return keyF1;
    case Qt::Key_F12:
        return keyF12;
    case Qt::Key_Escape:
        return keyEscape;
    default:
        return 0;
    }
}

QPoint pixelPoint(QPointF twips)
{
    return {twipsToPixels(static_cast<float>(twips.x())), twipsToPixels(static_cast<float>(twips.y()))};
}

// The design's shift-state argument: 1 Shift, 2 Ctrl, 4 Alt.
int shiftState(Qt::KeyboardModifiers modifiers)
{
    return (modifiers.testFlag(Qt::ShiftModifier) ? 1 : 0) |
           (modifiers.testFlag(Qt::ControlModifier) ? 2 : 0) | (modifiers.testFlag(Qt::AltModifier) ? 4 : 0);
}

QString grouped(qsizetype number)
{
    return QLocale(QLocale::English).toString(number);
}

bool platformPlacesWindows()
{
    // A Wayland client cannot choose where its window lies; only the compositor moves it.
    return !QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

} // namespace

VelmoraWindow::VelmoraWindow(WindowSeams seams, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), m_code(*this, m_random),
      m_messages(seams.messages), m_end(seams.end), m_printing(seams.printing),
      m_places(seams.places ? *seams.places : FilePlaces())
{
    if (m_messages == nullptr) {
        m_ownMessages = std::make_unique<QtMessageBoxes>();
        m_messages = m_ownMessages.get();
    }
    if (m_end == nullptr) {
        m_ownEnd = std::make_unique<QuitProgram>();
        m_end = m_ownEnd.get();
    }
    if (m_printing == nullptr) {
        m_ownPrinting = std::make_unique<QtPrintDialogs>();
        m_printing = m_ownPrinting.get();
    }

    // Before the first change a screen reader may be told of: Qt keeps the interface it makes then, and
    // without the factory the window would be offered as a nameless filler, not a window.
    installAccessibility();
    setObjectName(QStringLiteral("Velmora"));
    setWindowTitle(windowCaption);
    // Straight from the compiled-in image: no resource to unpack and no image reader to find.
    setWindowIcon(QIcon(QPixmap(velmora_xpm)));
    setFixedSize(twipsToPixels(clientWidth), twipsToPixels(clientHeight));
    m_left = windowLeft;
    m_top = windowTop;
    placeWindow();

    m_ui = buildControls(*this);
    m_cmdclosePos = QPointF(m_ui.cmdclose->pos()) * static_cast<double>(twipsPerPixel);
    m_cmdminPos = QPointF(m_ui.cmdmin->pos()) * static_cast<double>(twipsPerPixel);
    connectHandlers();
    m_ui.txtOld->setFocus();
}

VelmoraWindow::~VelmoraWindow()
{
    if (m_keyPreview)
        qApp->removeEventFilter(this);
}

void VelmoraWindow::connectHandlers()
{
    connect(m_ui.Command1, &QPushButton::clicked, this, &VelmoraWindow::Command1_Click);
    connect(m_ui.Command2, &QPushButton::clicked, this, &VelmoraWindow::Command2_Click);
    connect(m_ui.Command3, &QPushButton::clicked, this, &VelmoraWindow::Command3_Click);
    connect(m_ui.Command4, &QPushButton::clicked, this, &VelmoraWindow::Command4_Click);
    connect(m_ui.Command5, &QPushButton::clicked, this, &VelmoraWindow::Command5_Click);
    connect(m_ui.Command6, &QPushButton::clicked, this, &VelmoraWindow::Command6_Click);
    m_ui.lst1->viewport()->installEventFilter(this);
    for (TextBox *box : m_ui.txtInd)
        connect(box, &TextBox::refused, this, &VelmoraWindow::reportBoxFull);
    for (TextBox *box : m_ui.txtArr)
        connect(box, &TextBox::refused, this, &VelmoraWindow::reportBoxFull);
    connect(m_ui.txtOld, &CarTypeBox::refused, this, &VelmoraWindow::reportBoxFull);
    connect(m_ui.lst1, &ResultsList::printRequested, this, &VelmoraWindow::printResults);
    // A check box's handler runs whenever its value changes, by a click or from code.
    connect(m_ui.checkData, &QCheckBox::toggled, this, &VelmoraWindow::checkData_Click);
    connect(m_ui.checkRand, &QCheckBox::toggled, this, &VelmoraWindow::checkRand_Click);

    connect(m_ui.cmdclose, &MouseLabel::mouseDown, this, &VelmoraWindow::cmdclose_MouseDown);
    connect(m_ui.cmdclose, &MouseLabel::mouseUp, this, &VelmoraWindow::cmdclose_MouseUp);
    connect(m_ui.cmdclose, &MouseLabel::clicked, this, &VelmoraWindow::cmdclose_Click);
    connect(m_ui.cmdmin, &MouseLabel::mouseDown, this, &VelmoraWindow::cmdmin_MouseDown);
    connect(m_ui.cmdmin, &MouseLabel::mouseUp, this, &VelmoraWindow::cmdmin_MouseUp);
    connect(m_ui.cmdmin, &MouseLabel::clicked, this, &VelmoraWindow::cmdmin_Click);
    connect(m_ui.lblHead, &MouseLabel::mouseDown, this, &VelmoraWindow::lblHead_MouseDown);
    connect(m_ui.lblHead, &MouseLabel::mouseMove, this, &VelmoraWindow::lblHead_MouseMove);
    connect(m_ui.lblHead, &MouseLabel::mouseUp, this, [this](const LabelMouse &) {
        if (m_ui.lblHead->pressedButtons() == 0) {
            m_dragging = false;
            m_systemMoving = false;
        }
    });
    connect(m_ui.lblHead, &MouseLabel::doubleClicked, this, &VelmoraWindow::lblHead_DblClick);
#if QT_CONFIG(sessionmanager)
    // Direct, as Qt asks: the session manager waits until the handler returns.
    connect(qApp, &QGuiApplication::commitDataRequest, this, &VelmoraWindow::commitData,
            Qt::DirectConnection);
#endif
    // Announced while the window is still open only when the system ends the program: on Windows, at
    // WM_ENDSESSION, after which Qt closes every window.
    connect(qApp, &QCoreApplication::aboutToQuit, this, &VelmoraWindow::endWithSession);
}

// ---- Start-up and shutdown ----

void VelmoraWindow::Form_Load()
{
    if (!m_keyPreview) {
        m_keyPreview = true;
        qApp->installEventFilter(this);
    }
    StartUp();
}

bool takeRunningLock(RunningLock &lock, const FilePlaces &places, MessageBoxes &messages)
{
    if (lock.take(places) != RunningLock::Outcome::HeldElsewhere)
        return true;
    messages.ask(nullptr,
                 {VelmoraWindow::tr("Velmora is already running.\n\nOnly one Velmora can run at a time, so "
                                    "that neither overwrites the industry table the other saves. Use "
                                    "the Velmora window that is already open."),
                  VelmoraWindow::tr("Velmora Is Already Running"), MessageButtons::Ok, MessageIcon::Warning});
    return false;
}

void VelmoraWindow::StartUp()
{
    dropSessionSave(); // a start afresh, which finds no table of its own
    m_code.SaveOnExit = False;
    // A repeated start-up also unticks Save Data, so the box always says whether the exit will save.
    setCheckData(0);

    // A table saved where this user could not write waits in the fallback place; of two, the newer wins
    // and the older one, overtaken, goes too.
    // A save killed part-way may have left its temporary file beside the Selection file.
    for (const QString &place : {m_places.roots().selectionFile, m_places.roots().selectionFallback})
        removeAtomicWriteLeftovers(place);
    const QStringList saved = m_places.savedSelections();
    bool loaded = false;
    if (!saved.isEmpty()) {
        m_cutTexts.clear();
        const FileOutcome outcome = LoadSelection(m_code, *this, saved.first());
        if (outcome.ok) {
            loaded = true;
            // A table that stays would come back at a later start: each one that does is named, with why.
            QStringList undeleted;
            if (!outcome.error.isEmpty())
                undeleted << QDir::toNativeSeparators(saved.first()) + QStringLiteral("\n\n") + outcome.error;
            for (const QString &older : saved.sliced(1)) {
                QFile file(older);
                if (!file.remove())
                    undeleted << QDir::toNativeSeparators(older) + QStringLiteral("\n\n") +
                                     file.errorString();
            }
            setCheckData(1);
            reportCutTexts();
            if (!undeleted.isEmpty())
                ask({(outcome.error.isEmpty()
                          ? tr("The newer saved industry table was loaded, but the older one could not be "
                               "deleted, so it may be loaded again at a later start.")
                          : tr("The saved industry table was loaded, but the file could not be deleted, "
                               "so it will be loaded again at the next start.")) +
                         QStringLiteral("\n\n") + undeleted.join(QStringLiteral("\n\n")),
                     tr("Saved Data Not Deleted"), MessageButtons::Ok, MessageIcon::Warning});
        } else {
            reportLoadFailure(outcome, saved.first());
        }
    }
    if (!loaded) {
        clearGrid();
        // A folder that cannot be made now is no reason to stop: saving at exit makes it again.
        makeFolderFor(m_places.roots().selectionFile);
    }

    m_code.record.RunCount = 0;
    fillCountList(m_ui.cboNumber, 8);
    fillCountList(m_ui.cboOld, 20);
}

void VelmoraWindow::reportLoadFailure(const FileOutcome &outcome, const QString &path)
{
    const QString kept =
        outcome.keptAs.isEmpty() ? QDir::toNativeSeparators(path) : QDir::toNativeSeparators(outcome.keptAs);
    ask({tr("The saved industry table could not be loaded, so Velmora starts with an empty table.\n\n"
            "%1\n\nThe saved file was kept as %2")
             .arg(outcome.error, kept),
         tr("Saved Data Not Loaded"), MessageButtons::Ok, MessageIcon::Warning});
}

void VelmoraWindow::reportCutTexts()
{
    if (m_cutTexts.isEmpty())
        return;
    ask({tr("Part of the saved industry table did not fit its boxes, which hold at most %1 bytes of text "
            "and %2 car types each, and was left out:\n\n%3\n\nEverything else was loaded.")
             .arg(grouped(MaxTextBytes), grouped(MaxListItems), m_cutTexts.join(u'\n')),
         tr("Saved Data Cut"), MessageButtons::Ok, MessageIcon::Warning});
    m_cutTexts.clear();
}

void VelmoraWindow::reportBoxFull(BoxLimit limit)
{
    // Shown once the edit that was refused has finished, and once for edits refused together. Queued by
    // name, as a queued functor looks like a leak to the static analyser.
    if (m_boxFullPending)
        return;
    m_boxFullPending = true;
    QMetaObject::invokeMethod(this, "showBoxFull", Qt::QueuedConnection, Q_ARG(int, static_cast<int>(limit)));
}

void VelmoraWindow::showBoxFull(int limit)
{
    m_boxFullPending = false;
    const QString text =
        static_cast<BoxLimit>(limit) == BoxLimit::Items
            ? tr("The text was not added: a list holds at most %1 car types, as many as a "
                 "draw chooses from.")
                  .arg(grouped(MaxListItems))
            : tr("The text was not added: a box holds at most %1 bytes of text, so that a "
                 "saved table keeps it whole. Letters beyond plain English may take more than "
                 "one byte.")
                  .arg(grouped(MaxTextBytes));
    ask({text, tr("Box Full"), MessageButtons::Ok, MessageIcon::Warning});
}

void VelmoraWindow::fillCountList(QComboBox *list, int last)
{
    // A repeated start-up empties the list first, so it never holds its sequence twice.
    list->clear();
    for (int n = 1; n <= last; ++n)
        list->addItem(QString::number(n));
    list->setCurrentIndex(4);
}

void VelmoraWindow::clearGrid()
{
    for (int row = 0; row < GridRows; ++row)
        setTxtInd(row, QString());
    for (int row = 0; row < GridRows; ++row)
        setTxtArr(row, QString());
}

void VelmoraWindow::ShutDown()
{
    if (m_code.SaveOnExit != True) {
        dropSessionSave();
    } else {
        for (;;) {
            QString path;
            const FileOutcome outcome = saveTable(path);
            if (outcome.ok)
                break;
            const MessageAnswer answer =
                ask({tr("The industry table could not be saved to %1\n\n%2\n\n"
                        "Retry to try again, Discard to end without saving, or Cancel to keep Velmora open.")
                         .arg(QDir::toNativeSeparators(path), outcome.error),
                     tr("Save Failed"), MessageButtons::RetryDiscardCancel, MessageIcon::Warning});
            if (answer == MessageAnswer::Discard) {
                dropSessionSave(); // an end without saving: no table may come back at the next start
                break;
            }
            if (answer != MessageAnswer::Retry)
                return; // Cancel: nothing is lost, the program carries on
        }
    }
    endProgram();
}

FileOutcome VelmoraWindow::saveTable(QString &path)
{
    m_code.GatherIndustries();
    m_code.SplitCarTypes(); // saved even when a named row has no car types
    path = m_places.selectionFile();
    return SaveSelection(m_code.record, path);
}

void VelmoraWindow::endUnattended()
{
    if (m_ended)
        return;
    if (m_code.SaveOnExit == True)
        saveUnattended();
    else
        dropSessionSave();
    endProgram();
}

QString VelmoraWindow::saveUnattended()
{
    QString path;
    const FileOutcome outcome = saveTable(path);
    if (outcome.ok)
        return path;
    const QString report = tr("Velmora: the industry table could not be saved to %1: %2\n")
                               .arg(QDir::toNativeSeparators(path), outcome.error);
    std::fputs(report.toLocal8Bit().constData(), stderr);
    return {};
}

// The session is ending (a logout or a shutdown; on Windows WM_QUERYENDSESSION), and the session manager
// may end the program next without another word. So the table is saved now, without a box, which would hold
// the logout. Should the session go on after all, the program goes on too, and drops this file again if
// it later ends without saving.
void VelmoraWindow::commitData()
{
    if (m_ended)
        return;
    m_sessionCommitted = true;
    if (m_code.SaveOnExit != True)
        return;
    if (const QString saved = saveUnattended(); !saved.isEmpty())
        m_sessionSave = saved;
}

// The session's end goes on (WM_ENDSESSION): commitData has saved the table, and a second save, or its box,
// must not hold the logout. Ended so without a session's request first, the program ends as a signal ends it.
void VelmoraWindow::endWithSession()
{
    if (m_sessionCommitted)
        endProgram();
    else
        endUnattended();
}

// The Selection file lives from an end that saves to the next start, so a table saved for the session's end
// goes once the program ends without saving, or starts afresh.
void VelmoraWindow::dropSessionSave()
{
    if (!m_sessionSave.isEmpty())
        QFile::remove(m_sessionSave);
    m_sessionSave.clear();
}

void VelmoraWindow::endProgram()
{
    if (m_ended)
        return; // ended by the system while a box was open, whose answer then arrives too late
    m_ended = true;
    m_end->end(*this);
}

void VelmoraWindow::checkData_Click()
{
    m_code.SaveOnExit = m_ui.checkData->isChecked() ? True : False;
}

void VelmoraWindow::checkRand_Click()
{
    m_code.record.RandomOrder = m_ui.checkRand->isChecked() ? 1 : 0;
}

// ---- Commands and keys ----

void VelmoraWindow::Command1_Click()
{
    m_code.IndustryGo();
}

void VelmoraWindow::Command2_Click()
{
    m_code.PickCarTypes();
}

void VelmoraWindow::Command3_Click()
{
    const QString path = m_places.exportFile();
    const FileOutcome outcome = exportResults(m_ui.lst1->lines(), path);
    // The last entry ends up selected, alone, as after reading the list through its selection; set once.
    if (const int count = m_ui.lst1->count(); count > 0)
        m_ui.lst1->setCurrentRow(count - 1, QItemSelectionModel::ClearAndSelect);

    if (outcome.ok) {
        ask({QStringLiteral("List has been exported to ") + m_places.shownExportPath(path),
             QStringLiteral("Results Exported!")});
    } else {
        ask({QStringLiteral("List could not be exported to ") + QDir::toNativeSeparators(path) +
                 QStringLiteral("\n\n") + outcome.error,
             QStringLiteral("Export Failed"), MessageButtons::Ok, MessageIcon::Warning});
    }
}

void VelmoraWindow::Command4_Click()
{
    m_ui.txtOld->clearUndoably();
}

void VelmoraWindow::Command5_Click()
{
    m_code.ClearIndustryTable();
    setCheckData(0);
    setCheckRand(0);
    // Emptied as edits of their own, so Ctrl+Z in a box brings its text back.
    for (int row = 0; row < GridRows; ++row) {
        m_ui.txtInd.at(static_cast<std::size_t>(row))->clear();
        m_ui.txtArr.at(static_cast<std::size_t>(row))->clear();
    }
}

void VelmoraWindow::Command6_Click()
{
    m_ui.lst1->clear();
    m_code.ResetRunCount();
    setRunCaption(QStringLiteral("0"));
}

void VelmoraWindow::lst1_DblClick()
{
    m_ui.lst1->clear();
    StartUp();
    setRunCaption(QStringLiteral("0"));
}

void VelmoraWindow::printResults()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(tr("Velmora results"));
    if (!m_printing->choose(this, printer))
        return;
    const QString error = printSwitchList(printer, m_ui.lst1->lines());
    if (!error.isEmpty())
        ask({tr("The results could not be printed.\n\n%1").arg(error), tr("Print Failed"), MessageButtons::Ok,
             MessageIcon::Warning});
}

void VelmoraWindow::Form_KeyDown(int keyCode, int)
{
    activateWindow();
    if (keyCode == keyF1) {
        ask({QStringLiteral("Help!"), windowCaption});
    } else if (keyCode == keyF12) {
        setWindowState(windowState() | Qt::WindowMinimized);
    } else if (keyCode == keyEscape) {
        ShutDown();
    }
}

bool VelmoraWindow::eventFilter(QObject *watched, QEvent *event)
{
    // A double-click anywhere in the results list, on an entry or below the last one.
    if (event->type() == QEvent::MouseButtonDblClick && watched == m_ui.lst1->viewport() &&
        static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
        lst1_DblClick();
        return true;
    }
    // Key preview: the key press reaches Form_KeyDown first, then goes on to the focused control. Only the
    // first delivery counts (a key a control ignores travels on to its parents).
    if (event->type() == QEvent::KeyPress && m_keyPreview && !m_ended) {
        auto *widget = qobject_cast<QWidget *>(watched);
        QWidget *first = focusWidget() != nullptr ? focusWidget() : this;
        if (widget != nullptr && widget == first && widget->window() == this) {
            const auto *key = static_cast<QKeyEvent *>(event);
            Form_KeyDown(virtualKeyCode(key->key()), shiftState(key->modifiers()));
        }
    }
    return QWidget::eventFilter(watched, event);
}

void VelmoraWindow::closeEvent(QCloseEvent *event)
{
    if (m_ended) {
        event->accept();
        return;
    }
    // Closed from outside (the taskbar's menu, the window manager): the same way out as the close label.
    event->ignore();
    ShutDown();
}

// ---- The title strip ----

QPointF VelmoraWindow::labelPosition(const MouseLabel *label) const
{
    if (label == m_ui.cmdclose)
        return m_cmdclosePos;
    if (label == m_ui.cmdmin)
        return m_cmdminPos;
    return QPointF(label->pos()) * static_cast<double>(twipsPerPixel);
}

void VelmoraWindow::placeLabel(MouseLabel *label)
{
    label->move(pixelPoint(labelPosition(label)));
}

void VelmoraWindow::shiftLabel(MouseLabel *label, float by)
{
    QPointF &position = label == m_ui.cmdclose ? m_cmdclosePos : m_cmdminPos;
    // Left first, then Top, each a move of its own.
    position.setX(static_cast<double>(static_cast<float>(position.x()) + by));
    placeLabel(label);
    position.setY(static_cast<double>(static_cast<float>(position.y()) + by));
    placeLabel(label);
}

void VelmoraWindow::cmdclose_MouseDown()
{
    shiftLabel(m_ui.cmdclose, pressedShift);
}

void VelmoraWindow::cmdclose_MouseUp()
{
    shiftLabel(m_ui.cmdclose, -pressedShift);
}

void VelmoraWindow::cmdclose_Click()
{
    ShutDown();
}

void VelmoraWindow::cmdmin_MouseDown()
{
    shiftLabel(m_ui.cmdmin, pressedShift);
}

void VelmoraWindow::cmdmin_MouseUp()
{
    shiftLabel(m_ui.cmdmin, -pressedShift);
}

void VelmoraWindow::cmdmin_Click()
{
    setWindowState(windowState() | Qt::WindowMinimized);
}

QPointF VelmoraWindow::labelPointTwips(const MouseLabel *label, const LabelMouse &event) const
{
    // Measured from where the label lies by the window's own record of its position, not from where the
    // window system last reported it: a drag's moves may not have reached the screen yet, and mixing the
    // two would make the window jump.
    const QPointF origin = QPointF(twipsToPixels(m_left) + label->x(), twipsToPixels(m_top) + label->y());
    return (event.global - origin) * static_cast<double>(twipsPerPixel);
}

void VelmoraWindow::lblHead_MouseDown(const LabelMouse &event)
{
    const QPointF point = labelPointTwips(m_ui.lblHead, event);
    m_pressX = static_cast<float>(point.x());
    m_pressY = static_cast<float>(point.y());
    m_dragging = true;
    m_systemMoving = false;
}

void VelmoraWindow::lblHead_MouseMove(const LabelMouse &event)
{
    if (event.button != 1)
        return;
    if (!platformPlacesWindows()) {
        // Hand the drag to the compositor, once per press.
        if (!m_systemMoving && windowHandle() != nullptr)
            m_systemMoving = windowHandle()->startSystemMove();
        if (m_systemMoving)
            return;
    }
    const QPointF point = labelPointTwips(m_ui.lblHead, event);
    const double x = point.x();
    const double y = point.y();
    // Left first, then Top, each a move of its own.
    m_left = static_cast<float>(static_cast<double>(m_left) - (static_cast<double>(m_pressX) - x));
    placeWindow();
    m_top = static_cast<float>(static_cast<double>(m_top) - (static_cast<double>(m_pressY) - y));
    placeWindow();
}

void VelmoraWindow::lblHead_DblClick()
{
    dropSessionSave();
    endProgram();
}

void VelmoraWindow::placeWindow()
{
    move(pixelPoint({m_left, m_top}));
}

void VelmoraWindow::moveEvent(QMoveEvent *event)
{
    QWidget::moveEvent(event);
    // Moved by someone else (the window manager, a compositor's drag): take over its position. While our
    // own drag runs, reports of earlier steps may still arrive and are not news.
    if (!m_dragging && pos() != pixelPoint({m_left, m_top})) {
        m_left = static_cast<float>(x()) * twipsPerPixel;
        m_top = static_cast<float>(y()) * twipsPerPixel;
    }
}

MessageAnswer VelmoraWindow::ask(const Message &message)
{
    // Once the system has ended the program (a signal while an earlier box was open), nothing more is asked:
    // the way that asked carries on as after Cancel, which changes nothing.
    if (m_ended)
        return message.buttons == MessageButtons::Ok ? MessageAnswer::Ok : MessageAnswer::Cancel;
    return m_messages->ask(this, message);
}

// ---- Controls ----

QString VelmoraWindow::txtInd(int row) const
{
    return m_ui.txtInd.at(static_cast<std::size_t>(row))->text();
}

void VelmoraWindow::setTxtInd(int row, const QString &text)
{
    const QString fitted = fitToBox(text, false);
    if (fitted.size() != text.size())
        m_cutTexts.append(tr("Industry %1: %2 of %3 characters of its name")
                              .arg(row + 1)
                              .arg(grouped(fitted.size()), grouped(text.size())));
    m_ui.txtInd.at(static_cast<std::size_t>(row))->setText(fitted);
}

QString VelmoraWindow::txtArr(int row) const
{
    return m_ui.txtArr.at(static_cast<std::size_t>(row))->text();
}

void VelmoraWindow::setTxtArr(int row, const QString &text)
{
    const QString fitted = fitToBox(text, true);
    if (fitted.size() != text.size()) {
        const qsizetype kept = fitted.isEmpty() ? 0 : fitted.count(u',') + 1;
        m_cutTexts.append(tr("Industry %1: %2 of %3 car types")
                              .arg(row + 1)
                              .arg(grouped(kept), grouped(text.count(u',') + 1)));
    }
    m_ui.txtArr.at(static_cast<std::size_t>(row))->setText(fitted);
}

QString VelmoraWindow::txtOld() const
{
    return m_ui.txtOld->text();
}

QString VelmoraWindow::countText(CountList list) const
{
    return (list == CountList::Number ? m_ui.cboNumber : m_ui.cboOld)->currentText();
}

void VelmoraWindow::setCountListIndex(CountList list, int index)
{
    (list == CountList::Number ? m_ui.cboNumber : m_ui.cboOld)->setCurrentIndex(index);
}

void VelmoraWindow::appendResult(const QString &line)
{
    m_ui.lst1->appendLine(line);
}

void VelmoraWindow::setRunCaption(const QString &caption)
{
    // The caption closes a run: its lines come into view now, all at once.
    m_ui.lst1->revealNewLines();
    m_ui.lblres->setText(caption);
}

void VelmoraWindow::setCheckRand(int value)
{
    m_ui.checkRand->setChecked(value != 0);
}

void VelmoraWindow::setCheckData(int value)
{
    m_ui.checkData->setChecked(value != 0);
}

} // namespace velmora
