#include "velmorawindow.h"

#include "export.h"
#include "fonts.h"
#include "layout.h"
#include "packaging/velmora.xpm" // the program's icon, velmora_xpm
#include "selectionfile.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QWindow>

namespace velmora {

int VirtualKeyCode(int qtKey)
{
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24)
        return 112 + (qtKey - Qt::Key_F1);
    if ((qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9))
        return qtKey; // Qt's codes for these are their ASCII upper-case codes, as the virtual-key codes are
    switch (qtKey) {
    case Qt::Key_Escape:
        return KeyEscape;
    case Qt::Key_Backspace:
        return 8;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return 9;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return 13;
    case Qt::Key_Space:
        return 32;
    case Qt::Key_Left:
        return 37;
    case Qt::Key_Up:
        return 38;
    case Qt::Key_Right:
        return 39;
    case Qt::Key_Down:
        return 40;
    case Qt::Key_Delete:
        return 46;
    default:
        return 0;
    }
}

namespace {

QPoint PixelPoint(QPointF twips)
{
    return {TwipsToPixels(static_cast<float>(twips.x())), TwipsToPixels(static_cast<float>(twips.y()))};
}

// The design's shift-state argument: 1 Shift, 2 Ctrl, 4 Alt.
int ShiftState(Qt::KeyboardModifiers modifiers)
{
    return (modifiers.testFlag(Qt::ShiftModifier) ? 1 : 0) |
           (modifiers.testFlag(Qt::ControlModifier) ? 2 : 0) | (modifiers.testFlag(Qt::AltModifier) ? 4 : 0);
}

bool PlatformPlacesWindows()
{
    // A Wayland client cannot choose where its window lies; only the compositor moves it.
    return !QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

} // namespace

VelmoraWindow::VelmoraWindow(WindowSeams seams, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), m_code(*this, m_random),
      m_messages(seams.messages), m_end(seams.end), m_rights(seams.rights ? seams.rights : &m_systemRights)
{
    if (m_messages == nullptr) {
        m_ownMessages = std::make_unique<QtMessageBoxes>();
        m_messages = m_ownMessages.get();
    }
    if (m_end == nullptr) {
        m_ownEnd = std::make_unique<QuitProgram>();
        m_end = m_ownEnd.get();
    }

    setObjectName(QStringLiteral("Velmora"));
    setWindowTitle(WindowCaption);
    // Straight from the compiled-in image: no resource to unpack and no image reader to find.
    setWindowIcon(QIcon(QPixmap(velmora_xpm)));
    setFixedSize(TwipsToPixels(ClientWidth), TwipsToPixels(ClientHeight));
    m_left = WindowLeft;
    m_top = WindowTop;
    placeWindow();

    buildControls();
    connectHandlers();
    m_txtOld->setFocus();
    Form_Load();
}

VelmoraWindow::~VelmoraWindow()
{
    if (m_keyPreview)
        qApp->removeEventFilter(this);
}

void VelmoraWindow::buildControls()
{
    const QList<ControlSpec> table = ControlTable();
    setFont(DialogFont(table));
    // Looking the title family up is a font-configuration query of its own: once for the three labels.
    const QFont titleText = TitleFont(false);
    QFont titleButton = titleText;
    titleButton.setWeight(QFont::Bold);

    QList<QWidget *> windowLightweight, windowWindowed, frameLightweight, frameWindowed;
    QList<std::pair<int, QWidget *>> tabbed;

    // The frame comes first: the controls inside it need their container.
    for (const ControlSpec &control : table) {
        if (control.kind == ControlKind::Frame) {
            m_frame1 = new QGroupBox(control.caption, this);
            m_frame1->setObjectName(control.name);
            m_frame1->setGeometry(TwipsToPixels(control.left, control.top, control.width, control.height));
        }
    }

    for (const ControlSpec &control : table) {
        QWidget *container = control.container == Container::Frame1 ? static_cast<QWidget *>(m_frame1) : this;
        QWidget *widget = nullptr;
        switch (control.kind) {
        case ControlKind::Frame:
            widget = m_frame1;
            break;
        case ControlKind::PushButton: {
            auto *button = new QPushButton(control.caption, container);
            button->setAutoDefault(false);
            widget = button;
            break;
        }
        case ControlKind::CheckBox: {
            // A box two text lines high wraps its caption.
            const bool twoLines = control.height > OneLineHeight;
            QCheckBox *box = twoLines ? new WrapCheckBox(control.caption, container)
                                      : new QCheckBox(control.caption, container);
            widget = box;
            break;
        }
        case ControlKind::OutlineRect:
            widget = new Shape(Shape::Style::Outline, container);
            break;
        case ControlKind::FilledRect:
            widget = new Shape(Shape::Style::Fill, container);
            break;
        case ControlKind::Line:
            widget = new Shape(Shape::Style::Line, container);
            break;
        case ControlKind::Label: {
            QLabel *label = nullptr;
            if (control.look == Look::TitleText || control.look == Look::TitleButton) {
                auto *mouseLabel = new MouseLabel(control.caption, container);
                mouseLabel->setFont(control.look == Look::TitleButton ? titleButton : titleText);
                QPalette palette = mouseLabel->palette();
                palette.setColor(QPalette::WindowText, Qt::white);
                mouseLabel->setPalette(palette);
                label = mouseLabel;
            } else {
                label = new QLabel(control.caption, container);
                // Labels painted in the face colour look the same as transparent ones, since the frame has
                // that colour too. Some styles tint a frame's inside, where a painted label would show as a
                // patch; so they are left transparent.
            }
            label->setTextFormat(Qt::PlainText);
            label->setAlignment(control.alignment | Qt::AlignTop);
            label->setToolTip(control.tooltip);
            widget = label;
            break;
        }
        case ControlKind::TextBox:
            widget = new QLineEdit(container);
            break;
        case ControlKind::MultiLineTextBox: {
            auto *edit = new QPlainTextEdit(container);
            edit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
            edit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
            edit->setLineWrapMode(QPlainTextEdit::WidgetWidth);
            edit->setTabChangesFocus(true);
            widget = edit;
            break;
        }
        case ControlKind::DropDownList:
            widget = new QComboBox(container); // not editable: selection only
            break;
        case ControlKind::ListBox: {
            auto *list = new QListWidget(container);
            list->setUniformItemSizes(true); // long result lists stay quick to fill and to scroll
            widget = list;
            break;
        }
        }
        widget->setObjectName(control.name);
        if (control.kind == ControlKind::Line)
            widget->setGeometry(TwipsToPixels(control.left, control.top, control.width, TwipsPerPixel));
        else
            widget->setGeometry(TwipsToPixels(control.left, control.top, control.width, control.height));

        const bool windowed = IsWindowed(control.kind);
        auto &stack = control.container == Container::Frame1
                          ? (windowed ? frameWindowed : frameLightweight)
                          : (windowed ? windowWindowed : windowLightweight);
        stack.append(widget);
        if (windowed && control.kind != ControlKind::Frame)
            tabbed.append({control.tab, widget});
    }

    // Stacking: windowed controls above the drawn ones of their container, each group in table order. The
    // table lists the topmost first, so raise from its end.
    for (const auto *stack : {&windowLightweight, &windowWindowed, &frameLightweight, &frameWindowed}) {
        for (auto it = stack->crbegin(); it != stack->crend(); ++it)
            (*it)->raise();
    }

    std::sort(tabbed.begin(), tabbed.end(), [](const auto &a, const auto &b) { return a.first < b.first; });
    for (qsizetype i = 1; i < tabbed.size(); ++i)
        QWidget::setTabOrder(tabbed[i - 1].second, tabbed[i].second);

    const auto find = [this](const QString &name) {
        auto *widget = findChild<QWidget *>(name);
        Q_ASSERT(widget != nullptr);
        return widget;
    };
    for (int row = 0; row < GridRows; ++row) {
        m_txtInd[static_cast<std::size_t>(row)] =
            qobject_cast<QLineEdit *>(find(GridName(QStringLiteral("txtInd"), row)));
        m_txtArr[static_cast<std::size_t>(row)] =
            qobject_cast<QLineEdit *>(find(GridName(QStringLiteral("txtArr"), row)));
    }
    m_txtOld = qobject_cast<QPlainTextEdit *>(find(QStringLiteral("txtOld")));
    m_cboNumber = qobject_cast<QComboBox *>(find(QStringLiteral("cboNumber")));
    m_cboOld = qobject_cast<QComboBox *>(find(QStringLiteral("cboOld")));
    m_lst1 = qobject_cast<QListWidget *>(find(QStringLiteral("lst1")));
    m_lblres = qobject_cast<QLabel *>(find(QStringLiteral("lblres")));
    m_checkData = qobject_cast<QCheckBox *>(find(QStringLiteral("checkData")));
    m_checkRand = qobject_cast<QCheckBox *>(find(QStringLiteral("checkRand")));
    for (std::size_t i = 0; i < m_command.size(); ++i)
        m_command[i] = qobject_cast<QPushButton *>(find(QStringLiteral("Command%1").arg(i + 1)));
    m_lblHead = qobject_cast<MouseLabel *>(find(QStringLiteral("lblHead")));
    m_cmdclose = qobject_cast<MouseLabel *>(find(QStringLiteral("cmdclose")));
    m_cmdmin = qobject_cast<MouseLabel *>(find(QStringLiteral("cmdmin")));
    m_cmdclosePos = QPointF(m_cmdclose->x(), m_cmdclose->y()) * static_cast<double>(TwipsPerPixel);
    m_cmdminPos = QPointF(m_cmdmin->x(), m_cmdmin->y()) * static_cast<double>(TwipsPerPixel);

    // The close and minimise labels act as buttons; a screen reader should announce them as such.
    m_cmdclose->setAccessibleName(tr("Close"));
    m_cmdclose->setAccessibleDescription(
        tr("End Velmora, saving the industry table when Save Data is ticked"));
    m_cmdmin->setAccessibleName(tr("Minimise"));
    m_cmdmin->setAccessibleDescription(tr("Minimise Velmora to the taskbar"));
    m_lblHead->setAccessibleDescription(tr("Title strip: drag to move the window"));

    // Save Data shows its box right of the caption, so box and button share their right edge.
    m_checkData->setLayoutDirection(Qt::RightToLeft);
}

void VelmoraWindow::connectHandlers()
{
    connect(m_command[0], &QPushButton::clicked, this, &VelmoraWindow::Command1_Click);
    connect(m_command[1], &QPushButton::clicked, this, &VelmoraWindow::Command2_Click);
    connect(m_command[2], &QPushButton::clicked, this, &VelmoraWindow::Command3_Click);
    connect(m_command[3], &QPushButton::clicked, this, &VelmoraWindow::Command4_Click);
    connect(m_command[4], &QPushButton::clicked, this, &VelmoraWindow::Command5_Click);
    connect(m_command[5], &QPushButton::clicked, this, &VelmoraWindow::Command6_Click);
    m_lst1->viewport()->installEventFilter(this);
    // A check box's handler runs whenever its value changes, by a click or from code.
    connect(m_checkData, &QCheckBox::toggled, this, &VelmoraWindow::checkData_Click);
    connect(m_checkRand, &QCheckBox::toggled, this, &VelmoraWindow::checkRand_Click);

    connect(m_cmdclose, &MouseLabel::mouseDown, this, &VelmoraWindow::cmdclose_MouseDown);
    connect(m_cmdclose, &MouseLabel::mouseUp, this, &VelmoraWindow::cmdclose_MouseUp);
    connect(m_cmdclose, &MouseLabel::clicked, this, &VelmoraWindow::cmdclose_Click);
    connect(m_cmdmin, &MouseLabel::mouseDown, this, &VelmoraWindow::cmdmin_MouseDown);
    connect(m_cmdmin, &MouseLabel::mouseUp, this, &VelmoraWindow::cmdmin_MouseUp);
    connect(m_cmdmin, &MouseLabel::clicked, this, &VelmoraWindow::cmdmin_Click);
    connect(m_lblHead, &MouseLabel::mouseDown, this, &VelmoraWindow::lblHead_MouseDown);
    connect(m_lblHead, &MouseLabel::mouseMove, this, &VelmoraWindow::lblHead_MouseMove);
    connect(m_lblHead, &MouseLabel::mouseUp, this, [this](const LabelMouse &) {
        if (m_lblHead->pressedButtons() == 0) {
            m_dragging = false;
            m_systemMoving = false;
        }
    });
    connect(m_lblHead, &MouseLabel::doubleClicked, this, &VelmoraWindow::lblHead_DblClick);
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

void VelmoraWindow::StartUp()
{
    m_code.SaveOnExit = False;
    // A repeated start-up also unticks Save Data, so the box always says whether the exit will save.
    setCheckData(0);

    // A table saved where this user could not write waits in the fallback place; of two, the newer wins
    // and the older one, overtaken, goes too.
    const QStringList saved = SavedSelections({SelectionFilePath(), SelectionFallbackPath()});
    bool loaded = false;
    if (!saved.isEmpty()) {
        const FileOutcome outcome = LoadSelection(m_code, *this, saved.first());
        if (outcome.ok) {
            loaded = true;
            for (const QString &older : saved.sliced(1))
                QFile::remove(older);
            setCheckData(1);
        } else {
            ReportLoadFailure(outcome, saved.first());
        }
    }
    if (!loaded) {
        ClearGrid();
        // A folder that cannot be made now is no reason to stop: saving at exit makes it again.
        MakeFolderPath(SelectionFolderPath());
    }

    m_code.record.RunCount = 0;
    FillCountList(m_cboNumber, 8);
    FillCountList(m_cboOld, 20);
}

void VelmoraWindow::ReportLoadFailure(const FileOutcome &outcome, const QString &path)
{
    const QString kept =
        outcome.keptAs.isEmpty() ? QDir::toNativeSeparators(path) : QDir::toNativeSeparators(outcome.keptAs);
    ask({tr("The saved industry table could not be loaded, so Velmora starts with an empty table.\n\n"
            "%1\n\nThe saved file was kept as %2")
             .arg(outcome.error, kept),
         tr("Saved Data Not Loaded"), MessageButtons::Ok, MessageIcon::Warning});
}

void VelmoraWindow::FillCountList(QComboBox *list, int last)
{
    // A repeated start-up empties the list first, so it never holds its sequence twice.
    list->clear();
    for (int n = 1; n <= last; ++n)
        list->addItem(QString::number(n));
    list->setCurrentIndex(4);
}

void VelmoraWindow::ClearGrid()
{
    for (int row = 0; row < GridRows; ++row)
        setTxtInd(row, QString());
    for (int row = 0; row < GridRows; ++row)
        setTxtArr(row, QString());
}

void VelmoraWindow::ShutDown()
{
    if (m_code.SaveOnExit == True) {
        m_code.GatherIndustries();
        m_code.SplitCarTypes(); // saved even when a named row has no car types
        for (;;) {
            const QString path = WritablePlace(SelectionFilePath(), SelectionFallbackPath(), *m_rights);
            const FileOutcome outcome = SaveSelection(m_code.record, path);
            if (outcome.ok)
                break;
            const MessageAnswer answer =
                ask({tr("The industry table could not be saved to %1\n\n%2\n\n"
                        "Retry to try again, Discard to end without saving, or Cancel to keep Velmora open.")
                         .arg(QDir::toNativeSeparators(path), outcome.error),
                     tr("Save Failed"), MessageButtons::RetryDiscardCancel, MessageIcon::Warning});
            if (answer == MessageAnswer::Discard)
                break;
            if (answer != MessageAnswer::Retry)
                return; // Cancel: nothing is lost, the program carries on
        }
    }
    EndProgram();
}

void VelmoraWindow::EndProgram()
{
    m_ended = true;
    m_end->end(*this);
}

void VelmoraWindow::checkData_Click()
{
    m_code.SaveOnExit = m_checkData->isChecked() ? True : False;
}

void VelmoraWindow::checkRand_Click()
{
    m_code.record.RandomOrder = m_checkRand->isChecked() ? 1 : 0;
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
    QStringList entries;
    const int count = m_lst1->count();
    entries.reserve(count);
    for (int i = 0; i < count; ++i)
        entries.append(m_lst1->item(i)->text());

    const QString path = WritablePlace(ExportFilePath(), ExportFallbackPath(), *m_rights);
    const FileOutcome outcome = ExportResults(entries, path);
    // The last entry ends up selected, as after reading the list through its selection; set once.
    if (count > 0)
        m_lst1->setCurrentRow(count - 1);

#ifdef Q_OS_WIN
    const bool ownPlace = path == ExportFilePath();
#else
    const bool ownPlace = false;
#endif
    // The message names the file as the program always has, unless the export had to go elsewhere.
    const QString shownPath =
        ownPlace ? QStringLiteral("C:\\velmora-export.txt") : QDir::toNativeSeparators(path);
    if (outcome.ok) {
        ask({QStringLiteral("List has been exported to ") + shownPath, QStringLiteral("Results Exported!")});
    } else {
        ask({QStringLiteral("List could not be exported to ") + QDir::toNativeSeparators(path) +
                 QStringLiteral("\n\n") + outcome.error,
             QStringLiteral("Export Failed"), MessageButtons::Ok, MessageIcon::Warning});
    }
}

void VelmoraWindow::Command4_Click()
{
    m_txtOld->setPlainText(QString());
}

void VelmoraWindow::Command5_Click()
{
    m_code.ClearIndustryTable();
    setCheckData(0);
    setCheckRand(0);
    for (int row = 0; row < GridRows; ++row) {
        setTxtInd(row, QString());
        setTxtArr(row, QString());
    }
}

void VelmoraWindow::Command6_Click()
{
    m_lst1->clear();
    m_code.ResetRunCount();
    setRunCaption(QStringLiteral("0"));
}

void VelmoraWindow::lst1_DblClick()
{
    m_lst1->clear();
    StartUp();
    setRunCaption(QStringLiteral("0"));
}

void VelmoraWindow::Form_KeyDown(int keyCode, int)
{
    activateWindow();
    if (keyCode == KeyF1) {
        ask({QStringLiteral("Help!"), QGuiApplication::applicationDisplayName()});
    } else if (keyCode == KeyF12) {
        setWindowState(windowState() | Qt::WindowMinimized);
    } else if (keyCode == KeyEscape) {
        ShutDown();
    }
}

bool VelmoraWindow::eventFilter(QObject *watched, QEvent *event)
{
    // A double-click anywhere in the results list, on an entry or below the last one.
    if (event->type() == QEvent::MouseButtonDblClick && watched == m_lst1->viewport() &&
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
            Form_KeyDown(VirtualKeyCode(key->key()), ShiftState(key->modifiers()));
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
    if (label == m_cmdclose)
        return m_cmdclosePos;
    if (label == m_cmdmin)
        return m_cmdminPos;
    return QPointF(label->pos()) * static_cast<double>(TwipsPerPixel);
}

void VelmoraWindow::placeLabel(MouseLabel *label)
{
    label->move(PixelPoint(labelPosition(label)));
}

void VelmoraWindow::shiftLabel(MouseLabel *label, float by)
{
    QPointF &position = label == m_cmdclose ? m_cmdclosePos : m_cmdminPos;
    // Left first, then Top, each a move of its own.
    position.setX(static_cast<double>(static_cast<float>(position.x()) + by));
    placeLabel(label);
    position.setY(static_cast<double>(static_cast<float>(position.y()) + by));
    placeLabel(label);
}

void VelmoraWindow::cmdclose_MouseDown()
{
    shiftLabel(m_cmdclose, PressedShift);
}

void VelmoraWindow::cmdclose_MouseUp()
{
    shiftLabel(m_cmdclose, -PressedShift);
}

void VelmoraWindow::cmdclose_Click()
{
    ShutDown();
}

void VelmoraWindow::cmdmin_MouseDown()
{
    shiftLabel(m_cmdmin, PressedShift);
}

void VelmoraWindow::cmdmin_MouseUp()
{
    shiftLabel(m_cmdmin, -PressedShift);
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
    const QPointF origin = QPointF(TwipsToPixels(m_left) + label->x(), TwipsToPixels(m_top) + label->y());
    return (event.global - origin) * static_cast<double>(TwipsPerPixel);
}

void VelmoraWindow::lblHead_MouseDown(const LabelMouse &event)
{
    const QPointF point = labelPointTwips(m_lblHead, event);
    m_pressX = static_cast<float>(point.x());
    m_pressY = static_cast<float>(point.y());
    m_dragging = true;
    m_systemMoving = false;
}

void VelmoraWindow::lblHead_MouseMove(const LabelMouse &event)
{
    if (event.button != 1)
        return;
    if (!PlatformPlacesWindows()) {
        // Hand the drag to the compositor, once per press.
        if (!m_systemMoving && windowHandle() != nullptr)
            m_systemMoving = windowHandle()->startSystemMove();
        if (m_systemMoving)
            return;
    }
    const QPointF point = labelPointTwips(m_lblHead, event);
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
    EndProgram();
}

void VelmoraWindow::placeWindow()
{
    move(PixelPoint({m_left, m_top}));
}

void VelmoraWindow::moveEvent(QMoveEvent *event)
{
    QWidget::moveEvent(event);
    // Moved by someone else (the window manager, a compositor's drag): take over its position. While our
    // own drag runs, reports of earlier steps may still arrive and are not news.
    if (!m_dragging && pos() != PixelPoint({m_left, m_top})) {
        m_left = static_cast<float>(x()) * TwipsPerPixel;
        m_top = static_cast<float>(y()) * TwipsPerPixel;
    }
}

MessageAnswer VelmoraWindow::ask(const Message &message)
{
    return m_messages->ask(this, message);
}

// ---- Controls ----

QString VelmoraWindow::txtInd(int row) const
{
    return m_txtInd.at(static_cast<std::size_t>(row))->text();
}

void VelmoraWindow::setTxtInd(int row, const QString &text)
{
    m_txtInd.at(static_cast<std::size_t>(row))->setText(text);
}

QString VelmoraWindow::txtArr(int row) const
{
    return m_txtArr.at(static_cast<std::size_t>(row))->text();
}

void VelmoraWindow::setTxtArr(int row, const QString &text)
{
    m_txtArr.at(static_cast<std::size_t>(row))->setText(text);
}

QString VelmoraWindow::txtOld() const
{
    return m_txtOld->toPlainText();
}

QString VelmoraWindow::countText(CountList list) const
{
    return (list == CountList::Number ? m_cboNumber : m_cboOld)->currentText();
}

void VelmoraWindow::setCountListIndex(CountList list, int index)
{
    (list == CountList::Number ? m_cboNumber : m_cboOld)->setCurrentIndex(index);
}

void VelmoraWindow::appendResult(const QString &line)
{
    m_lst1->addItem(line);
}

void VelmoraWindow::setRunCaption(const QString &caption)
{
    m_lblres->setText(caption);
}

void VelmoraWindow::setCheckRand(int value)
{
    m_checkRand->setChecked(value != 0);
}

void VelmoraWindow::setCheckData(int value)
{
    m_checkData->setChecked(value != 0);
}

} // namespace velmora
