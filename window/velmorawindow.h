#pragma once

// The main window `Velmora`: its controls, start-up and shutdown, commands and keys, and the title strip.
//
// VelmoraWindow has its controls built from the layout table (controlbuilder.h) and is the engine's Controls:
// the one velmora::Code it owns reads the grid and the count lists and writes results straight through the
// overrides below. Handlers are thin and keep the design's names (Command1_Click, StartUp, ...): they turn
// Qt's events into engine calls (code.h) and file calls (selectionfile.h, export.h). Message boxes and the
// end of the program go through the seams of seams.h, which tests replace. Positions that the title strip
// changes (the window's and the two button labels') are kept as single-precision twips and converted to
// pixels only for display, so shifts of 20 twips and back return exactly to where they started.

#include "code.h"
#include "controlbuilder.h"
#include "fileoutcome.h"
#include "places.h"
#include "random.h"
#include "seams.h"
#include "widgets.h"

#include <QPointF>
#include <QStringList>
#include <QWidget>
#include <memory>

class QComboBox;

namespace velmora {

class RunningLock;

struct WindowSeams {
    MessageBoxes *messages = nullptr;   // null: real message boxes
    ProgramEnd *end = nullptr;          // null: close the window and stop every event loop
    PrintDialogs *printing = nullptr;   // null: the real print dialog
    const FilePlaces *places = nullptr; // null: the system's places, and the system's write rights
};

// One Velmora per home (runninglock.h): takes the lock for the start that is to come, before its window is
// built. When another Velmora with this home is running, says so through messages and returns false; the
// program then ends before its start-up could load, and so delete, a table the first one saved.
bool takeRunningLock(RunningLock &lock, const FilePlaces &places, MessageBoxes &messages);

class VelmoraWindow final : public QWidget, public Controls {
    Q_OBJECT
public:
    // Builds the window; nothing is loaded and no box is shown before Form_Load. Whoever ends the program
    // from outside (endUnattended) should be listening by then.
    explicit VelmoraWindow(WindowSeams seams = {}, QWidget *parent = nullptr);
    ~VelmoraWindow() override;

    Code &code() { return m_code; }

    // Start-up and shutdown.
    void Form_Load();
    void StartUp();
    void ShutDown();
    // The way out when the system ends the program (a signal): saves as ShutDown does when Save Data is
    // ticked, but no box may wait for an answer there, so a failed save is reported on standard error,
    // leaving the previous file whole. Then ends.
    void endUnattended();
    // The program has ended.
    bool ended() const { return m_ended; }
    void checkData_Click();
    void checkRand_Click();

    // Commands and keys.
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    void Command5_Click();
    void Command6_Click();
    void lst1_DblClick();
    // Prints the results list through the print dialog (the list's context menu, Ctrl+P).
    void printResults();
    void Form_KeyDown(int keyCode, int shift);

    // The title strip.
    void cmdclose_MouseDown();
    void cmdclose_MouseUp();
    void cmdclose_Click();
    void cmdmin_MouseDown();
    void cmdmin_MouseUp();
    void cmdmin_Click();
    void lblHead_MouseDown(const LabelMouse &event);
    void lblHead_MouseMove(const LabelMouse &event);
    void lblHead_DblClick();

    float PressX() const { return m_pressX; }
    float PressY() const { return m_pressY; }
    // The window's position on the screen and a title-strip label's position in the window, in twips.
    QPointF windowPosition() const { return {m_left, m_top}; }
    QPointF labelPosition(const MouseLabel *label) const;

    // Controls.
    QString txtInd(int row) const override;
    void setTxtInd(int row, const QString &text) override;
    QString txtArr(int row) const override;
    void setTxtArr(int row, const QString &text) override;
    QString txtOld() const override;
    QString countText(CountList list) const override;
    void setCountListIndex(CountList list, int index) override;
    void appendResult(const QString &line) override;
    void setRunCaption(const QString &caption) override;
    void setCheckRand(int value) override;
    void setCheckData(int value);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void moveEvent(QMoveEvent *event) override;

private:
    void connectHandlers();
    void endProgram();
    FileOutcome saveTable(QString &path);
    QString saveUnattended();
    void commitData();
    void endWithSession();
    void dropSessionSave();
    void reportLoadFailure(const FileOutcome &outcome, const QString &path);
    void reportCutTexts();
    void reportBoxFull(BoxLimit limit);
    Q_INVOKABLE void showBoxFull(int limit);
    void fillCountList(QComboBox *list, int last);
    void clearGrid();
    void shiftLabel(MouseLabel *label, float by);
    void placeLabel(MouseLabel *label);
    void placeWindow();
    QPointF labelPointTwips(const MouseLabel *label, const LabelMouse &event) const;
    MessageAnswer ask(const Message &message);

    ClockRandomSource m_random;
    Code m_code;

    std::unique_ptr<MessageBoxes> m_ownMessages;
    std::unique_ptr<ProgramEnd> m_ownEnd;
    std::unique_ptr<PrintDialogs> m_ownPrinting;
    MessageBoxes *m_messages;
    ProgramEnd *m_end;
    PrintDialogs *m_printing;
    FilePlaces m_places;

    // Positions that the title strip changes, in twips.
    float m_left = 0;
    float m_top = 0;
    QPointF m_cmdclosePos;
    QPointF m_cmdminPos;
    float m_pressX = 0;
    float m_pressY = 0;
    bool m_dragging = false;     // the left button is held after a press on lblHead
    bool m_systemMoving = false; // the window manager took over this drag
    bool m_keyPreview = false;
    bool m_ended = false;
    QString m_sessionSave; // a table saved when the session was ending, while the program still runs
    bool m_sessionCommitted = false; // the session's end has asked for the table (commitData)
    bool m_boxFullPending = false;   // a "Box Full" message is on its way
    QStringList m_cutTexts;          // what loading cut to fit the boxes, until it is reported

    WindowControls m_ui;
};

} // namespace velmora
