#pragma once

// The results list lst1: the lines of the runs, shown so that they can be read, copied and printed.
//
// ResultsList is a list box that scrolls each run's new lines into view (its first line first), offers a
// horizontal scroll bar for lines wider than the list, lets several lines be selected (Shift, Ctrl,
// Ctrl+A), copies the selected lines as text with Ctrl+C, one line each, and has a context menu with
// Copy, Copy All, Select All and Print… (Ctrl+P). Printing itself belongs to the window (printRequested),
// which asks the print dialog through its seam. The focused list shows its focus even when it holds no line.

#include <QListWidget>
#include <QStringList>

class QMenu;

namespace velmora {

class ResultsList final : public QListWidget {
    Q_OBJECT
public:
    explicit ResultsList(QWidget *parent);

    // Appends a line at the end; revealNewLines() later scrolls it into view with the others of its run.
    void appendLine(const QString &line);
    // Scrolls the lines appended since the last call into view, the first of them before the last.
    void revealNewLines();

    QStringList lines() const;
    // The selected lines in list order.
    QStringList selectedLines() const;
    void copySelected() const;
    void copyAll() const;
    // The context menu, each entry enabled when it has something to act on; the caller owns it.
    QMenu *createContextMenu();

signals:
    void printRequested();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    int m_firstNew = -1; // the first line not revealed yet
};

} // namespace velmora
